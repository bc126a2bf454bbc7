#pragma once

#include "platform/runningapplication.h"
#include "services/windowpreviewitem.h"

#include <QString>

#include <optional>

namespace Velmora {

class TaskbarStore;

// What a window card asks of the rest of the product: its window's name and
// the actions on that window. The application answers with the store
// (StoreWindowCardActions); tests record the calls.
class WindowCardActions
{
public:
    virtual ~WindowCardActions();

    // The name the user gave the window, while it still names this window.
    virtual std::optional<QString> customWindowName(const WindowPreviewItem &preview) const = 0;
    // Stores `name`, trimmed; an empty name gives the window its own title back.
    virtual void renameWindow(const WindowPreviewItem &preview, const QString &name) = 0;
    virtual void closeWindow(const WindowPreviewItem &preview) = 0;
    virtual void dismissWindowPicker() = 0;
    virtual std::optional<RunningApplication> runningApplication(qint32 processIdentifier) const = 0;
    virtual bool isFocusedWindow(const WindowPreviewItem &preview, const RunningApplication &application) const = 0;
    virtual void minimizeFocusedWindow(const WindowPreviewItem &preview, const RunningApplication &application) = 0;
    // Notes the user's pick in the focus history before the window comes forward.
    virtual void recordRequestedWindow(const QString &previewID, qint32 processIdentifier) = 0;
    virtual void focusRequestedWindow(
        const WindowPreviewItem &preview, const RunningApplication &application, bool useNativeRestoreActivation) = 0;
};

// The picker's tooltip: a title shown after the pointer settles, and hidden
// by every press, drag, rename and disappearance.
class CardTooltip
{
public:
    virtual ~CardTooltip();

    virtual void schedule(const QString &title) = 0;
    virtual void hide() = 0;
};

} // namespace Velmora
