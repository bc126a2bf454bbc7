#include "picker/model/storewindowcardactions.h"

#include "platform/workspace.h"
#include "store/customwindownames.h"
#include "store/focusrecorder.h"
#include "store/taskbarstore.h"
#include "store/windowactions.h"
#include "store/windowclosing.h"

namespace Velmora {

StoreWindowCardActions::StoreWindowCardActions(TaskbarStore &store)
    : m_store(store)
{
}

std::optional<QString> StoreWindowCardActions::customWindowName(const WindowPreviewItem &preview) const
{
    return std::as_const(m_store).customWindowNames().customWindowName(preview);
}

void StoreWindowCardActions::renameWindow(const WindowPreviewItem &preview, const QString &name)
{
    m_store.customWindowNames().renameWindow(preview, name);
}

void StoreWindowCardActions::closeWindow(const WindowPreviewItem &preview)
{
    m_store.windowClosing().closeWindow(preview);
}

void StoreWindowCardActions::dismissWindowPicker()
{
    m_store.windowPicker().dismissWindowPicker();
}

std::optional<RunningApplication> StoreWindowCardActions::runningApplication(qint32 processIdentifier) const
{
    return m_store.environment().workspace.application(processIdentifier);
}

bool StoreWindowCardActions::isFocusedWindow(
    const WindowPreviewItem &preview, const RunningApplication &application) const
{
    return m_store.windowActions().isFocusedWindow(preview, application);
}

void StoreWindowCardActions::minimizeFocusedWindow(
    const WindowPreviewItem &preview, const RunningApplication &application)
{
    m_store.windowActions().minimizeFocusedWindow(preview, application);
}

void StoreWindowCardActions::recordRequestedWindow(const QString &previewID, qint32 processIdentifier)
{
    m_store.environment().focusRecorder.recordRequested(previewID, processIdentifier);
}

void StoreWindowCardActions::focusRequestedWindow(
    const WindowPreviewItem &preview, const RunningApplication &application, bool useNativeRestoreActivation)
{
    m_store.windowActions().focusRequestedWindow(preview, application, useNativeRestoreActivation);
}

} // namespace Velmora
