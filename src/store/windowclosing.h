#pragma once

#include "services/windowpreviewitem.h"
#include "store/backgroundtasks.h"

#include <QObject>
#include <QSet>

namespace Velmora {

class Accessibility;
class CustomWindowNames;
class FileIcons;
class Scheduler;
class TaskbarTooltip;
class WindowCloseConfirmation;
class WindowPicker;
class WindowPreviewProvider;
class Workspace;

// Closing other applications' windows from the picker: one close per
// window at a time, a confirmation for a window with several tabs, the
// card's closing motion, and the picker closing with its last card. Part of
// the store; main thread only.
class WindowClosing : public QObject
{
    Q_OBJECT
public:
    // The card's closing motion; with reduced motion the card goes at once.
    static constexpr qint64 closingAnimationMs = 180;
    // A pressed close button is given this many looks, one per motion, for
    // the window to go; a window still there then stays, card and name.
    static constexpr int settleAttempts = 6;

    struct Services
    {
        Accessibility &accessibility;
        Workspace &workspace;
        Scheduler &scheduler;
        TaskbarTooltip &tooltip;
        // Counts a window's tabs, in the background.
        WindowPreviewProvider &windowPreviews;
        // Asks before a window with several tabs closes; without it such a window stays.
        WindowCloseConfirmation *closeConfirmation = nullptr;
        FileIcons *fileIcons = nullptr;
        BackgroundTasks::Runner backgroundRunner = {};
    };

    // A closed window's card leaves `picker`, and its name leaves `names`.
    WindowClosing(Services services, WindowPicker &picker, CustomWindowNames &names);
    ~WindowClosing() override;

    // Closes the window, asking first when it holds more than one tab.
    void closeWindow(const WindowPreviewItem &preview);
    // Presses the window's close button. The card plays its closing motion
    // and goes with the window; with reduced motion it goes at once. True
    // when the press was carried out.
    bool performWindowClose(const WindowPreviewItem &preview);
    // Drops a card from the open picker, and the picker with its last card.
    void removeClosedWindowPreview(const QString &previewID);

    bool isClosing(const QString &previewID) const { return m_windowCloseRequests.contains(previewID); }

private:
    void closeConfirmed(const WindowPreviewItem &preview);
    // Whether the window has gone, without waiting on its application.
    bool isGone(const WindowPreviewItem &preview) const;
    // Retires the card and the name once the window has gone.
    void settle(const WindowPreviewItem &preview, int attempt);
    // Ends the card's closing motion; false when it was not playing.
    bool takeClosing(const QString &previewID);

    Services m_services;
    WindowPicker &m_picker;
    CustomWindowNames &m_names;
    QSet<QString> m_windowCloseRequests;
    // Last: its threads are joined before anything they report to goes.
    BackgroundTasks m_background;
};

} // namespace Velmora
