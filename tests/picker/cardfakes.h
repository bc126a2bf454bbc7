#pragma once

#include "picker/model/windowcardactions.h"

#include <QHash>
#include <QStringList>

namespace Velmora::Test {

// Window actions that record what a card asked for, in order.
struct RecordingCardActions : WindowCardActions
{
    QStringList log;
    QHash<QString, QString> customNames;
    std::optional<RunningApplication> application = [] {
        RunningApplication app;
        app.processIdentifier = 1;
        return app;
    }();
    bool focused = false;

    std::optional<QString> customWindowName(const WindowPreviewItem &preview) const override
    {
        if (auto it = customNames.find(preview.id); it != customNames.end())
            return *it;
        return std::nullopt;
    }
    void renameWindow(const WindowPreviewItem &preview, const QString &name) override
    {
        log << QStringLiteral("rename %1 '%2'").arg(preview.title, name);
        if (name.trimmed().isEmpty())
            customNames.remove(preview.id);
        else
            customNames.insert(preview.id, name.trimmed());
    }
    void closeWindow(const WindowPreviewItem &preview) override { log << "close " + preview.title; }
    void dismissWindowPicker() override { log << "dismiss"; }
    std::optional<RunningApplication> runningApplication(qint32) const override { return application; }
    bool isFocusedWindow(const WindowPreviewItem &, const RunningApplication &) const override { return focused; }
    void minimizeFocusedWindow(const WindowPreviewItem &preview, const RunningApplication &) override
    {
        log << "minimize " + preview.title;
    }
    void recordRequestedWindow(const QString &previewID, qint32 processIdentifier) override
    {
        log << QStringLiteral("record %1 %2").arg(previewID).arg(processIdentifier);
    }
    void focusRequestedWindow(
        const WindowPreviewItem &preview, const RunningApplication &, bool useNativeRestoreActivation) override
    {
        log << QStringLiteral("focus %1 native=%2").arg(preview.title).arg(useNativeRestoreActivation);
    }
};

// The picker's tooltip as a log: "show <title>" or "hide".
struct RecordingTooltip : CardTooltip
{
    QStringList log;
    void schedule(const QString &title) override { log << "show " + title; }
    void hide() override { log << "hide"; }
    QString last() const { return log.isEmpty() ? QString() : log.last(); }
};

} // namespace Velmora::Test
