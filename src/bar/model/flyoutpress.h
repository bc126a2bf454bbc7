#pragma once

#include <QPointer>
#include <QString>

#include <functional>

namespace Velmora {

class InstantPopoverPresenter;

// What a press on a bar button will do when it ends.
struct FlyoutPress
{
    enum class Kind {
        // The store already opened the flyout's state; the popover is held
        // back (its presenter holds the show) until the release.
        Prepared,
        // The press is the click that closed a popover; it does nothing more.
        Dismissal,
        // An ordinary press; a click runs the button's normal action.
        Plain,
        // A prepared press given up because it turned into a drag.
        Cancelled,
    };

    Kind kind = Kind::Plain;
    // For a prepared press: the held presenter and what undoes the opening.
    QPointer<InstantPopoverPresenter> presenter;
    std::function<void()> close;

    static FlyoutPress plain() { return {}; }
    static FlyoutPress dismissal() { return { Kind::Dismissal, nullptr, {} }; }
    static FlyoutPress prepared(InstantPopoverPresenter *presenter, std::function<void()> close)
    {
        return { Kind::Prepared, presenter, std::move(close) };
    }

    bool isPrepared() const { return kind == Kind::Prepared; }
    // Lets the popover show again and undoes the opening.
    void release() const;
};

// The press of one app button.
struct AppPress
{
    QString appID;
    FlyoutPress press;
    // Set once the pointer has been 8 points or more from where the press began.
    bool movedAway = false;
};

} // namespace Velmora
