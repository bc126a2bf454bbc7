#pragma once

#include <QSet>

namespace Velmora::Sim {

struct SimDesktopParts;

// Minimizing, restoring and closing windows. They take time, as on the
// desktop we model: the change lands after the application's duration for
// it, and a close can stop at a "save changes?" sheet.
class SimWindowTransitions
{
public:
    explicit SimWindowTransitions(SimDesktopParts &parts);

    bool beginMinimize(quint32 number);
    bool beginRestore(quint32 number);
    bool beginClose(quint32 number);
    // Answers an open sheet: closing discards the window, cancelling keeps it.
    bool answerSheet(quint32 number, bool close);

    bool isInTransition(quint32 number) const { return m_inTransition.contains(number); }
    // The window is gone: whatever it was doing ends.
    void forget(quint32 number) { m_inTransition.remove(number); }
    void clear() { m_inTransition.clear(); }

private:
    SimDesktopParts &m_parts;
    QSet<quint32> m_inTransition; // minimizing, restoring or closing
};

} // namespace Velmora::Sim
