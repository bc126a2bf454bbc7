#include "services/minimizebuttonhittest.h"

#include "../support/desktopworld.h"

#include <QtTest>

using namespace Velmora;
using namespace Velmora::Test;
using Entry = MinimizeButtonHitTest::WindowEntry;
using Button = MinimizeButtonHitTest::Button;

Q_DECLARE_METATYPE(QList<Entry>)

namespace {

WindowListEntry listEntry(quint32 number, qint32 pid, const QRectF &bounds, QVariant layer = 0)
{
    WindowListEntry entry;
    entry.setField(WindowListEntry::NumberKey, number);
    entry.setField(WindowListEntry::OwnerPIDKey, pid);
    entry.setField(WindowListEntry::LayerKey, layer);
    entry.setField(WindowListEntry::BoundsKey, WindowListEntry::boundsDictionary(bounds));
    return entry;
}

} // namespace

class TestMinimizeButtonHitTest : public QObject
{
    Q_OBJECT

private slots:
    void windowEntriesKeepNormalWindows_data()
    {
        QTest::addColumn<WindowListEntry>("entry");
        QTest::addColumn<bool>("kept");
        QTest::newRow("80 by 40") << listEntry(1, 10, QRectF(0, 0, 80, 40)) << true;
        QTest::newRow("79 wide") << listEntry(1, 10, QRectF(0, 0, 79, 40)) << false;
        QTest::newRow("39 high") << listEntry(1, 10, QRectF(0, 0, 80, 39)) << false;
        QTest::newRow("layer 3") << listEntry(1, 10, QRectF(0, 0, 500, 400), 3) << false;
        QTest::newRow("layer as text") << listEntry(1, 10, QRectF(0, 0, 500, 400), QStringLiteral("0")) << false;
        WindowListEntry noOwner = listEntry(1, 10, QRectF(0, 0, 500, 400));
        noOwner.removeField(WindowListEntry::OwnerPIDKey);
        QTest::newRow("no owner") << noOwner << false;
        WindowListEntry badBounds = listEntry(1, 10, QRectF(0, 0, 500, 400));
        badBounds.setField(WindowListEntry::BoundsKey, QStringLiteral("500x400"));
        QTest::newRow("bounds as text") << badBounds << false;
        WindowListEntry negative = listEntry(1, 10, QRectF(0, 0, 500, 400));
        negative.setField(WindowListEntry::NumberKey, -4);
        QTest::newRow("negative number") << negative << false;
    }

    void windowEntriesKeepNormalWindows()
    {
        QFETCH(WindowListEntry, entry);
        QFETCH(bool, kept);
        const QList<WindowListEntry> list { entry, listEntry(2, 11, QRectF(0, 0, 300, 200)) };
        const QList<Entry> entries = MinimizeButtonHitTest::windowEntries(list);
        QCOMPARE(entries.size(), kept ? 2 : 1);
        QCOMPARE(entries.last().windowID, 2u);
    }

    void windowIndex_data()
    {
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<int>("index"); // -1: none
        // Front to back: another application's small window over the
        // application's window at (100, 100), 600 by 400.
        QTest::newRow("in the corner") << QPointF(130, 110) << 1;
        QTest::newRow("corner's far edge") << QPointF(219.5, 179.5) << 1;
        QTest::newRow("121 right of the corner") << QPointF(221, 110) << -1;
        QTest::newRow("81 below the corner") << QPointF(130, 181) << -1;
        QTest::newRow("on the other application's window") << QPointF(105, 105) << -1;
        QTest::newRow("outside every window") << QPointF(900, 800) << -1;
    }

    void windowIndex()
    {
        QFETCH(QPointF, point);
        QFETCH(int, index);
        const QList<Entry> entries { { 1, 20, QRectF(90, 95, 20, 20) /*tiny, but a list entry*/ },
            { 2, 10, QRectF(100, 100, 600, 400) }, { 3, 10, QRectF(100, 100, 600, 400) } };
        const std::optional<qsizetype> found = MinimizeButtonHitTest::windowIndex(point, entries, 10);
        QCOMPARE(found.value_or(-1), qsizetype(index));
    }

