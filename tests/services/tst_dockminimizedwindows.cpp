#include "services/dockminimizedwindows.h"

#include "support/servicesworld.h"

#include <QTest>

using namespace Velmora;
using Velmora::Test::ServicesWorld;

namespace {

struct DockWorld : ServicesWorld
{
    DockMinimizedWindows dock { accessibility, workspace };
    qint32 editor = addApp("Editor");

    DockWorld()
    {
        Sim::SimProcess process;
        process.name = "Dock";
        process.bundleIdentifier = "com.apple.dock";
        process.policy = ActivationPolicy::Accessory;
        desktop.addProcess(process);
    }

    quint32 minimized(const QString &title, const QString &tileTitle)
    {
        return addWindow(editor, { 100, 100, 500, 400 }, title, [&](Sim::SimWindow &window) {
            window.minimized = true;
            window.dockTitle = tileTitle;
        });
    }

    quint32 tileWindow(const std::optional<AXElement> &tile) const
    {
        const auto node = tile ? desktop.resolve(*tile) : std::nullopt;
        return node ? node->window : 0;
    }
};

} // namespace

class TestDockMinimizedWindows : public QObject
{
    Q_OBJECT
private slots:
    void matchesTitlesAsTheDockShortensThem_data()
    {
        QTest::addColumn<QString>("windowTitle");
        QTest::addColumn<QString>("itemTitle");
        QTest::addColumn<bool>("matches");

        const QString e = QString(QChar(0x2026));
        QTest::newRow("equal") << "Report.txt"
                               << "Report.txt" << true;
        QTest::newRow("continued by the application's suffix") << "Report.txt - Edited"
                                                               << "Report.txt" << true;
        QTest::newRow("merely starting alike") << "Report.txt (copy)"
                                               << "Report.txt" << false;
        QTest::newRow("case matters") << "report.txt"
                                      << "Report.txt" << false;
        QTest::newRow("an empty tile title") << ""
                                             << "" << false;
        QTest::newRow("shortened, the end kept") << "Quarterly Report Draft.txt"
                                                 << "Quarterly" + e + "Draft.txt" << true;
        QTest::newRow("shortened, the end before the suffix") << "Quarterly Report Draft.txt - Edited"
                                                              << "Quarterly" + e + "Draft.txt" << true;
        QTest::newRow("shortened, the end found again later") << "Notes on notes.md - notes.md"
                                                              << "Notes" + e + "notes.md" << true;
        QTest::newRow("the end only in the middle") << "Quarterly Report Draft.txt backup"
                                                    << "Quarterly" + e + "Draft.txt" << false;
        QTest::newRow("the end must follow the start") << "Draft Quarterly"
                                                       << "Draft" + e + "Draft" << false;
        QTest::newRow("nothing before the ellipsis") << "Quarterly Report" << e + "Report" << false;
        QTest::newRow("nothing after the ellipsis") << "Quarterly Report"
                                                    << "Quarterly" + e << false;
        QTest::newRow("an ellipsis that is the title itself") << "Wait" + e << "Wait" + e << true;
        QTest::newRow("a different start") << "Annual Report Draft.txt"
                                           << "Quarterly" + e + "Draft.txt" << false;
    }
    void matchesTitlesAsTheDockShortensThem()
    {
        QFETCH(QString, windowTitle);
        QFETCH(QString, itemTitle);
        QFETCH(bool, matches);
        QCOMPARE(DockMinimizedWindows::matches(windowTitle, itemTitle), matches);
    }

    void findsTheTileWithTheSingleLongestTitle()
    {
        DockWorld world;
        const QString e = QString(QChar(0x2026));
        world.minimized("Report", "Report");
        const quint32 longer = world.minimized("Report - Draft", "Report - Draft");
        world.minimized("Other", "Other");
        QCOMPARE(world.tileWindow(world.dock.item("Report - Draft")), longer);

        // Two tiles shortened alike: neither is trusted.
        world.minimized("Budget 2025 final.xlsx", "Budget" + e + "final.xlsx");
        world.minimized("Budget 2026 final.xlsx", "Budget" + e + "final.xlsx");
        QVERIFY(!world.dock.item("Budget 2025 final.xlsx"));
        // Unless a longer tile matches as well.
        const quint32 exact = world.minimized("Budget 2025 final.xlsx", "Budget 2025 final.xlsx");
        QCOMPARE(world.tileWindow(world.dock.item("Budget 2025 final.xlsx")), exact);
    }

    void findsNothingWithoutTitleDockOrAccessibility()
    {
        DockWorld world;
        world.minimized("", "");
        world.minimized("Report", "Report");
        QVERIFY(!world.dock.item(""));
        QVERIFY(!world.dock.item("Budget"));

        world.desktop.setAccessibilityTrusted(false);
        QVERIFY(!world.dock.item("Report"));
        world.desktop.setAccessibilityTrusted(true);
        QVERIFY(world.dock.item("Report"));

        for (const RunningApplication &application : world.workspace.runningApplications("com.apple.dock"))
            world.desktop.killProcess(application.processIdentifier);
        QVERIFY(!world.dock.item("Report"));
    }
};

QTEST_GUILESS_MAIN(TestDockMinimizedWindows)
#include "tst_dockminimizedwindows.moc"
