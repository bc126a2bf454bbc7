#pragma once

#include "platform/displayinfo.h"
#include "platform/favoritefolders.h"
#include "platform/runningapplication.h"
#include "platform/sim/siminstalledapplication.h"
#include "platform/sim/simnode.h"
#include "platform/sim/simprocess.h"
#include "platform/sim/simwindow.h"

#include <QHash>
#include <QLatin1String>
#include <QList>
#include <QMap>
#include <QPointF>
#include <QSet>
#include <QVariantMap>

#include <functional>
#include <optional>

namespace Velmora::Sim {

enum class SimPermission { NotDetermined, Denied, Granted };

// The Space of its own that a full-screen window has on its display.
struct SimFullScreenSpace {
    int space = 0;
    quint32 displayId = 0;
    quint32 window = 0;
    // Where the window was before, to go back to.
    int previousSpace = 1;
    QRectF previousBounds;

    friend bool operator==(const SimFullScreenSpace &, const SimFullScreenSpace &) = default;
};

// The permissions the user gave this process, and what the user does when asked.
struct SimPermissions {
    bool accessibilityTrusted = true;
    // What the settings say. Granted while this process runs, it reaches the
    // process's own check only after a restart (`screenCaptureAwaitsRestart`);
    // screen captures work at once.
    SimPermission screenCapture = SimPermission::Granted;
    bool screenCaptureAwaitsRestart = false;
    // Whether the user grants screen recording when the system asks, and
    // accessibility when the product prompts for it (both in the settings).
    bool grantsScreenCaptureOnRequest = false;
    bool grantsAccessibilityOnPrompt = false;
    bool postEventAccess = true;

    friend bool operator==(const SimPermissions &, const SimPermissions &) = default;
};

// The data of the simulated desktop and its stacking order, with the rules
// that derive what is seen from it (what is on screen, which window is an
// application's focused one, what lies under a point). Plain data: no lock,
// no clock, no notifications. SimDesktop keeps one behind its lock and adds
// the behaviour, the notifications and the time.
class SimWorld
{
public:
    static constexpr qint32 DefaultSelfPid = 100;
    static constexpr QLatin1String DockBundleIdentifier{"com.apple.dock"};

    // --- Processes --------------------------------------------------------------

    qint32 selfPid() const { return m_selfPid; }
    void setSelfPid(qint32 pid) { m_selfPid = pid; }

    SimProcess *process(qint32 pid);
    const SimProcess *process(qint32 pid) const;
    // In launch order.
    const QList<qint32> &launchOrder() const { return m_launchOrder; }
    QList<SimProcess> processes() const;
    // Adds a running process with a new life and returns its pid (a new one
    // when `process.pid` is 0); 0 when the pid belongs to a running process.
    qint32 addProcess(SimProcess process, qint64 nowWallClockMs);
    // Removes a process whose windows are gone.
    void removeProcess(qint32 pid);

    // --- Windows and their stacking order ---------------------------------------

    SimWindow *window(quint32 number);
    const SimWindow *window(quint32 number) const;
    qsizetype windowCount() const { return m_windows.size(); }
    // Every window, front to back.
    QList<SimWindow> windows() const;
    // The stacking order of every layer as kept, not sorted by layer: within
    // one layer it is that layer's order.
    const QList<quint32> &unsortedStackingOrder() const { return m_order; }
    // Adds a window in front of every other window of its layer and returns
    // its number (a new one when `window.number` is 0); 0 when the owner is
    // unknown or the number is taken.
    quint32 addWindow(SimWindow window);
    void removeWindow(quint32 number);

    // Every window front to back: higher layers in front, the stack within a layer.
    QList<quint32> stackingOrder() const;
    // Visits every window front to back without copying it.
    void forEachWindow(const std::function<void(const SimWindow &)> &visit) const;
    // Brings the windows to the front, keeping their given order.
    void bringToFront(const QList<quint32> &frontToBack);
    // Puts the window directly behind `anchor` (any application's) unless it
    // lies in front of it already.
    void placeBehind(quint32 number, quint32 anchor);
    // Puts the window in front of its application's other windows only,
    // leaving other applications' windows where they are.
    void placeInFrontOfSiblings(quint32 number);
    // Replaces the order (front to back); unknown numbers are ignored and the
    // windows left out keep their relative order behind the given ones.
    void setStackingOrder(const QList<quint32> &frontToBack);

    // --- What is seen ------------------------------------------------------------

