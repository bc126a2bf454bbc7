#include "app/model/settingspage.h"

#include "app/model/settingstexts.h"
#include "store/taskbarstore.h"

namespace Velmora::SettingsPage {

PermissionRowState permissionRowState(bool granted, bool requested)
{
    if (granted)
        return PermissionRowState::Granted;
    return requested ? PermissionRowState::Requested : PermissionRowState::NotGranted;
}

bool launchAtLoginSwitchOn(bool isEnabled, bool needsApproval)
{
    return isEnabled || needsApproval;
}

QString launchAtLoginSubtitle(const QString &lastError, bool needsApproval)
{
    if (!lastError.isEmpty())
        return SettingsTexts::loginErrorPrefix + lastError;
    if (needsApproval)
        return SettingsTexts::loginNeedsApproval;
    return SettingsTexts::loginDefault;
}

void reportContentHeight(TaskbarStore &store, double height)
{
    const double previous = store.settingsContentHeight();
    store.setSettingsContentHeight(height);
    if (previous == 0)
        store.fitSettingsWindowToContent();
}

} // namespace Velmora::SettingsPage
