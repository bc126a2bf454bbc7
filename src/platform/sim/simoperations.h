#pragma once

#include <QLatin1String>

// Names of the operations in the simulated desktop's request log and its
// failure injection.
namespace Velmora::Sim::SimOperations {

inline constexpr QLatin1String IsProcessTrusted{"isProcessTrusted"};
inline constexpr QLatin1String CopyAttributeValue{"copyAttributeValue"};
inline constexpr QLatin1String CopyMultipleAttributeValues{"copyMultipleAttributeValues"};
inline constexpr QLatin1String AttributeValueCount{"attributeValueCount"};
inline constexpr QLatin1String IsAttributeSettable{"isAttributeSettable"};
inline constexpr QLatin1String SetAttributeValue{"setAttributeValue"};
inline constexpr QLatin1String PerformAction{"performAction"};
inline constexpr QLatin1String SetMessagingTimeout{"setMessagingTimeout"};
inline constexpr QLatin1String ElementAtPosition{"elementAtPosition"};
inline constexpr QLatin1String CreateObserver{"createObserver"};
inline constexpr QLatin1String AddNotification{"addNotification"};
inline constexpr QLatin1String RemoveNotification{"removeNotification"};

inline constexpr QLatin1String CopyWindowInfo{"copyWindowInfo"};
inline constexpr QLatin1String ActiveDisplayList{"activeDisplayList"};

inline constexpr QLatin1String Activate{"activate"};
inline constexpr QLatin1String Hide{"hide"};
inline constexpr QLatin1String Unhide{"unhide"};
inline constexpr QLatin1String Terminate{"terminate"};
inline constexpr QLatin1String OpenApplication{"openApplication"};
inline constexpr QLatin1String OpenUrl{"openUrl"};
inline constexpr QLatin1String RevealFiles{"activateFileViewerSelecting"};

// Private functions are logged under their own names; CallPrivateFunction
// with the function's name selects them for failure injection.
inline constexpr QLatin1String CallPrivateFunction{"callPrivateFunction"};

inline constexpr QLatin1String CreateMouseTap{"createMouseTap"};
inline constexpr QLatin1String CreateKeyTap{"createKeyTap"};
inline constexpr QLatin1String PostKeyEvent{"postKeyEvent"};

inline constexpr QLatin1String RequestScreenCaptureAccess{"requestScreenCaptureAccess"};
inline constexpr QLatin1String ShareableContent{"shareableContent"};
inline constexpr QLatin1String CaptureWindowImage{"captureWindowImage"};
inline constexpr QLatin1String CaptureDisplayImage{"captureDisplayImage"};

inline constexpr QLatin1String CopyPreference{"copyPreference"};
inline constexpr QLatin1String SetPreference{"setPreference"};
inline constexpr QLatin1String SynchronizePreferences{"synchronizePreferences"};
inline constexpr QLatin1String PostDistributedNotification{"postDistributedNotification"};
inline constexpr QLatin1String StartDetached{"startDetached"};
inline constexpr QLatin1String Relaunch{"relaunchWhenExited"};
inline constexpr QLatin1String SetActivationPolicy{"setActivationPolicy"};
inline constexpr QLatin1String ActivateIgnoringOtherApps{"activateIgnoringOtherApps"};

} // namespace Velmora::Sim::SimOperations
