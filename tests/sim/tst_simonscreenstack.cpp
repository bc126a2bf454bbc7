#include "support/desktopworld.h"

#include "platform/sim/simoperations.h"

#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;
using Velmora::Test::InterleavedWorld;

namespace {

// The rows as the generic reading of the entries makes them.
QList<WindowStackRow> rowsOfEntries(const WindowList &list)
{
    QList<WindowStackRow> rows;
    list.WindowList::copyOnScreenStack(rows);
    return rows;
}

QList<quint32> numbers(const QList<WindowStackRow> &rows)
{
    QList<quint32> found;
    for (const WindowStackRow &row : rows)
        found.append(row.number);
    return found;
}

} // namespace

// The simulated desktop's direct reading of the on-screen stack gives the
// rows that reading its full entries gives, whatever the desktop shows.
class TestSimOnScreenStack : public QObject
{
    Q_OBJECT
private slots:
    void sameRowsAsTheEntries()
    {
        InterleavedWorld world;
        const qint32 beta = world.beta;
        const quint32 panel = world.addWindow(beta, QRectF(0, 850, 1440, 50), "Panel", [](SimWindow &w) { w.layer = 25; });
        const quint32 minimized = world.addWindow(beta, QRectF(0, 0, 300, 200), "Min", [](SimWindow &w) { w.minimized = true; });
        const quint32 elsewhere = world.addWindow(beta, QRectF(0, 0, 300, 200), "Space", [](SimWindow &w) { w.space = 2; });
        const quint32 desk = world.addWindow(beta, QRectF(0, 0, 1440, 900), "Desktop", [](SimWindow &w) {
            w.desktopElement = true;
            w.layer = -2147483603;
        });
        world.desktop.beginMinimize(world.a1);
        world.clock.advance(100); // a1 is shrinking: its drawn frame is listed

        QList<WindowStackRow> rows;
        QVERIFY(world.windowList.copyOnScreenStack(rows));
        const QList<WindowStackRow> expected = rowsOfEntries(world.windowList);
        QCOMPARE(numbers(rows), numbers(expected));
        QCOMPARE(numbers(rows), (QList<quint32> { world.b1, world.a1, world.b2, world.a2 }));
        for (qsizetype i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows[i].ownerPID, expected[i].ownerPID);
            QCOMPARE(rows[i].bounds, expected[i].bounds);
        }
        QVERIFY(rows[1].bounds.height() < 400);
        for (quint32 left : { panel, minimized, elsewhere, desk })
            QVERIFY(!numbers(rows).contains(left));
    }

    // A replaced field of any window sends the reading through the entries,
    // so a wrong type is skipped there as everywhere.
    void replacedFieldsGoThroughTheEntries()
    {
        InterleavedWorld world;
        world.desktop.updateWindow(world.b2, [](SimWindow &w) {
            w.windowListOverrides.insert(WindowListEntry::OwnerPIDKey, QStringLiteral("12"));
        });
        QList<WindowStackRow> rows;
        QVERIFY(world.windowList.copyOnScreenStack(rows));
        QCOMPARE(numbers(rows), (QList<quint32> { world.b1, world.a1, world.a2 }));
    }

    void failureAndLog()
    {
        InterleavedWorld world;
        QList<WindowStackRow> rows { WindowStackRow { 1, 2, QRectF() } };
        world.desktop.injectFailure(SimFailure::on(SimOperations::CopyWindowInfo).once());
        QVERIFY(!world.windowList.copyOnScreenStack(rows));
        QVERIFY(rows.isEmpty());
        QVERIFY(world.windowList.copyOnScreenStack(rows));
        const QList<SimRequest> logged = world.desktop.requests(SimOperations::CopyWindowInfo);
        QCOMPARE(logged.size(), 2);
        QCOMPARE(logged.first().result, -1);
        QCOMPARE(logged.last().detail.toMap().value("options").toUInt(), WindowList::OnScreenExceptDesktop);
        QCOMPARE(logged.last().result, 4);
    }
};

QTEST_GUILESS_MAIN(TestSimOnScreenStack)
#include "tst_simonscreenstack.moc"
