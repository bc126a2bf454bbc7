#include "services/applicationmenuaction.h"

namespace Velmora {

const QList<ApplicationMenuAction::Kind> &ApplicationMenuAction::allCases()
{
    static const QList<Kind> cases { Kind::newWindow, Kind::newPrivateWindow, Kind::newFinderWindow,
        Kind::newSmartFolder, Kind::find, Kind::goToFolder, Kind::connectToServer, Kind::newDocument, Kind::newMessage,
        Kind::newEvent, Kind::newNote, Kind::newProject };
    return cases;
}

QString ApplicationMenuAction::rawValue(Kind kind)
{
    switch (kind) {
    case Kind::newWindow:
        return QStringLiteral("newWindow");
    case Kind::newPrivateWindow:
        return QStringLiteral("newPrivateWindow");
    case Kind::newFinderWindow:
        return QStringLiteral("newFinderWindow");
    case Kind::newSmartFolder:
        return QStringLiteral("newSmartFolder");
    case Kind::find:
        return QStringLiteral("find");
    case Kind::goToFolder:
        return QStringLiteral("goToFolder");
    case Kind::connectToServer:
        return QStringLiteral("connectToServer");
    case Kind::newDocument:
        return QStringLiteral("newDocument");
    case Kind::newMessage:
        return QStringLiteral("newMessage");
    case Kind::newEvent:
        return QStringLiteral("newEvent");
    case Kind::newNote:
        return QStringLiteral("newNote");
    case Kind::newProject:
        return QStringLiteral("newProject");
    }
    Q_UNREACHABLE();
}

std::optional<ApplicationMenuAction::Kind> ApplicationMenuAction::fromRawValue(const QString &raw)
{
    for (Kind kind : allCases()) {
        if (rawValue(kind) == raw)
            return kind;
    }
    return std::nullopt;
}

} // namespace Velmora
