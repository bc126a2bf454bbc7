#include "platform/axelement.h"

namespace Velmora {

quint64 AXElement::hashValue() const
{
    // 64-bit mix of pid and token (splitmix64 finaliser), so ids built from it
    // stay the same across runs for the same node.
    quint64 x = (quint64(quint32(m_pid)) << 32) ^ m_token;
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebULL;
    x ^= x >> 31;
    return x;
}

} // namespace Velmora
