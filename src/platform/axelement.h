#pragma once

#include <QHashFunctions>
#include <QMetaType>
#include <QtGlobal>

#include <functional>

namespace Velmora {

// An opaque reference to one node of another application's accessibility tree:
// an application, a window, a button, a menu item... The platform hands these
// out; the product only stores, compares and hashes them and passes them back.
// Two handles to the same node are equal and hash alike. A default-constructed
// handle is null and every call on it fails with "invalid element".
//
// Each handle the platform hands out is a reference of its own, and a copy of
// a handle is the same reference: what is set on a reference (its messaging
// time-out) holds for that reference and its copies only, not for another
// reference to the same node that other code asked for.
class AXElement
{
public:
    AXElement() = default;
    // For platform implementations only: `token` identifies the node within
    // the process `pid` and is never 0 for a real node; `reference` tells
    // apart the references handed out for it (0 when the platform does not).
    AXElement(qint32 pid, quint64 token, quint64 reference = 0)
        : m_pid(pid)
        , m_token(token)
        , m_reference(reference)
    {
    }

    bool isNull() const { return m_token == 0; }
    // The process the element belongs to (what the accessibility service reports as its pid).
    qint32 processIdentifier() const { return m_pid; }
    quint64 token() const { return m_token; }
    // A stable hash of the node, used where the product needs a text id for an
    // element that has no window number.
    quint64 hashValue() const;
    // Which reference to the node this is (for platform implementations).
    quint64 reference() const { return m_reference; }

    // The same node, whichever reference.
    friend bool operator==(const AXElement &a, const AXElement &b)
    {
        return a.m_pid == b.m_pid && a.m_token == b.m_token;
    }

private:
    qint32 m_pid = 0;
    quint64 m_token = 0;
    quint64 m_reference = 0;
};

inline size_t qHash(const AXElement &element, size_t seed = 0) noexcept
{
    return qHashMulti(seed, element.processIdentifier(), element.token());
}

} // namespace Velmora

template<>
struct std::hash<Velmora::AXElement> {
    size_t operator()(const Velmora::AXElement &element) const noexcept { return size_t(element.hashValue()); }
};

Q_DECLARE_METATYPE(Velmora::AXElement)
