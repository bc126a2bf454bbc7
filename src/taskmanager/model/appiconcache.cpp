#include "taskmanager/model/appiconcache.h"

#include "platform/fileicons.h"
#include "store/velmoraicon.h"
#include "taskmanager/model/taskmanagerpalette.h"
#include "taskmanager/model/taskmanagersymbols.h"

namespace Velmora {

AppIconCache::AppIconCache(FileIcons &icons)
    : m_icons(icons)
{
}

QIcon AppIconCache::fallback(FileIcons &icons)
{
    static const QString gear = QStringLiteral("gearshape");
    if (auto symbol = icons.symbolImage(gear))
        return *symbol;
    return TaskManagerSymbols::icon(gear, TaskManagerPalette::secondary());
}

QIcon AppIconCache::icon(const std::optional<QString> &path)
{
    if (!path)
        return fallback(m_icons);
    if (const auto found = m_cache.constFind(*path); found != m_cache.cend())
        return *found;
    const QIcon icon = VelmoraIcon::isOwnBundle(*path, m_icons.ownBundlePath()) ? VelmoraIcon::ownAppIcon()
                                                                                : m_icons.iconForFile(*path);
    m_cache.insert(*path, icon);
    return icon;
}

} // namespace Velmora
