#include "platform/linux/ptylauncher.h"

#include "platform/linux/ptyprocess.h"

#include <QFile>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace Velmora::Linux {

namespace {

// Opens both sides close-on-exec from the start, so a child that another
// thread spawns at the same moment cannot inherit them and keep the
// terminal open.
bool openTerminal(int &master, int &slave)
{
    master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0)
        return false;
    char name[128];
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 || ::ptsname_r(master, name, sizeof name) != 0) {
        ::close(master);
        return false;
    }
    slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave < 0) {
        ::close(master);
        return false;
    }
    termios settings {};
    if (::tcgetattr(slave, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::tcsetattr(slave, TCSANOW, &settings);
    }
    return true;
}

} // namespace

PtyLauncher::PtyLauncher(int terminateGraceMs)
    : m_graceMs(terminateGraceMs)
{
}

std::unique_ptr<PseudoTerminalProcess> PtyLauncher::launch(
    const QString &program, const QStringList &arguments, Handlers handlers)
{
    int master = -1;
    int slave = -1;
    if (!openTerminal(master, slave))
        return nullptr;

    std::vector<QByteArray> storage;
    storage.push_back(QFile::encodeName(program));
    for (const QString &argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &item : storage)
        argv.push_back(item.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, slave, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, slave, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    // A session of its own: our terminal's signals never reach it, and it
    // leads a process group that can be ended as a whole.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int signal : { SIGTERM, SIGHUP, SIGINT, SIGPIPE, SIGCHLD })
        sigaddset(&defaults, signal);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = -1;
    const int error = ::posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    // The child has its own copies; ours would keep the terminal open after
    // the child is gone and hide the end of its output.
    ::close(slave);
    if (error != 0) {
        ::close(master);
        return nullptr;
    }
    return std::make_unique<PtyProcess>(pid, master, std::move(handlers), m_graceMs);
}

} // namespace Velmora::Linux
