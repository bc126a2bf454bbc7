#include "picker/model/storewindowcardactions.h"

#include "platform/workspace.h"
#include "store/taskbarstore.h"

namespace Velmora {

// The store's window actions are still being completed: until they are,
// only closing the picker and finding the application are carried out.

StoreWindowCardActions::StoreWindowCardActions(TaskbarStore &store)
    : m_store(store)
{
}

std::optional<QString> StoreWindowCardActions::customWindowName(const WindowPreviewItem &) const
{
    return std::nullopt;
}

void StoreWindowCardActions::renameWindow(const WindowPreviewItem &, const QString &) {}

void StoreWindowCardActions::closeWindow(const WindowPreviewItem &) {}

void StoreWindowCardActions::dismissWindowPicker()
{
    m_store.windowPicker().dismissWindowPicker();
}

std::optional<RunningApplication> StoreWindowCardActions::runningApplication(qint32 processIdentifier) const
{
    return m_store.environment().workspace.application(processIdentifier);
}

bool StoreWindowCardActions::isFocusedWindow(const WindowPreviewItem &, const RunningApplication &) const
{
    return false;
}

void StoreWindowCardActions::minimizeFocusedWindow(const WindowPreviewItem &, const RunningApplication &) {}

void StoreWindowCardActions::recordRequestedWindow(const QString &, qint32) {}

void StoreWindowCardActions::focusRequestedWindow(const WindowPreviewItem &, const RunningApplication &, bool) {}

} // namespace Velmora
