#pragma once

#include "platform/runningapplication.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

namespace Velmora {

// The running applications and what the desktop can do with them.
// Notifications are delivered on the main thread.
class Workspace : public QObject
{
    Q_OBJECT
public:
    // Options of activate(), as the desktop numbers them.
    enum ActivationOption : quint32 {
        ActivateAllWindows = 1 << 0,
        ActivateIgnoringOtherApps = 1 << 1,
    };
    struct OpenConfiguration {
        bool activates = true;
        bool createsNewApplicationInstance = false;
    };
    // The application that was opened (or the running one that answered), or
    // an error text; one of them is set.
    using OpenCompletion = std::function<void(std::optional<RunningApplication> application, QString error)>;

    using QObject::QObject;
    ~Workspace() override;

    // This process.
    virtual qint32 currentProcessIdentifier() const = 0;
    // In launch order. Terminated applications are not listed.
    virtual QList<RunningApplication> runningApplications() const = 0;
    virtual std::optional<RunningApplication> application(qint32 pid) const = 0;
    virtual QList<RunningApplication> runningApplications(const QString &bundleIdentifier) const;
    virtual std::optional<RunningApplication> frontmostApplication() const = 0;

    // Each returns false when the application is gone or refuses.
    virtual bool activate(qint32 pid, quint32 options) = 0;
    virtual bool hide(qint32 pid) = 0;
    virtual bool unhide(qint32 pid) = 0;
    virtual bool terminate(qint32 pid) = 0;

    // Where the application with `bundleIdentifier` is installed; nothing when unknown.
    virtual std::optional<QString> urlForApplication(const QString &bundleIdentifier) const = 0;
    // Opens (launches, or reopens when running) the application bundle at
    // `bundlePath`. `completion` may be empty; otherwise it runs once on
    // `context`'s thread while `context` lives.
    virtual void openApplication(const QString &bundlePath, const OpenConfiguration &configuration, QObject *context,
                                 OpenCompletion completion) = 0;
    virtual bool openUrl(const QUrl &url) = 0;
    // Shows the files in the file manager, selected.
    virtual void activateFileViewerSelecting(const QStringList &paths) = 0;
    // As activateFileViewerSelecting(), telling whether a file manager showed
    // them: `completion` runs once on `context`'s thread while `context`
    // lives. Where nothing can tell, the files count as shown.
    virtual void revealFiles(const QStringList &paths, QObject *context, std::function<void(bool shown)> completion);
    // The user asked the system for less motion: animations become instant.
    virtual bool accessibilityDisplayShouldReduceMotion() const = 0;

signals:
    void applicationLaunched(const Velmora::RunningApplication &application);
    void applicationTerminated(const Velmora::RunningApplication &application);
    void applicationActivated(const Velmora::RunningApplication &application);
    void applicationDeactivated(const Velmora::RunningApplication &application);
    void applicationHidden(const Velmora::RunningApplication &application);
    void applicationUnhidden(const Velmora::RunningApplication &application);
    void activeSpaceChanged();
};

} // namespace Velmora
