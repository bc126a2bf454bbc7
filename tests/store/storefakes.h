#pragma once

// Scriptable stand-ins for what the store reaches of the rest of the system.

#include "platform/workspace.h"
#include "store/appitem.h"
#include "store/focusrecorder.h"
#include "store/minimizeinterception.h"
#include "store/settingswindowhost.h"
#include "store/taskmanageropenstate.h"

#include <QHash>

namespace Velmora::Test {

// The ids of the items, in order: what most list checks compare.
inline QStringList ids(const QList<AppItem> &items)
{
    QStringList result;
    for (const AppItem &item : items)
        result << item.id;
    return result;
}

class FakeWorkspace final : public Workspace
{
public:
    QList<RunningApplication> applications;
    QHash<QString, QString> installed; // bundle identifier -> bundle path
    qint32 ownPid = 1;

    qint32 currentProcessIdentifier() const override { return ownPid; }
    QList<RunningApplication> runningApplications() const override { return applications; }
    std::optional<RunningApplication> application(qint32 pid) const override
    {
        for (const RunningApplication &app : applications) {
            if (app.processIdentifier == pid)
                return app;
        }
        return std::nullopt;
    }
    std::optional<RunningApplication> frontmostApplication() const override { return std::nullopt; }
    bool activate(qint32, quint32) override { return false; }
    bool hide(qint32) override { return false; }
    bool unhide(qint32) override { return false; }
    bool terminate(qint32) override { return false; }
    std::optional<QString> urlForApplication(const QString &bundleIdentifier) const override
    {
        const auto found = installed.constFind(bundleIdentifier);
        return found == installed.cend() ? std::nullopt : std::optional<QString>(*found);
    }
    void openApplication(const QString &, const OpenConfiguration &, QObject *, OpenCompletion) override { }
    bool openUrl(const QUrl &) override { return false; }
    void activateFileViewerSelecting(const QStringList &) override { }
    bool accessibilityDisplayShouldReduceMotion() const override { return false; }
};

inline RunningApplication runningApplication(
    qint32 pid, const QString &bundleID, const QString &name, ActivationPolicy policy = ActivationPolicy::Regular)
{
    RunningApplication app;
    app.processIdentifier = pid;
    app.bundleIdentifier = bundleID;
    app.localizedName = name;
    app.activationPolicy = policy;
    return app;
}

class FakeTaskManagerState final : public TaskManagerOpenState
{
public:
    bool open = false;
    bool isOpen() const override { return open; }
    void setOpen(bool value)
    {
        open = value;
        emit isOpenChanged(value);
    }
};

class FakeMinimizeInterception final : public MinimizeInterception
{
public:
    int starts = 0;
    int stops = 0;
    void start() override { ++starts; }
    void stop() override { ++stops; }
};

class FakeFocusRecorder final : public FocusRecorder
{
public:
    QList<qint32> recorded;
    int refreshes = 0;
    void recordFocusedWindow(qint32 pid) override { recorded.append(pid); }
    void refreshApplications(const QList<RunningApplication> &) override { ++refreshes; }
};

class FakeSettingsWindow final : public SettingsWindowHost
{
public:
    std::optional<QRectF> frame;
    bool open = false;
    double titleBarHeight = 28;
    std::optional<DisplayInfo> screen;
    QList<QRectF> framesSet;

    std::optional<QRectF> settingsWindowFrame() const override { return frame; }
    bool isSettingsWindowOpen() const override { return open; }
    double frameHeightForContentHeight(double contentHeight) const override { return contentHeight + titleBarHeight; }
    std::optional<DisplayInfo> settingsWindowScreen() const override { return screen; }
    void setSettingsWindowFrame(const QRectF &newFrame) override
    {
        frame = newFrame;
        framesSet.append(newFrame);
    }
};

} // namespace Velmora::Test
