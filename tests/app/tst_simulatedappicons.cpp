#include "app/simulatedappicons.h"

#include "platform/sim/scriptedfileicons.h"
#include "platform/sim/simdesktop.h"
#include "platform/sim/simscenario.h"
#include "platform/sim/virtualclock.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;

namespace {

// Browser's icon is one the fixture theme has, Odd's one it lacks, Plain has
// none; Terminal is known only as a running process. The running Browser
// names another icon than the installed one: the installed one counts.
const QByteArray scenario = R"({
    "installed": [
        {"bundleId": "com.example.browser", "name": "Browser", "path": "/Applications/Browser.app", "icon": "web-browser"},
        {"bundleId": "com.example.odd", "name": "Odd", "path": "/Applications/Odd.app", "icon": "no-such-icon"},
        {"bundleId": "com.example.plain", "name": "Plain", "path": "/Applications/Plain.app"}
    ],
    "processes": [
        {"pid": 412, "bundleId": "com.example.browser", "name": "Browser", "path": "/Applications/Browser.app",
         "icon": "utilities-terminal"},
        {"pid": 623, "bundleId": "com.example.terminal", "name": "Terminal", "path": "/Applications/Terminal.app",
         "icon": "utilities-terminal"}
    ]})";

} // namespace

class TestSimulatedAppIcons : public QObject
{
    Q_OBJECT
private slots:
    // A theme of two icons of our own, so the outcome does not hang on
    // which icons the machine's theme happens to have.
    void initTestCase()
    {
        QVERIFY(m_themes.isValid());
        const QDir theme(m_themes.filePath("fixture"));
        QVERIFY(theme.mkpath("48x48/apps"));
        QFile index(theme.filePath("index.theme"));
        QVERIFY(index.open(QIODevice::WriteOnly));
        index.write("[Icon Theme]\nName=Fixture\nDirectories=48x48/apps\n\n[48x48/apps]\nSize=48\nType=Fixed\n");
        index.close();
        QImage image(48, 48, QImage::Format_ARGB32);
        image.fill(Qt::blue);
        for (const char *name : {"web-browser", "utilities-terminal"})
            QVERIFY(image.save(theme.filePath(QStringLiteral("48x48/apps/%1.png").arg(QLatin1String(name)))));
        QIcon::setThemeSearchPaths({m_themes.path()});
        QIcon::setThemeName("fixture");
    }

    void iconForFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("icon"); // the theme's name, or the machine's "file:<path>"
        QTest::newRow("installed application") << "/Applications/Browser.app" << "web-browser";
        QTest::newRow("process alone") << "/Applications/Terminal.app" << "utilities-terminal";
        QTest::newRow("name the theme lacks") << "/Applications/Odd.app" << "file:/Applications/Odd.app";
        QTest::newRow("application without a name") << "/Applications/Plain.app" << "file:/Applications/Plain.app";
        QTest::newRow("not a simulated application") << "/home/demo/notes.txt" << "file:/home/demo/notes.txt";
    }
    void iconForFile()
    {
        QFETCH(QString, path);
        QFETCH(QString, icon);
        VirtualClock clock;
        SimDesktop desktop(clock);
        QVERIFY(SimScenario::load(desktop, scenario));
        ScriptedFileIcons machine;
        SimulatedAppIcons icons(machine, desktop);
        QCOMPARE(icons.iconForFile(path).name(), icon);
    }

    // A pinned application is known by its identifier alone; it must lead to
    // the bundle that has the icon. Everything else is the machine's to say.
    void identifiersLeadToBundlesWithIconsAndTheRestIsForwarded()
    {
        VirtualClock clock;
        SimDesktop desktop(clock);
        QVERIFY(SimScenario::load(desktop, scenario));
        ScriptedFileIcons machine;
        machine.setApplicationPath("com.example.plain", "/elsewhere/Plain.app");
        machine.setApplicationPath("com.example.browser", "/elsewhere/Browser.app");
        SimulatedAppIcons icons(machine, desktop);
        QCOMPARE(icons.applicationPath("com.example.browser"), QString("/Applications/Browser.app"));
        QCOMPARE(icons.applicationPath("com.example.terminal"), QString("/Applications/Terminal.app"));
        QCOMPARE(icons.applicationPath("com.example.plain"), QString("/elsewhere/Plain.app"));
        QCOMPARE(icons.applicationPath("com.example.odd"), std::nullopt);
        QCOMPARE(icons.symbolImage("app")->name(), QString("symbol:app"));
        QCOMPARE(icons.ownBundlePath(), machine.ownBundlePath());
    }

private:
    QTemporaryDir m_themes;
};

QTEST_MAIN(TestSimulatedAppIcons)
#include "tst_simulatedappicons.moc"
