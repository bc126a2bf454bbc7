#include "app/application.h"
#include "app/quitsignals.h"
#include "bar/applicationpopoverservices.h"
#include "bar/desktopclickcatcherwindows.h"
#include "platform/linux/sessionbuslaunch.h"
#include "platform/sim/simplatform.h"
#include "simview/desktopbackdrops.h"
#include "simview/systemsettingspane.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <optional>

namespace {

struct Options {
    bool quitAfterStart = false;
};

// Reads the command line before anything needs a display, so --help and
// --version work on a machine without one.
Options parseOptions(int argc, char *argv[])
{
    QCoreApplication parsing(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A taskbar for every display."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption quitAfterStart(QStringLiteral("quit-after-start"),
        QStringLiteral("Start, run the event loop once and exit (smoke test)."));
    parser.addOption(quitAfterStart);
    parser.process(parsing);
    return Options{parser.isSet(quitAfterStart)};
}

} // namespace

int main(int argc, char *argv[])
{
    // Qt's own event loop instead of GLib's: an idle bar wakes only for its
    // timers, and each turn of GLib's loop costs several times as much for
    // sources we never use. A person who sets the variable keeps their choice.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
    // With no session bus to be found or started, start-up would wait for a
    // try at starting one that cannot succeed.
    Velmora::Linux::SessionBusLaunch::avoidHopelessLaunch();
    const Options options = parseOptions(argc, argv);

    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setOrganizationName(QStringLiteral("Velmora"));
    QApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    // The bar lives until the user quits it, not until its last window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    // A logout, a kill or Ctrl+C quits the way the person quits.
    Velmora::QuitSignals quitSignals;
    QObject::connect(&quitSignals, &Velmora::QuitSignals::quitRequested, &qapp, &QCoreApplication::quit,
        Qt::QueuedConnection);

    Velmora::Application app;
    if (!app.start())
        return 1;
    // The simulated desktop, drawn behind the panels for the person at the
    // screen once the bars are up: it can come a moment after them.
    Velmora::SimView::DesktopBackdrops backdrops(app.simulatedDesktop().desktop, &app.simulatedDesktop().statusItem);
    QTimer::singleShot(0, &backdrops, &Velmora::SimView::DesktopBackdrops::start);
    // Without a compositing manager no clear window can lie over the desktop:
    // the drawn desktop then catches the click that closes a flyout.
    Velmora::DesktopClickCatcherWindows &catchers = app.popovers().clickCatcherWindows();
    catchers.setDrawnDesktop(&backdrops);
    // Where the product sends the person for a permission or the Dock: the
    // person grants there, so the simulated one who grants on every prompt
    // stands aside.
    Velmora::Sim::SimDesktop &desktop = app.simulatedDesktop().desktop;
    desktop.setGrantsAccessibilityOnPrompt(false);
    desktop.setGrantsScreenCaptureOnRequest(false);
    Velmora::SimView::SystemSettingsPane settings(desktop);

    if (options.quitAfterStart)
        QTimer::singleShot(0, &qapp, &QCoreApplication::quit);
    const int status = qapp.exec();
    // The backdrops go before the flyouts that might still ask them.
    catchers.setDrawnDesktop(nullptr);
    return status;
}
