#pragma once

#include "app/model/englishspelling.h"
#include "store/apppermission.h"
#include "store/storesettings.h"

#include <QString>

namespace Velmora {

// Every text of the settings window, in one place. Texts that American and
// British English spell differently take `spelling`.
namespace SettingsTexts {

inline const QString windowTitle = QStringLiteral("Velmora Settings");
inline const QString productName = QStringLiteral("Velmora");
inline const QString quit = QStringLiteral("Quit Velmora");

inline const QString general = QStringLiteral("General");
inline const QString taskbar = QStringLiteral("Taskbar");
inline const QString windows = QStringLiteral("Windows");
inline const QString permissions = QStringLiteral("Permissions");
inline const QString updates = QStringLiteral("Updates");

inline const QString openAtLogin = QStringLiteral("Open at login");
inline const QString openLoginItems = QStringLiteral("Open Login Items…");
inline const QString loginErrorPrefix = QStringLiteral("Couldn’t change this: ");
inline const QString loginNeedsApproval
    = QStringLiteral("Allow Velmora in System Settings > Login Items to finish turning this on.");
inline const QString loginDefault = QStringLiteral("Start Velmora automatically when you log in to your Mac.");

inline const QString buttonAlignment = QStringLiteral("Button alignment");
inline const QString buttonAlignmentSubtitle = QStringLiteral("Choose where your apps sit on the bar.");
inline const QString startButton = QStringLiteral("Start button");
inline const QString searchButton = QStringLiteral("Search button");
inline const QString searchButtonSubtitle = QStringLiteral("Keep Spotlight a click away.");

inline const QString previewOrder = QStringLiteral("Preview order");
inline const QString previewOrderSubtitle
    = QStringLiteral("Fixed keeps windows in place. Drag previews to arrange them.");
inline const QString keepWindowOrder = QStringLiteral("Keep window order when closing or minimizing");

inline const QString checkAutomatically = QStringLiteral("Check for updates automatically");
inline const QString checkAutomaticallySubtitle = QStringLiteral("Velmora checks once a day and asks before installing.");
inline const QString version = QStringLiteral("Version");
inline const QString versionPrefix = QStringLiteral("Velmora ");
inline const QString checkNow = QStringLiteral("Check for Updates Now");

inline const QString allowInSystemSettings = QStringLiteral("Allow in System Settings…");
inline const QString alreadyTurnedOn = QStringLiteral("Already turned it on?");
inline const QString restart = QStringLiteral("Restart Velmora");
inline const QString allowed = QStringLiteral("Allowed");
inline const QString notYetGranted = QStringLiteral("Not yet granted");

QString startButtonSubtitle(EnglishSpelling::Variant spelling);
QString keepWindowOrderSubtitle(EnglishSpelling::Variant spelling);
QString alignmentTitle(TaskbarButtonAlignment alignment, EnglishSpelling::Variant spelling);
QString sortOrderTitle(WindowPreviewSortOrder order);
QString permissionTitle(AppPermission permission);
QString permissionSubtitle(AppPermission permission);

} // namespace SettingsTexts

} // namespace Velmora
