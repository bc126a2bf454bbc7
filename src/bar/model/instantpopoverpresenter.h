#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

namespace Velmora {

// Anything that shows a flyout and can take it away at once, without its
// closing animation. Every live one is known, so that opening a context menu
// can first close every flyout of every display.
class InstantPopoverClosing
{
public:
    InstantPopoverClosing();
    virtual ~InstantPopoverClosing();
    InstantPopoverClosing(const InstantPopoverClosing &) = delete;
    InstantPopoverClosing &operator=(const InstantPopoverClosing &) = delete;

    virtual void closeImmediately() = 0;
};

// The handle through which the bar opens or closes one flyout (the Start
// menu, the overflow list, one app's window picker) at once, whatever the
// store's flags say, and holds it back while the mouse is still down.
//
// The popover that currently serves it attaches its show and close actions;
// the bar keeps the presenter for as long as it lives. Main thread only.
class InstantPopoverPresenter : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Installs the popover that serves this presenter now, replacing all
    // three at once.
    void attach(QObject *owner, std::function<void()> showAction, std::function<void()> closeAction);
    // Forgets the actions, but only when `owner` still owns them: a newer
    // popover that attached meanwhile keeps its own.
    void detach(QObject *owner);
    QObject *owner() const { return m_owner; }

    // While true every request to show the popover is ignored: a flyout whose
    // state opened at mouse-down appears only at mouse-up.
    void setHoldingShow(bool holding) { m_isHoldingShow = holding; }
    bool isHoldingShow() const { return m_isHoldingShow; }

    // Shows the popover now, unless held or nobody is attached; true when asked.
    bool show();
    // Closes the popover if it is shown; true when a popover was asked to.
    bool close();
    bool hasShowAction() const { return bool(m_showAction); }

    // Closes every flyout of every display at once, without animation.
    static void closeAll();

private:
    QPointer<QObject> m_owner;
    std::function<void()> m_showAction;
    std::function<void()> m_closeAction;
    bool m_isHoldingShow = false;
};

} // namespace Velmora
