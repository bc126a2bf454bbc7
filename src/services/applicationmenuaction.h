#pragma once

#include "platform/axelement.h"

#include <QHashFunctions>
#include <QList>
#include <QMetaType>
#include <QString>

#include <optional>

namespace Velmora {

// A command found in another application's menu bar (New Window, New Finder
// Window, Find...), as the bar's context menus and the window picker offer it.
//
// A snapshot: the application may rebuild its menus at any time, so `element`
// and `path` can go stale. Pressing goes by path and title first and finds
// the command afresh when that fails.
struct ApplicationMenuAction
{
    // The raw values (rawValue) equal the case names; allCases() is their order.
    enum class Kind {
        newWindow,
        newPrivateWindow,
        newFinderWindow,
        newSmartFolder,
        find,
        goToFolder,
        connectToServer,
        newDocument,
        newMessage,
        newEvent,
        newNote,
        newProject,
    };

    static const QList<Kind> &allCases();
    static QString rawValue(Kind kind);
    static std::optional<Kind> fromRawValue(const QString &raw);

    Kind kind = Kind::newWindow;
    // The item's title exactly as read (not normalised).
    QString title;
    // True when the item does not say.
    bool isEnabled = true;
    AXElement element;
    // Child indexes from the menu bar to the item: the first among the menu
    // bar's children, each further one among the previous element's children.
    QList<int> path;

    // Lists hold at most one action per kind, so the kind identifies it.
    Kind id() const { return kind; }

    friend bool operator==(const ApplicationMenuAction &, const ApplicationMenuAction &) = default;
};

inline size_t qHash(ApplicationMenuAction::Kind kind, size_t seed = 0) noexcept
{
    return ::qHash(int(kind), seed);
}

} // namespace Velmora

Q_DECLARE_METATYPE(Velmora::ApplicationMenuAction)
