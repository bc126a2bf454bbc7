#pragma once

#include <QObject>

#include <array>
#include <csignal>

class QSocketNotifier;

namespace Velmora {

// Turns the signals that end a desktop program (the session's logout, a
// `kill`, Ctrl+C in the terminal that started it) into an ordinary quit from
// the event loop, so settings are written, threads joined and child
// processes ended exactly as when the person quits. The handler only writes
// the signal's number into a socket; everything else runs on the main
// thread. A second signal after the first ends the process the default way,
// for a quit that hangs.
//
// One instance at a time; it puts the previous handlers back when it goes.
class QuitSignals : public QObject
{
    Q_OBJECT
public:
    static constexpr std::array<int, 3> handledSignals{SIGTERM, SIGINT, SIGHUP};

    explicit QuitSignals(QObject *parent = nullptr);
    ~QuitSignals() override;

    // False when the socket or a handler could not be set up (the signals
    // then keep their default effect).
    bool isInstalled() const { return m_installed; }

signals:
    void quitRequested(int signal);

private:
    void readSignals();
    void restoreDefaults();

    int m_sockets[2] = {-1, -1};
    QSocketNotifier *m_notifier = nullptr;
    std::array<struct sigaction, handledSignals.size()> m_previous{};
    bool m_installed = false;
    bool m_requested = false;
};

} // namespace Velmora
