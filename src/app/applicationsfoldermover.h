#pragma once

#include "platform/alerts.h"

#include <QString>
#include <QThreadPool>

#include <optional>

namespace Velmora {

class ApplicationBundles;
class ApplicationProcesses;
class FileOperations;
class ReleaseBuild;
class Translocation;
class UserDefaults;
class Volumes;

// The programs the move into Applications runs, and how long it waits for them.
struct ApplicationsFolderMoverTools
{
    QString shell = QStringLiteral("/bin/sh");
    QString kill = QStringLiteral("/bin/kill");
    QString sleep = QStringLiteral("/bin/sleep");
    QString open = QStringLiteral("/usr/bin/open");
    QString diskutil = QStringLiteral("/usr/sbin/diskutil");
    QString xattr = QStringLiteral("/usr/bin/xattr");
    int quarantineTimeoutMs = 30000;
    // The relaunch waits for this instance to exit in steps of 0.2 s, at
    // most this many (30 s), then opens the new copy all the same.
    int exitWaitSteps = 150;
};

// At start-up, a release copy that runs from somewhere other than an
// Applications folder offers to move itself there: it copies itself over,
// clears the download quarantine, puts the old copy in the Trash (or ejects
// the disk image it ran from) and reopens from the new place. A copy that
// already runs from an Applications folder ejects a leftover installer disk
// image of itself instead. A development copy does none of this.
class ApplicationsFolderMover
{
public:
    static constexpr const char *dontAskKey = "ApplicationsFolderMover.dontAsk";
    // The relaunch script's name, its $0.
    static constexpr const char *relaunchScriptName = "velmora-relaunch";

    using Tools = ApplicationsFolderMoverTools;

    struct Environment
    {
        const ReleaseBuild &release;
        const Translocation &translocation;
        FileOperations &files;
        Volumes &volumes;
        Alerts &alerts;
        ApplicationProcesses &processes;
        const ApplicationBundles &bundles;
        UserDefaults &defaults;
        // Where this copy runs from, and what identifies it.
        QString bundlePath;
        std::optional<QString> bundleIdentifier;
        QString home;
        QString applicationsFolder = QStringLiteral("/Applications");
        QString volumesFolder = QStringLiteral("/Volumes");
        Tools tools = {};
    };

    // Where install() put the new copy, or why it failed.
    struct Installed
    {
        std::optional<QString> path;
        QString error;
    };

    explicit ApplicationsFolderMover(Environment environment);
    // Waits for an ejection under way.
    ~ApplicationsFolderMover();

    // True when a move is done and the relaunch under way: this instance is
    // ending and start-up goes no further.
    bool offerMoveIfNeeded();

    // Where a bundle lay before the system ran it from a translocated place.
    QString originalPath(const QString &path) const;
    // Below "/Applications/" or the Applications folder of `home`, both
    // judged with symbolic links resolved.
    bool isInApplicationsFolder(const QString &path, const QString &home) const;
    // False when it cannot be read.
    bool isOnReadOnlyVolume(const QString &path) const;
    // Copies `source` into the Applications folder as `originalName`. An
    // installed copy there is replaced only once the new one is complete.
    Installed install(const QString &source, const QString &originalName);
    // Hands over to a shell that waits for this process to exit, opens the
    // new copy and ejects `volume` when given; then ends this instance.
    void relaunch(const QString &path, const std::optional<QString> &volume);
    // In the background: ejects any mounted installer disk image holding
    // this application.
    void ejectInstallerDiskImages();
    void waitForBackgroundWork();

    static AlertRequest moveAlert(bool fromReadOnlyVolume);
    static AlertRequest failureAlert(const QString &error);
    static QString relaunchScript(const Tools &tools = {});
    static QStringList relaunchArguments(const Tools &tools, qint64 processIdentifier, const QString &path,
                                         const std::optional<QString> &volume);

private:
    void ejectInstallerDiskImagesNow(const QString &bundleIdentifier);

    Environment m_env;
    // Last, so it waits for its work before anything that work uses goes.
    QThreadPool m_background;
};

} // namespace Velmora
