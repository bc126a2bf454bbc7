#include "bar/model/instantpopoverpresenter.h"

#include <QList>

#include <algorithm>

namespace Velmora {

namespace {

// Every live popover; main thread only, like the popovers themselves.
QList<InstantPopoverClosing *> &livePopovers()
{
    static QList<InstantPopoverClosing *> popovers;
    return popovers;
}

} // namespace

InstantPopoverClosing::InstantPopoverClosing()
{
    livePopovers().append(this);
}

InstantPopoverClosing::~InstantPopoverClosing()
{
    livePopovers().removeOne(this);
}

void InstantPopoverPresenter::attach(QObject *owner, std::function<void()> showAction,
                                     std::function<void()> closeAction)
{
    m_owner = owner;
    m_showAction = std::move(showAction);
    m_closeAction = std::move(closeAction);
}

void InstantPopoverPresenter::detach(QObject *owner)
{
    if (m_owner != owner)
        return;
    m_owner = nullptr;
    m_showAction = {};
    m_closeAction = {};
}

bool InstantPopoverPresenter::show()
{
    if (m_isHoldingShow || !m_showAction)
        return false;
    // A copy: the action may attach a fresh popover and replace itself.
    const std::function<void()> action = m_showAction;
    action();
    return true;
}

bool InstantPopoverPresenter::close()
{
    if (!m_closeAction)
        return false;
    const std::function<void()> action = m_closeAction;
    action();
    return true;
}

void InstantPopoverPresenter::closeAll()
{
    // Closing one may end another (a picker whose app went away); close from a
    // snapshot and skip any that are gone by their turn.
    const QList<InstantPopoverClosing *> snapshot = livePopovers();
    for (InstantPopoverClosing *popover : snapshot) {
        if (livePopovers().contains(popover))
            popover->closeImmediately();
    }
}

} // namespace Velmora
