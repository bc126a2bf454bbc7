#include "app/application.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setOrganizationName(QStringLiteral("Velmora"));
    // The bar lives until the user quits it, not until its last window closes.
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption quitAfterStart(QStringLiteral("quit-after-start"),
                                            QStringLiteral("Start, run the event loop once and exit (smoke test)."));
    parser.addOption(quitAfterStart);
    parser.process(qapp);

    Velmora::Application app;
    if (!app.start())
        return 1;

    if (parser.isSet(quitAfterStart))
        QTimer::singleShot(0, &qapp, &QCoreApplication::quit);
    return qapp.exec();
}
