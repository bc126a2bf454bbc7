#pragma once

#include "platform/axerror.h"
#include "platform/axresult.h"
#include "platform/axvalue.h"
#include "platform/sim/simnode.h"

#include <QString>

namespace Velmora::Sim {

struct SimDesktopParts;

// The accessibility tree of the simulated world: what each kind of element
// reads, which attributes can be written and what writes and actions do to
// the world. Used by SimAccessibility with the desktop's lock held, on a node
// that was checked to be live.
class SimAccessibilityTree
{
public:
    explicit SimAccessibilityTree(SimDesktopParts &parts);

    AXResult<AXValue> read(const SimNode &node, const QString &attribute);
    bool settable(const SimNode &node, const QString &attribute) const;
    AXError write(const SimNode &node, const QString &attribute, const AXValue &value);
    AXError act(const SimNode &node, const QString &action);

private:
    AXValue elementValue(const SimNode &node);

    SimDesktopParts &m_parts;
};

} // namespace Velmora::Sim