    bool isOnScreen(const SimWindow &window) const;
    // On the Space its display shows (a window on every Space always is).
    bool isOnCurrentSpace(const SimWindow &window) const;
    // The application's focused window: its frontmost visible window on this Space.
    std::optional<quint32> focusedWindow(qint32 pid) const;
    // The application's windows as accessibility lists them, in its window order.
    QList<quint32> accessibleWindows(qint32 pid) const;
    // The front-most window drawn at a point (layer 0 and above, on screen).
    std::optional<quint32> windowAt(const QPointF &globalPoint) const;
    std::optional<quint32> windowForRemoteElement(qint32 pid, quint64 remoteElementId) const;
    RunningApplication runningApplication(const SimProcess &process) const;
    // The frame drawn on screen: the animated one while minimizing or restoring.
    static QRectF drawnFrame(const SimWindow &window)
    {
        return window.animatedFrame.isNull() ? window.bounds : window.animatedFrame;
    }
    // The display holding most of a frame's centre; the primary one when none does.
    const DisplayInfo *displayAt(const QRectF &bounds) const;
    // A title-bar button's rectangle (top-left origin).
    static QRectF buttonFrame(const SimWindow &window, SimNode::Kind button);

    std::optional<qint32> frontmost() const { return m_frontmost; }
    void setFrontmost(std::optional<qint32> pid) { m_frontmost = pid; }
    // The Space every display shows unless it shows a full-screen Space.
    int currentSpace() const { return m_currentSpace; }
    void setCurrentSpace(int space) { m_currentSpace = space; }
    // The Space a display shows now.
    int spaceShownOn(quint32 displayId) const { return m_shownSpaces.value(displayId, m_currentSpace); }
    // The display shows a full-screen Space; 0 goes back to the current Space.
    void showSpace(quint32 displayId, int space);
    void showCurrentSpaceEverywhere() { m_shownSpaces.clear(); }
    const QHash<int, SimFullScreenSpace> &fullScreenSpaces() const { return m_fullScreenSpaces; }
    // A new full-screen Space; its number is new.
    int addFullScreenSpace(SimFullScreenSpace space);
    void removeFullScreenSpace(int space);
    // The display a window is on: its full-screen Space's, or the one holding its centre.
    const DisplayInfo *displayOf(const SimWindow &window) const;

    // --- Displays, input, permissions and the rest ----------------------------------

    const QList<DisplayInfo> &displays() const { return m_displays; }
    void setDisplays(QList<DisplayInfo> displays) { m_displays = std::move(displays); }
    QPointF pointer() const { return m_pointer; }
    void setPointer(const QPointF &point) { m_pointer = point; }

    SimPermissions &permissions() { return m_permissions; }
    const SimPermissions &permissions() const { return m_permissions; }
    bool reducesMotion() const { return m_reducesMotion; }
    void setReducesMotion(bool reduces) { m_reducesMotion = reduces; }
    QSet<QString> &missingPrivateFunctions() { return m_missingPrivateFunctions; }
    const QSet<QString> &missingPrivateFunctions() const { return m_missingPrivateFunctions; }
    QMap<QString, QVariantMap> &preferences() { return m_preferences; }
    const QMap<QString, QVariantMap> &preferences() const { return m_preferences; }
    void setPrivateFunctionAvailable(const QString &name, bool available);
    // The missing private functions, sorted.
    QStringList missingPrivateFunctionNames() const;
    // An invalid value removes the key.
    void setPreference(const QString &domain, const QString &key, const QVariant &value);
    QList<SimInstalledApplication> &installedApplications() { return m_installed; }
    const QList<SimInstalledApplication> &installedApplications() const { return m_installed; }
    QList<FavoriteFolderEntry> &favoriteFolders() { return m_favoriteFolders; }
    const QList<FavoriteFolderEntry> &favoriteFolders() const { return m_favoriteFolders; }

    // Removes every process, window, display and preference; keeps this
    // process's pid and the counters, so numbers are not given out twice.
    void clear();

private:
    qint32 m_selfPid = DefaultSelfPid;
    qint32 m_nextPid = 400;
    quint32 m_nextWindowNumber = 1000;
    quint64 m_nextLife = 1;
    QMap<qint32, SimProcess> m_processes;
    QList<qint32> m_launchOrder;
    QHash<quint32, SimWindow> m_windows;
    QList<quint32> m_order; // front to back, all layers; sorted by layer when listed
    std::optional<qint32> m_frontmost;
    int m_currentSpace = 1;
    QHash<int, SimFullScreenSpace> m_fullScreenSpaces;
    QHash<quint32, int> m_shownSpaces; // display id -> the full-screen Space it shows
    int m_nextSpace = 1000;
    QList<DisplayInfo> m_displays;
    QPointF m_pointer;
    SimPermissions m_permissions;
    bool m_reducesMotion = false;
    QSet<QString> m_missingPrivateFunctions;
    QMap<QString, QVariantMap> m_preferences;
    QList<SimInstalledApplication> m_installed;
    QList<FavoriteFolderEntry> m_favoriteFolders;
};

} // namespace Velmora::Sim
