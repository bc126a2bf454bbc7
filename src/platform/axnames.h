#pragma once

#include <QLatin1String>

// Names of accessibility attributes, actions, notifications, roles and
// subroles, as the accessibility service spells them.
namespace Velmora::AXNames {

// Attributes
inline constexpr QLatin1String Windows{"AXWindows"};
inline constexpr QLatin1String MainWindow{"AXMainWindow"};
inline constexpr QLatin1String FocusedWindow{"AXFocusedWindow"};
inline constexpr QLatin1String FocusedUIElement{"AXFocusedUIElement"};
inline constexpr QLatin1String Frontmost{"AXFrontmost"};
inline constexpr QLatin1String Hidden{"AXHidden"};
inline constexpr QLatin1String Main{"AXMain"};
inline constexpr QLatin1String Focused{"AXFocused"};
inline constexpr QLatin1String Minimized{"AXMinimized"};
inline constexpr QLatin1String FullScreen{"AXFullScreen"};
inline constexpr QLatin1String Title{"AXTitle"};
inline constexpr QLatin1String Role{"AXRole"};
inline constexpr QLatin1String Subrole{"AXSubrole"};
inline constexpr QLatin1String Position{"AXPosition"};
inline constexpr QLatin1String Size{"AXSize"};
inline constexpr QLatin1String Enabled{"AXEnabled"};
inline constexpr QLatin1String Parent{"AXParent"};
inline constexpr QLatin1String Children{"AXChildren"};
inline constexpr QLatin1String Tabs{"AXTabs"};
inline constexpr QLatin1String CloseButton{"AXCloseButton"};
inline constexpr QLatin1String MinimizeButton{"AXMinimizeButton"};
inline constexpr QLatin1String ZoomButton{"AXZoomButton"};
inline constexpr QLatin1String FullScreenButton{"AXFullScreenButton"};
inline constexpr QLatin1String MenuBar{"AXMenuBar"};
inline constexpr QLatin1String MenuItemCmdChar{"AXMenuItemCmdChar"};
inline constexpr QLatin1String MenuItemCmdModifiers{"AXMenuItemCmdModifiers"};
inline constexpr QLatin1String Sheets{"AXSheets"};

// Actions
inline constexpr QLatin1String Raise{"AXRaise"};
inline constexpr QLatin1String Press{"AXPress"};
inline constexpr QLatin1String ShowMenu{"AXShowMenu"};
inline constexpr QLatin1String Cancel{"AXCancel"};

// Notifications
inline constexpr QLatin1String WindowCreated{"AXWindowCreated"};
inline constexpr QLatin1String UIElementDestroyed{"AXUIElementDestroyed"};
inline constexpr QLatin1String FocusedWindowChanged{"AXFocusedWindowChanged"};
inline constexpr QLatin1String MainWindowChanged{"AXMainWindowChanged"};
inline constexpr QLatin1String WindowMiniaturized{"AXWindowMiniaturized"};
inline constexpr QLatin1String WindowDeminiaturized{"AXWindowDeminiaturized"};
inline constexpr QLatin1String WindowMoved{"AXWindowMoved"};
inline constexpr QLatin1String WindowResized{"AXWindowResized"};
inline constexpr QLatin1String Moved{"AXMoved"};
inline constexpr QLatin1String Resized{"AXResized"};
inline constexpr QLatin1String TitleChanged{"AXTitleChanged"};
inline constexpr QLatin1String ApplicationActivated{"AXApplicationActivated"};
inline constexpr QLatin1String ApplicationHidden{"AXApplicationHidden"};
inline constexpr QLatin1String ApplicationShown{"AXApplicationShown"};

// Roles
inline constexpr QLatin1String ApplicationRole{"AXApplication"};
inline constexpr QLatin1String WindowRole{"AXWindow"};
inline constexpr QLatin1String SheetRole{"AXSheet"};
inline constexpr QLatin1String ButtonRole{"AXButton"};
inline constexpr QLatin1String RadioButtonRole{"AXRadioButton"};
inline constexpr QLatin1String TabGroupRole{"AXTabGroup"};
inline constexpr QLatin1String TabRole{"AXTab"};
inline constexpr QLatin1String TabButtonRole{"AXTabButton"};
inline constexpr QLatin1String WebAreaRole{"AXWebArea"};
inline constexpr QLatin1String GroupRole{"AXGroup"};
inline constexpr QLatin1String ListRole{"AXList"};
inline constexpr QLatin1String MenuBarRole{"AXMenuBar"};
inline constexpr QLatin1String MenuBarItemRole{"AXMenuBarItem"};
inline constexpr QLatin1String MenuRole{"AXMenu"};
inline constexpr QLatin1String MenuItemRole{"AXMenuItem"};
inline constexpr QLatin1String DockItemRole{"AXDockItem"};

// Subroles
inline constexpr QLatin1String StandardWindow{"AXStandardWindow"};
inline constexpr QLatin1String Dialog{"AXDialog"};
inline constexpr QLatin1String FloatingWindow{"AXFloatingWindow"};
inline constexpr QLatin1String Unknown{"AXUnknown"};
inline constexpr QLatin1String CloseButtonSubrole{"AXCloseButton"};
inline constexpr QLatin1String MinimizeButtonSubrole{"AXMinimizeButton"};
inline constexpr QLatin1String TabButtonSubrole{"AXTabButton"};
inline constexpr QLatin1String ApplicationDockItem{"AXApplicationDockItem"};
inline constexpr QLatin1String MinimizedWindowDockItem{"AXMinimizedWindowDockItem"};

} // namespace Velmora::AXNames
