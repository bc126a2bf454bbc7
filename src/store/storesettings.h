#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

#include <optional>

namespace Velmora {

// Keys under which the store keeps its settings and lists in the user
// defaults. The texts are shared with earlier installations, so they never change.
namespace SettingsKeys {
inline constexpr auto recentApps = "RecentApplicationBundleIdentifiers";
inline constexpr auto pinnedApps = "PinnedApplicationBundleIdentifiers";
inline constexpr auto startPinnedApps = "StartPinnedApplicationBundleIdentifiers";
inline constexpr auto taskbarOrder = "TaskbarApplicationOrder";
inline constexpr auto windowPreviewSortOrder = "WindowPreviewSortOrder";
inline constexpr auto buttonAlignment = "TaskbarButtonAlignment";
inline constexpr auto showStartButton = "TaskbarShowStartButton";
inline constexpr auto showSearchButton = "TaskbarShowSearchButton";
inline constexpr auto keepWindowOrder = "KeepWindowOrder";
inline constexpr auto permissionPromptShownPrefix = "PermissionPromptShown.";
} // namespace SettingsKeys

// Where the bar's buttons sit. The settings page lists the cases in this order.
enum class TaskbarButtonAlignment { Left, Center, Right };

// How the window picker orders its cards. The settings page lists the cases in this order.
enum class WindowPreviewSortOrder { LastUsed, Alphabetical, Fixed };

// Raw texts as stored in the user defaults. Parsing is exact and
// case-sensitive: any other text is no value, so the caller falls back.
QString rawValue(TaskbarButtonAlignment alignment);
QString rawValue(WindowPreviewSortOrder order);
std::optional<TaskbarButtonAlignment> taskbarButtonAlignment(const QString &raw);
std::optional<WindowPreviewSortOrder> windowPreviewSortOrder(const QString &raw);
const QList<TaskbarButtonAlignment> &allTaskbarButtonAlignments();
const QList<WindowPreviewSortOrder> &allWindowPreviewSortOrders();

} // namespace Velmora

Q_DECLARE_METATYPE(Velmora::TaskbarButtonAlignment)
Q_DECLARE_METATYPE(Velmora::WindowPreviewSortOrder)
