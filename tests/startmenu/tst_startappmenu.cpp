#include "startmenu/model/startappmenu.h"

#include <QTest>

using namespace Velmora;

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

// The menu as a person reads it: titles, with "—" for a divider.
QStringList titles(const QList<StartAppMenu::Entry> &entries)
{
    QStringList result;
    for (const StartAppMenu::Entry &entry : entries)
        result << (entry.isDivider ? QStringLiteral("—") : entry.title + QStringLiteral(" [") + entry.symbol + "]");
    return result;
}

} // namespace

class TestStartAppMenu : public QObject
{
    Q_OBJECT
private slots:
    void entries_data()
    {
        QTest::addColumn<std::optional<QString>>("bundleIdentifier");
        QTest::addColumn<bool>("pinnedToStart");
        QTest::addColumn<bool>("pinnedToTaskbar");
        QTest::addColumn<QStringList>("expected");
        const QString open = "Open [arrow.up.forward.app]";
        const QString finder = "Show in Finder [folder]";
        QTest::newRow("pinned nowhere") << std::optional<QString>("com.example.Mail") << false << false
                                        << QStringList{open, "—", "Pin to Start menu [pin]", "Pin to taskbar [pin]",
                                                       "—", finder};
        QTest::newRow("pinned to the taskbar only")
            << std::optional<QString>("com.example.Mail") << false << true
            << QStringList{open, "—", "Pin to Start menu [pin]", "Unpin from taskbar [pin.slash]", "—", finder};
        QTest::newRow("pinned to both")
            << std::optional<QString>("com.example.Mail") << true << true
            << QStringList{open, "—", "Unpin from Start menu [pin.slash]", "Unpin from taskbar [pin.slash]", "—",
                           finder};
        // Pins are kept by bundle identifier: without one there is nothing to pin.
        QTest::newRow("no bundle identifier") << std::optional<QString>() << true << true
                                              << QStringList{open, "—", finder};
    }
    void entries()
    {
        QFETCH(std::optional<QString>, bundleIdentifier);
        QFETCH(bool, pinnedToStart);
        QFETCH(bool, pinnedToTaskbar);
        QFETCH(QStringList, expected);
        const AppItem app{"mail", "Mail", bundleIdentifier, std::nullopt, false, std::nullopt};
        QCOMPARE(titles(StartAppMenu::entries(app, pinnedToStart, pinnedToTaskbar)), expected);
    }
};

QTEST_GUILESS_MAIN(TestStartAppMenu)
#include "tst_startappmenu.moc"
