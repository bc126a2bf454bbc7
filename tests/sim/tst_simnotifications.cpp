#include "support/desktopworld.h"

#include "platform/axnames.h"

#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;
using Velmora::Test::InterleavedWorld;

namespace {

// An observer of Alpha's application element for every notification the
// tests here look for.
struct Watched : InterleavedWorld {
    QStringList heard;
    std::unique_ptr<AccessibilityObserver> observer;

    explicit Watched(QObject *context)
    {
        observer = accessibility.createObserver(alpha, context, [this](const AXElement &, const QString &name) {
            heard.append(name);
        });
        const AXElement app = accessibility.applicationElement(alpha);
        for (QLatin1String name : {AXNames::TitleChanged, AXNames::Moved, AXNames::Resized,
                                   AXNames::ApplicationHidden, AXNames::ApplicationShown,
                                   AXNames::FocusedWindowChanged, AXNames::WindowMiniaturized})
            observer->addNotification(app, name);
    }
};

} // namespace

class TestSimNotifications : public QObject
{
    Q_OBJECT
private slots:
    // Whatever path changes a window or hides an application, its observers hear of it.
    void everyPathThatChangesAWindowIsHeard_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("a new title") << "title" << QStringList{AXNames::TitleChanged};
        QTest::newRow("moved in place") << "move" << QStringList{AXNames::Moved};
        QTest::newRow("resized in place") << "resize" << QStringList{AXNames::Resized};
        QTest::newRow("moved and resized through accessibility")
            << "ax" << QStringList{AXNames::Moved, AXNames::Resized};
        QTest::newRow("the display made smaller: both windows move onto it")
            << "display" << QStringList{AXNames::Moved, AXNames::Moved};
        QTest::newRow("minimized in place") << "minimized" << QStringList{AXNames::WindowMiniaturized};
        QTest::newRow("hidden") << "hide" << QStringList{AXNames::ApplicationHidden};
        QTest::newRow("hidden in place") << "hidden" << QStringList{AXNames::ApplicationHidden};
        QTest::newRow("shown again") << "unhide" << QStringList{AXNames::ApplicationHidden, AXNames::ApplicationShown};
        QTest::newRow("a new stacking order") << "stack" << QStringList{AXNames::FocusedWindowChanged};
    }
    void everyPathThatChangesAWindowIsHeard()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, expected);
        Watched world(this);
        if (path == "title")
            world.desktop.updateWindow(world.a1, [](SimWindow &w) { w.title = "Renamed"; });
        else if (path == "move")
            world.desktop.updateWindow(world.a1, [](SimWindow &w) { w.bounds.translate(10, 0); });
        else if (path == "resize")
            world.desktop.updateWindow(world.a1, [](SimWindow &w) { w.bounds.setWidth(300); });
        else if (path == "ax") {
            const AXElement a1 = world.desktop.windowElement(world.a1);
            world.accessibility.setAttributeValue(a1, AXNames::Position, AXValue::fromPoint({5, 5}));
            world.accessibility.setAttributeValue(a1, AXNames::Size, AXValue::fromSize({500, 300}));
        } else if (path == "display") {
            DisplayInfo display = world.displays.screens().first();
            display.bounds = QRectF(0, 0, 640, 480);
            world.desktop.setDisplays({display});
        } else if (path == "minimized")
            world.desktop.updateWindow(world.a1, [](SimWindow &w) { w.minimized = true; });
        else if (path == "hide")
            world.desktop.hide(world.alpha);
        else if (path == "hidden")
            world.desktop.updateProcess(world.alpha, [](SimProcess &p) { p.hidden = true; });
        else if (path == "unhide") {
            world.desktop.hide(world.alpha);
            world.desktop.unhide(world.alpha);
        } else if (path == "stack")
            world.desktop.setStackingOrder({world.a2});
        world.clock.runPending();
        // Focus moves as a side effect of several paths; only the stacking row asks for it.
        QStringList heard = world.heard;
        if (path != "stack")
            heard.removeAll(AXNames::FocusedWindowChanged);
        QCOMPARE(heard, expected);
    }

    // Without the accessibility permission, observers hear nothing, and what
    // happened meanwhile is not delivered later either.
    void observersAreSilentWhileNotTrusted()
    {
        Watched world(this);
        world.desktop.setAccessibilityTrusted(false);
        world.desktop.updateWindow(world.a1, [](SimWindow &w) { w.title = "Unheard"; });
        world.desktop.hide(world.alpha);
        world.clock.runPending();
        QVERIFY(world.heard.isEmpty());
        world.desktop.setAccessibilityTrusted(true);
        world.clock.runPending();
        QVERIFY(world.heard.isEmpty());
        world.desktop.unhide(world.alpha);
        world.clock.runPending();
        QCOMPARE(world.heard, QStringList{AXNames::ApplicationShown});

        // Withdrawn between the change and its delivery: not delivered.
        world.desktop.updateWindow(world.a1, [](SimWindow &w) { w.title = "Late"; });
        world.desktop.setAccessibilityTrusted(false);
        world.clock.runPending();
        QCOMPARE(world.heard, QStringList{AXNames::ApplicationShown});
    }
};

QTEST_GUILESS_MAIN(TestSimNotifications)
#include "tst_simnotifications.moc"
