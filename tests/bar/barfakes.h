#pragma once

#include "bar/model/baractions.h"

#include <QStringList>

namespace Velmora::Test {

// Records what the bar asked for, as "call:argument" lines.
class RecordingBarActions final : public BarActions
{
public:
    QStringList calls;
    // How many of the next presses are the click that closed a popover.
    int dismissingClicks = 0;
    std::optional<QString> customName;

    QStringList take() { return std::exchange(calls, {}); }

    void handleTaskbarClick(const AppItem &app, quint32 displayID) override
    {
        calls << QStringLiteral("click:%1@%2").arg(app.id).arg(displayID);
    }
    bool consumeDismissingClick() override
    {
        if (dismissingClicks <= 0)
            return false;
        --dismissingClicks;
        return true;
    }
    void hide() override { calls << QStringLiteral("hideTooltip"); }
    void scheduleTooltip(const QString &title) override { calls << QStringLiteral("tooltip:") + title; }
    void open(const AppItem &app) override { calls << QStringLiteral("open:") + app.id; }
    void focusWindow(const WindowPreviewItem &preview, const RunningApplication &) override
    {
        calls << QStringLiteral("focus:") + preview.id;
    }
    std::optional<QString> customWindowName(const WindowPreviewItem &) const override { return customName; }
    void revealApplicationInFinder(const AppItem &app) override { calls << QStringLiteral("reveal:") + app.id; }
    void showAllWindows(const AppItem &app, const RunningApplication &, quint32 displayID) override
    {
        calls << QStringLiteral("showAll:%1@%2").arg(app.id).arg(displayID);
    }
    void performMenuAction(const ApplicationMenuAction &action, const RunningApplication &) override
    {
        calls << QStringLiteral("perform:") + action.title;
    }
    void openUrl(const QUrl &url) override { calls << QStringLiteral("openUrl:") + url.toString(); }
    void hideApplication(const RunningApplication &application) override
    {
        calls << QStringLiteral("hideApp:") + application.bundleIdentifier;
    }
    void terminateApplication(const RunningApplication &application) override
    {
        calls << QStringLiteral("quit:") + application.bundleIdentifier;
    }
    void presentTaskManager() override { calls << QStringLiteral("presentTaskManager"); }
    void closeTaskManager() override { calls << QStringLiteral("closeTaskManager"); }
    void toggleSearch() override { calls << QStringLiteral("toggleSearch"); }
};

} // namespace Velmora::Test
