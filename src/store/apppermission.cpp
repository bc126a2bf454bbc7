#include "store/apppermission.h"

namespace Velmora::AppPermissions {

const QList<AppPermission> &allCases()
{
    static const QList<AppPermission> cases { AppPermission::accessibility, AppPermission::screenRecording };
    return cases;
}

QString rawValue(AppPermission permission)
{
    switch (permission) {
    case AppPermission::accessibility:
        return QStringLiteral("accessibility");
    case AppPermission::screenRecording:
        return QStringLiteral("screenRecording");
    }
    Q_UNREACHABLE();
}

std::optional<AppPermission> fromRawValue(const QString &raw)
{
    for (AppPermission permission : allCases()) {
        if (rawValue(permission) == raw)
            return permission;
    }
    return std::nullopt;
}

} // namespace Velmora::AppPermissions
