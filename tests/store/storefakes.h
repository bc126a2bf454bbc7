#pragma once

// Scriptable stand-ins for what the store reaches of the rest of the system.

#include "platform/workspace.h"
#include "store/appitem.h"
#include "store/focusrecorder.h"
#include "store/minimizeinterception.h"
#include "store/settingswindowhost.h"
#include "store/taskbartooltip.h"
#include "store/taskmanageropenstate.h"
#include "store/windowcapture.h"
#include "../support/itemids.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringList>
#include <QPointer>

#include <functional>

namespace Velmora::Test {

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
    QHash<QString, quint64> recencies;
    void recordFocusedWindow(qint32 pid) override { recorded.append(pid); }
    void refreshApplications(const QList<RunningApplication> &) override { ++refreshes; }
    QStringList requested;
    void recordRequested(const QString &previewID, qint32) override { requested.append(previewID); }
    std::optional<quint64> recency(const QString &previewID) const override
    {
        const auto found = recencies.constFind(previewID);
        return found == recencies.cend() ? std::nullopt : std::optional<quint64>(*found);
    }
};

class FakeTooltip final : public TaskbarTooltip
{
public:
    int hides = 0;
    void hide() override { ++hides; }
};

// Screen recording whose answers a test hands out one by one, in any order, or never.
class FakeWindowCapture final : public WindowCapture
{
public:
    struct Probe
    {
        QPointer<QObject> context;
        std::function<void(bool)> done;
    };
    struct Capture
    {
        QList<WindowPreviewItem> previews;
        QPointer<QObject> context;
        std::function<void(Thumbnails)> done;
    };

    bool granted = true;
    // What a request answers; a refused request leaves `granted` as it is.
    bool grantsOnRequest = false;
    int requests = 0;
    QList<Probe> probes;
    QList<Capture> captures;

    bool isGranted() const override { return granted; }
    bool requestAccess() override
    {
        ++requests;
        if (grantsOnRequest)
            granted = true;
        return grantsOnRequest;
    }
    void probe(QObject *context, std::function<void(bool)> done) override
    {
        probes.append({ context, std::move(done) });
    }
    void captureThumbnails(
        const QList<WindowPreviewItem> &previews, QObject *context, std::function<void(Thumbnails)> done) override
    {
        captures.append({ previews, context, std::move(done) });
    }

    void answerProbe(qsizetype index, bool answer)
    {
        const Probe probe = probes.at(index);
        if (probe.context)
            probe.done(answer);
    }
    void completeCapture(qsizetype index, const Thumbnails &thumbnails)
    {
        const Capture capture = captures.at(index);
        if (capture.context)
            capture.done(thumbnails);
    }
};

// Background work held until a test lets it run, so a test decides when a
// fetch is still under way and when it has finished.
class ManualRunner
{
public:
    QList<std::function<void()>> jobs;

    std::function<void(std::function<void()>)> runner()
    {
        return [this](std::function<void()> work) { jobs.append(std::move(work)); };
    }
    // Runs every held job and delivers its result on the main thread, until
    // no result has set off more background work.
    void runAll()
    {
        do {
            while (!jobs.isEmpty())
                jobs.takeFirst()();
            QCoreApplication::processEvents();
        } while (!jobs.isEmpty());
    }
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
