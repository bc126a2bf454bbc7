#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace Velmora {

// The two system permissions the product asks for. The raw value is part of
// stored keys ("PermissionPromptShown." + raw value), so it never changes.
enum class AppPermission { accessibility, screenRecording };

namespace AppPermissions {

const QList<AppPermission> &allCases();
QString rawValue(AppPermission permission);
// Lists tell permissions apart by their raw value.
inline QString id(AppPermission permission)
{
    return rawValue(permission);
}
// Exactly the two raw values, case-sensitive; nothing for any other text.
std::optional<AppPermission> fromRawValue(const QString &raw);

} // namespace AppPermissions

} // namespace Velmora
