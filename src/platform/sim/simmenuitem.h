#pragma once

#include <QLatin1String>
#include <QList>
#include <QString>

namespace Velmora::Sim {

// One item of an application's menu bar. A top-level item (a menu title such
// as "File") holds its items in `children`; an item with children elsewhere
// is a submenu. `command` says what pressing the item does in the simulated
// application: "newWindow", "closeWindow", "minimizeWindow", or anything else
// (nothing happens beyond the request log).
struct SimMenuItem {
    static constexpr QLatin1String NewWindowCommand{"newWindow"};
    static constexpr QLatin1String CloseWindowCommand{"closeWindow"};
    static constexpr QLatin1String MinimizeWindowCommand{"minimizeWindow"};

    QString title;
    bool enabled = true;
    QString commandCharacter; // "n" for Command-N; empty for none
    qint64 commandModifiers = 0; // 0 means Command alone
    QString command;
    QList<SimMenuItem> children;

    friend bool operator==(const SimMenuItem &, const SimMenuItem &) = default;
};

} // namespace Velmora::Sim
