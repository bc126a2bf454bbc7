#pragma once

#include <QObject>
#include <QMenu>
#include <QPointer>

#include <functional>

class QWidget;

namespace Velmora {

class TaskbarTooltip;

// The right-click menu of a widget of the bar (the bar itself, an app
// button). It claims only right mouse-downs and Control-clicks on its target;
// ordinary clicks, hovers and drags reach the target as before. Presses the
// target's children do not take (a button ignores right-clicks) travel up to
// it, so the bar's menu opens wherever no button has a menu of its own.
//
// The menu is built at the moment of the click, never in advance: before it
// opens the tooltip goes and every open flyout closes at once.
class AppContextMenu : public QObject
{
    Q_OBJECT
public:
    // Builds a fresh menu; the anchor owns it and deletes it once it closed.
    // Answering nullptr opens nothing.
    using MakeMenu = std::function<QMenu *()>;

    // Gives `target` a context menu; a second call replaces the builder of the
    // first, as a view does on every update. The anchor lives as long as
    // `target`.
    // `tooltip`, when given, goes before a menu opens.
    static AppContextMenu *attach(QWidget *target, MakeMenu makeMenu, TaskbarTooltip *tooltip = nullptr);
    static AppContextMenu *of(const QWidget *target);

    void setMakeMenu(MakeMenu makeMenu) { m_makeMenu = std::move(makeMenu); }

    // Whether a mouse-down opens a context menu.
    static bool isMenuClick(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

    // Where a menu of `size` opened by a click at `pointer` goes (its top
    // left): below and right of the pointer as usual; where it would run past
    // the bottom of `screen`, as near the bar it usually is, above the
    // pointer instead, so it never covers the button that opened it. Kept on
    // the screen.
    static QPoint menuPosition(const QPoint &pointer, const QSize &size, const QRect &screen);
    // Sends a leave to every widget of `window` that still counts the
    // pointer as over it when it is not; run when a menu closes.
    static void endStaleHovers(QWidget *window);

    // Builds the menu and pops it up at `globalPosition`. The menu, or nullptr
    // when there is no builder or it made none.
    QMenu *popUp(const QPoint &globalPosition);
    // The menu on screen now, if any.
    QMenu *openMenu() const { return m_openMenu; }

signals:
    void menuOpened(QMenu *menu);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit AppContextMenu(QWidget *target);

    QWidget *m_target;
    MakeMenu m_makeMenu;
    TaskbarTooltip *m_tooltip = nullptr;
    QPointer<QMenu> m_openMenu;
};

} // namespace Velmora
