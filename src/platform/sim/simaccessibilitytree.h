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
    using Kind = SimNode::Kind;

    // One reader per kind of element; `read` picks the one for the node.
    AXResult<AXValue> readSystemWide(const QString &attribute);
    AXResult<AXValue> readApplication(const SimNode &node, const QString &attribute);
    AXResult<AXValue> readWindow(const SimNode &node, const QString &attribute);
    AXResult<AXValue> readTitleBarButton(const SimNode &node, const QString &attribute);
    AXResult<AXValue> readTabGroup(const SimNode &node, const QString &attribute);
    AXResult<AXValue> readTab(const SimNode &node, const QString &attribute);
    AXResult<AXValue> readSheet(const SimNode &node, const QString &attribute);
    AXResult<AXValue> readMenuBar(const SimNode &node, const QString &attribute);
    AXResult<AXValue> readMenu(const SimNode &node, const QString &attribute);
    AXResult<AXValue> readMenuItem(const SimNode &node, const QString &attribute);
    AXResult<AXValue> readDockList(const SimNode &node, const QString &attribute);
    AXResult<AXValue> readDockItem(const SimNode &node, const QString &attribute);

    AXValue elementValue(const SimNode &node);
    AXValue elements(const QList<SimNode> &nodes);
    // An element of the same application life as `of`.
    static SimNode child(const SimNode &of, Kind kind, quint32 window = 0, int index = 0, QList<int> path = {});

    SimDesktopParts &m_parts;
};

} // namespace Velmora::Sim
