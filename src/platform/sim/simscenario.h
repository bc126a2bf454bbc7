#pragma once

#include <QByteArray>
#include <QString>

namespace Velmora::Sim {

class SimDesktop;

// Scenarios of the simulated desktop as JSON: what runs, which windows are
// where, displays, permissions, the Dock's preferences.
//
//   {
//     "selfPid": 100, "currentSpace": 1, "frontmost": 412, "reduceMotion": false,
//     "behaviour": {"activationRaiseDelayMs": 40, ...}, // SimKnobs by name
//     "permissions": {"accessibility": true, "screenCapture": "granted" | "denied" | "notDetermined",
//                     "screenCaptureOnRequest": false, "accessibilityOnPrompt": false,
//                     "screenCaptureAwaitsRestart": false, "postEvents": true},
//     "missingPrivateFunctions": ["_AXUIElementGetWindow"],
//     "displays": [{"id": 1, "name": "Built-in", "bounds": [0, 0, 1512, 982], "scale": 2}],
//     "preferences": {"com.apple.dock": {"orientation": "bottom", "autohide": false}},
//     "installed": [{"bundleId": "...", "name": "...", "path": "...", "policy": "regular",
//                    "windows": ["title"], "menuBar": [...], "launchMs": 300, "icon": "web-browser"}],
//     "processes": [{"pid": 412, "bundleId": "...", "name": "...", "path": "...", "executable": "...",
//                    "policy": "regular" | "accessory" | "prohibited", "hidden": false, "hung": false,
//                    "launchDate": 1800000000000, "minimizeMs": 250, "closeMs": 100, "siblingsRise": true,
//                    "menuBar": [...], "icon": "web-browser"}],
//     "windows": [ /* front to back */ {"number": 8812, "owner": 412, "title": "...", "bounds": [x, y, w, h],
//                  "layer": 0, "alpha": 1, "visible": true, "minimized": false, "space": 1,
//                  "fullScreen": false, "desktopElement": false, "subrole": "AXStandardWindow",
//                  "closeButton": true, "minimizeButton": true, "minimizeEnabled": true, "tabs": [],
//                  "closeShowsSheet": false, "sheetOpen": false, "accessible": true, "inWindowList": true,
//                  "remoteId": 47, "dockTitle": "", "windowListOverrides": {"kCGWindowLayer": "zero"}}],
//     "fullScreenSpaces": [{"space": 1000, "display": 1, "window": 8812, "previousSpace": 1,
//                           "previousBounds": [x, y, w, h], "shown": true}]
//   }
//
// A menu item: {"title": "New Window", "enabled": true, "key": "n", "modifiers": 0,
// "command": "newWindow", "items": [...]}. Every field but a window's owner
// and a process's name may be left out; bounds are top-left origin, y down.
// "icon" names an icon of the desktop's icon theme that stands for the
// application; a name the theme does not have means no icon, as does none.
class SimScenario
{
public:
    // Replaces the world with the scenario. On malformed JSON nothing
    // changes, false is returned and `error` says why.
    static bool load(SimDesktop &desktop, const QByteArray &json, QString *error = nullptr);
    static bool loadFile(SimDesktop &desktop, const QString &path, QString *error = nullptr);
    // The world as a scenario; loading it gives the same world.
    static QByteArray save(const SimDesktop &desktop);
    // The scenario the application starts with: several applications with windows on two displays.
    static QByteArray builtIn();
};

} // namespace Velmora::Sim
