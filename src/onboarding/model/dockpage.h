#pragma once

#include "services/dockedge.h"

#include <QString>

namespace Velmora {

// What the Dock page shows for where the Dock is and whether it hides: one
// of three states, with its texts. Derived from the two values alone.
struct DockPage {
    enum class State {
        // The Dock shares the bottom edge with the bar (whatever its hiding).
        atBottom,
        atSideHidden,
        atSideVisible,
    };

    State state = State::atBottom;
    // Whether the page recommends a change ("Recommended" under the title).
    bool needsChange = true;
    QString title;
    // The badge at the right of the title: green at a side, orange at the bottom.
    QString badge;
    bool badgeIsGood = false;
    QString explanation;
    // Under the choices or the auto-hide button.
    QString smallPrint;

    static DockPage describe(DockEdge edge, bool autohides);

    // "Left", "Bottom", "Right".
    static QString displayName(DockEdge edge);
    // The caption of the card that moves the Dock: "Move to the Left".
    static QString choiceCaption(DockEdge edge);

    static const QString recommendedTag; // "Recommended"
    static const QString turnOnAutohideTitle; // "Turn On Auto-hide"
};

} // namespace Velmora