    void below_data()
    {
        QTest::addColumn<QList<Entry>>("entries");
        QTest::addColumn<int>("windowBelow"); // window number, 0: none
        QTest::addColumn<int>("processBelow"); // 0: none
        const QRectF r(100, 100, 400, 300);
        const QRectF aside(700, 100, 300, 300);
        // Process 10 owns the pressed window (index 0); 99 is this process.
        QTest::newRow("overlapping window of another application")
            << QList<Entry> { { 1, 10, r }, { 2, 99, r }, { 3, 20, aside }, { 4, 30, r.translated(50, 50) } } << 4
            << 30;
        QTest::newRow("same application below")
            << QList<Entry> { { 1, 10, r }, { 2, 10, r.translated(20, 20) }, { 3, 20, r } } << 2 << 0;
        QTest::newRow("one window overlapping nothing")
            << QList<Entry> { { 1, 10, r }, { 3, 20, aside } } << 3 << 0;
        QTest::newRow("nothing overlaps, the application has another window")
            << QList<Entry> { { 1, 10, r }, { 3, 20, aside }, { 4, 10, aside.translated(10, 10) } } << 3 << 20;
        QTest::newRow("the application's other window covers the one below elsewhere")
            << QList<Entry> { { 1, 10, r }, { 2, 10, aside }, { 3, 20, r }, { 4, 20, aside } } << 3 << 0;
        QTest::newRow("touching edges do not overlap")
            << QList<Entry> { { 1, 10, r }, { 3, 20, QRectF(500, 100, 100, 100) } } << 3 << 0;
        QTest::newRow("only this process below") << QList<Entry> { { 1, 10, r }, { 2, 99, r } } << 0 << 0;
    }

    void below()
    {
        QFETCH(QList<Entry>, entries);
        QFETCH(int, windowBelow);
        QFETCH(int, processBelow);
        QCOMPARE(qint64(MinimizeButtonHitTest::windowBelow(0, entries, 99).value_or(Entry {}).windowID),
            qint64(windowBelow));
        QCOMPARE(MinimizeButtonHitTest::processBelow(0, entries, 99).value_or(0), processBelow);
    }

    void applicationBelowIsRegularAndRunning()
    {
        DesktopWorld world;
        const qint32 front = world.addApp(QStringLiteral("Front"));
        const qint32 regular = world.addApp(QStringLiteral("Regular"));
        const qint32 accessory = world.addApp(QStringLiteral("Helper"), 0,
            [](Sim::SimProcess &p) { p.policy = ActivationPolicy::Accessory; });
        const QRectF r(100, 100, 400, 300);
        QCOMPARE(MinimizeButtonHitTest::applicationBelow(world.workspace, 0, { { 1, front, r }, { 2, regular, r } })
                     ->processIdentifier,
            regular);
        QVERIFY(!MinimizeButtonHitTest::applicationBelow(world.workspace, 0, { { 1, front, r }, { 2, accessory, r } }));
        QVERIFY(!MinimizeButtonHitTest::applicationBelow(world.workspace, 0, { { 1, front, r }, { 2, 4242, r } }));
    }

    void buttonFrame_data()
    {
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<int>("button"); // -1 none, else Button
        QTest::addColumn<QRectF>("frame");
        QTest::newRow("close") << QPointF(110, 110) << int(Button::Close) << QRectF(108, 104, 14, 16);
        QTest::newRow("minimize") << QPointF(130, 110) << int(Button::Minimize) << QRectF(128, 104, 14, 16);
        QTest::newRow("zoom") << QPointF(150, 110) << -1 << QRectF();
        QTest::newRow("title") << QPointF(300, 110) << -1 << QRectF();
        QTest::newRow("no window") << QPointF(1000, 800) << -1 << QRectF();
    }

    void buttonFrame()
    {
        QFETCH(QPointF, point);
        QFETCH(int, button);
        QFETCH(QRectF, frame);
        DesktopWorld world;
        const qint32 pid = world.addApp(QStringLiteral("Editor"));
        world.addWindow(pid, QRectF(100, 100, 600, 400));
        const std::optional<MinimizeButtonHitTest::ButtonHit> hit
            = MinimizeButtonHitTest::buttonFrame(world.accessibility, point, pid);
        QCOMPARE(hit.has_value(), button >= 0);
        if (hit) {
            QCOMPARE(int(hit->button), button);
            QCOMPARE(hit->frame, frame);
        }
    }

    void buttonFrameFailsOnAnUnreadableButton()
    {
        DesktopWorld world;
        const qint32 pid = world.addApp(QStringLiteral("Editor"));
        world.addWindow(pid, QRectF(100, 100, 600, 400));
        world.desktop.injectFailure(
            Sim::SimFailure::on(Sim::SimOperations::CopyAttributeValue, QStringLiteral("AXSize"))
                .answering(AXValue::fromString(QStringLiteral("14x16"))));
        QVERIFY(!MinimizeButtonHitTest::buttonFrame(world.accessibility, QPointF(130, 110), pid));
    }
};

QTEST_GUILESS_MAIN(TestMinimizeButtonHitTest)
#include "tst_minimizebuttonhittest.moc"
