#pragma once

#include "app/model/englishspelling.h"

#include <QString>

// The Start menu's texts, in one place.
namespace Velmora::StartMenuTexts {

inline QString searchPlaceholder() { return QStringLiteral("Search"); }
inline QString noAppsTitle() { return QStringLiteral("No apps found"); }
inline QString noAppsDescription() { return QStringLiteral("Try a different app name."); }
inline QString pinnedTitle() { return QStringLiteral("Pinned Apps"); }
inline QString pinnedHint() { return QStringLiteral("Right-click an app and choose Pin to Start menu."); }
inline QString recentTitle() { return QStringLiteral("Recent Apps"); }
inline QString favouritesCaption() { return QStringLiteral("From Finder"); }

inline QString favouritesTitle(EnglishSpelling::Variant spelling)
{
    return spelling == EnglishSpelling::British ? QStringLiteral("Favourites") : QStringLiteral("Favorites");
}

inline QString favouritesHint(EnglishSpelling::Variant spelling)
{
    return spelling == EnglishSpelling::British ? QStringLiteral("No folders have been added to Finder favourites.")
                                                : QStringLiteral("No folders have been added to Finder favorites.");
}

} // namespace Velmora::StartMenuTexts
