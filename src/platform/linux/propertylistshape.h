#pragma once

#include <QByteArrayView>
#include <QString>

namespace Velmora::Linux {

// The size of the tree a property list (XML or binary) describes, measured
// from its bytes before any parser builds it.
//
// The property-list library parses and frees nested values by recursion, so a
// list nested a hundred thousand levels deep overflows the stack of whatever
// thread reads it; and the objects of a binary list may refer to one another
// so often that the tree they unfold into holds more values than memory. A
// list is measured first and only handed to the library when its tree stays
// within the limits; a list that is malformed in a way the library would
// refuse anyway may be refused here already.
class PropertyListShape
{
public:
    // Real info lists nest a handful of levels and hold a few thousand values.
    static constexpr int maxDepth = 512;
    static constexpr qint64 maxValues = qint64(1) << 18;

    static PropertyListShape measure(
        QByteArrayView data, int depthLimit = maxDepth, qint64 valueLimit = maxValues);

    bool isAcceptable() const { return m_problem.isEmpty(); }
    // Why the list may not be parsed; empty when it may.
    QString problem() const { return m_problem; }

    // For an acceptable list, upper bounds of the parsed tree: its depth (a
    // lone value has depth 1) and the number of values in it, keys included.
    int depth() const { return m_depth; }
    qint64 values() const { return m_values; }

private:
    static PropertyListShape measureXml(QByteArrayView data, int depthLimit, qint64 valueLimit);
    static PropertyListShape measureBinary(QByteArrayView data, int depthLimit, qint64 valueLimit);
    static PropertyListShape refused(QString problem);

    QString m_problem;
    int m_depth = 0;
    qint64 m_values = 0;
};

} // namespace Velmora::Linux
