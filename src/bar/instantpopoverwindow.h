#pragma once

#include "bar/model/animator.h"
#include "bar/model/popoversurface.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <functional>

namespace Velmora {

// The window of one flyout: a frameless top-level window, shown without
// activation (not a Qt popup, which would take the mouse grab and close on
// its own, so a flyout could neither stay open until the release that shows
// it nor refuse a close, and menus inside it would fight over the grab). It
// holds the content widget, fades in and out, and tells its delegate when
// it closes. Its class name contains "Popover" and its window carries the
// Popover role, which is how the rest of the application knows a flyout.
class InstantPopoverWindow : public QWidget, public PopoverSurface
{
    Q_OBJECT
public:
    static constexpr qint64 fadeInMs = 100;
    static constexpr qint64 fadeOutMs = 150;

    InstantPopoverWindow(Animator &animator, QWidget *content, const QSizeF &contentSize);
    ~InstantPopoverWindow() override;

    // PopoverSurface
    void setDelegate(Delegate *delegate) override { m_delegate = delegate; }
    bool isShown() const override { return m_state != State::Closed; }
    void show(const QRectF &anchorFrame, Qt::Edge edge) override;
    void close(bool animated) override;
    QSizeF contentSize() const override { return m_contentSize; }
    void setContentSize(const QSizeF &size) override;
    bool holdsWindow(const QWindow *window) const override;
    void abandon() override;

    QWidget *content() const { return m_content; }
    bool isClosing() const { return m_state == State::Closing; }

    // Told when a menu starts or stops showing while this window is up, with
    // whether the pointer was over this window when it started.
    std::function<void(QObject *menu, bool overWindow)> onMenuShown;
    std::function<void(QObject *menu)> onMenuHidden;
    // The content asked for a new layout: its ideal size may have changed.
    std::function<void()> onLayoutRequest;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    enum class State { Closed, Shown, Closing };

    void place();
    void finishClose();
    void setWatchingMenus(bool watching);

    Animator &m_animator;
    QPointer<QWidget> m_content;
    QWidget *m_outline = nullptr;
    Delegate *m_delegate = nullptr;
    State m_state = State::Closed;
    QSizeF m_contentSize;
    QRectF m_anchorFrame;
    Qt::Edge m_edge = Qt::TopEdge;
    Animator::Id m_fade = 0;
    bool m_isAbandoned = false;
    bool m_isWatchingMenus = false;
    // What the content looked like when it was handed back, shown while the
    // window finishes closing without it.
    QPixmap m_snapshot;
    // The window that had the keyboard before the flyout took it.
    QPointer<QWindow> m_keyboardBefore;
};

} // namespace Velmora
