#pragma once

#include "platform/displayinfo.h"

#include <QList>
#include <QPointF>
#include <QString>

#include <optional>

namespace Velmora {

// What the status item's menu offers, where it opens and whether focus goes
// back afterwards: the decisions of the menu without a single widget.
namespace StatusMenuModel {

enum class Command { ShowOnboarding, ShowSettings, CheckForUpdates, Restart, Quit };

struct Entry
{
    bool isSeparator = false;
    Command command = Command::ShowSettings;
    QString title;
    // The system symbol the entry shows.
    QString symbol;
    // "q" is Command-Q; empty for none.
    QString keyEquivalent;

    friend bool operator==(const Entry &, const Entry &) = default;
};

// The status item's menu is built once; the pointer is this far right of its left edge.
inline constexpr double pointerInset = 12;
// The menu bar's height when there is no screen to measure it on.
inline constexpr double fallbackMenuBarHeight = 30;

// The menu as built at start-up, in order. "Check for Updates…" is there
// only when an updater existed then.
QList<Entry> entries(bool hasUpdater);
// Whether an entry shows at this opening: "Continue Setup…" only while the
// onboarding window exists; everything else always.
bool isShown(const Entry &entry, bool hasOnboardingWindow);

// Where the menu's top-left corner goes for a click with the pointer at
// `pointer` (the screen convention: bottom-left origin, y up): just under
// the menu bar of the screen under the pointer (else the main screen), its
// left edge 12 points left of the pointer. The menu bar's height is the
// first screen's.
QPointF menuTopLeft(const QList<DisplayInfo> &screens, const std::optional<DisplayInfo> &mainScreen, const QPointF &pointer);

} // namespace StatusMenuModel

} // namespace Velmora
