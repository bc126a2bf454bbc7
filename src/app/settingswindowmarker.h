#pragma once

#include <QPointer>
#include <QWidget>

namespace Velmora {

class TaskbarStore;

// An invisible widget inside the settings page. Once the page sits in a
// window it gives that window the settings window's identity and look
// ("Velmora.Settings", the dark palette, a normal level, resizable down to a
// 540 by 440 content area, minimize and zoom buttons) and keeps the store's
// isSettingsWindowOpen in step with it: true while the window is visible or
// minimized, false once it closed. Whatever runs it again (a move into
// another window, any number of updates) leaves exactly one watch on one
// window.
class SettingsWindowMarker : public QWidget
{
    Q_OBJECT
public:
    static constexpr int minimumContentWidth = 540;
    static constexpr int minimumContentHeight = 440;
    static constexpr int maximumContentSize = 10000;

    explicit SettingsWindowMarker(TaskbarStore &store, QWidget *parent);
    ~SettingsWindowMarker() override;

    // Applies the identity and look to the window the marker is in, and
    // watches that window; nothing while the marker is in no window.
    void configureWindow();
    // The window being watched.
    QWidget *watchedWindow() const { return m_watched; }

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The window's open state, one turn of the loop after it changed, when
    // the change (a close, a minimize) has settled.
    void followWindowSoon();

    QPointer<TaskbarStore> m_store;
    QPointer<QWidget> m_watched;
    bool m_followPending = false;
};

} // namespace Velmora
