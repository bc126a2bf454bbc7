#pragma once

#include "platform/axelement.h"

#include <QImage>
#include <QMetaType>
#include <QString>

#include <optional>

namespace Velmora {

// One window of another application, as the taskbar lists it. A plain value:
// the listing creates it and only `thumbnail` is set later (by the store,
// from captured thumbnails).
struct WindowPreviewItem
{
    // "<pid>:window:<number>" or "<pid>:ax:<element hash>" (WindowPreviewId);
    // unique within one listing.
    QString id;
    qint32 processIdentifier = 0;
    // Every later action on the window goes through this element.
    AXElement accessibilityElement;
    // Trimmed; "Untitled Window" when nothing is left.
    QString title;
    bool isMinimized = false;
    bool isMain = false;
    bool isClosable = false;
    // Present only while the window server lists the window (a minimized
    // window keeps its ":window:" id without it).
    std::optional<quint32> windowID;
    // Front-to-back position in the window server's list (smaller is nearer
    // the front); windows without an entry sort after every window with one.
    qint64 lastUsedRank = 0;
    // width / height, never below 1.
    double aspectRatio = 1.0;
    std::optional<QImage> thumbnail;
};

} // namespace Velmora

Q_DECLARE_METATYPE(Velmora::WindowPreviewItem)
