#pragma once

#include <QList>
#include <QString>

#include <optional>

class QWindow;

namespace Velmora {

// Which of the application's own windows share the generic "velmora-windows"
// bar entry, and what that entry is called.
//
// The settings window, the onboarding window and the Task Manager have bar
// buttons of their own, and the taskbar's panels and popovers are furniture,
// not windows the user switches to. The views say which is which by marking
// their top-level QWindow with a role (setRole); an unmarked window is an
// ordinary window of the application.
class VelmoraOwnWindows
{
public:
    enum class Role {
        None,
        Settings,
        Onboarding,
        TaskManager,
        Panel,
        // A flyout of the bar (Start menu, overflow list, window picker):
        // furniture like a panel, and recognised as a flyout by isFlyout().
        Popover,
    };

    struct Snapshot
    {
        QString title;
        bool isTitled = false;
        bool isPanel = false;
        bool hasOwnButton = false;
        bool isVisible = false;
        bool isMiniaturized = false;

        friend bool operator==(const Snapshot &, const Snapshot &) = default;
    };

    // The dynamic property that carries the role; its value is the role's
    // identifier text, so the settings window is found by "Velmora.Settings".
    static const char roleProperty[];
    static const QString settingsIdentifier;
    static const QString untitledEntryTitle; // "Velmora"

    static void setRole(QWindow *window, Role role);
    static Role role(const QWindow *window);
    // Whether `window` is one of the bar's flyouts: marked with the Popover
    // role, or of a class whose name contains "Popover".
    static bool isFlyout(const QWindow *window);
    static QString identifier(Role role);

    static Snapshot snapshot(const QWindow *window);
    // The entry's title: decided by the first titled, non-panel window without
    // a button of its own that is visible or minimized. Absent when none is.
    static std::optional<QString> buttonTitle(const QList<Snapshot> &snapshots);
    // The application's windows that belong to the entry, in window order.
    static QList<QWindow *> windows();
};

} // namespace Velmora
