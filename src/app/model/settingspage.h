#pragma once

#include <QString>

namespace Velmora {

class TaskbarStore;

// The settings page's decisions, without a widget.
namespace SettingsPage {

// A permission row: granted shows only its badge; not granted adds the
// button that asks; once asked on this page, the restart offer too.
enum class PermissionRowState { Granted, NotGranted, Requested };
PermissionRowState permissionRowState(bool granted, bool requested);

// The login item's switch shows on while the item is enabled or waits for
// the user's approval.
bool launchAtLoginSwitchOn(bool isEnabled, bool needsApproval);
// The login item row's subtitle: an error (an empty text is none) wins over
// the approval notice, which wins over the plain description.
QString launchAtLoginSubtitle(const QString &lastError, bool needsApproval);

// Records the page's measured height in the store. Only the first report
// after the store was created (and the first after reports of 0) fits the
// window to it; later ones just record it for the next time the window is shown.
void reportContentHeight(TaskbarStore &store, double height);

} // namespace SettingsPage

} // namespace Velmora
