#pragma once

#include <QString>
#include <QtGlobal>

namespace Velmora {

// The text id of one window of another application. It is the key of every
// per-window record: the preview caches, custom names, fixed orders and the
// focus history. Two forms:
//   "<pid>:window:<window number>" when the window server's number is known,
//   "<pid>:ax:<element hash>"      when it is not.
// Both begin with the process identifier and a colon, which is what cleaning
// up after a process relies on.
class WindowPreviewId
{
public:
    static QString forWindow(qint32 processIdentifier, quint32 windowNumber);
    static QString forElement(qint32 processIdentifier, quint64 elementHash);
    // "<pid>:"
    static QString processPrefix(qint32 processIdentifier);
    static bool belongsTo(const QString &id, qint32 processIdentifier);
};

} // namespace Velmora
