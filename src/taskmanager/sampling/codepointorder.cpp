#include "taskmanager/sampling/codepointorder.h"

#include <algorithm>

namespace Velmora {

bool codePointLess(const QString &a, const QString &b)
{
    // UTF-16 units sort characters beyond U+FFFF (stored as surrogates,
    // 0xD800-0xDFFF) before U+E000-U+FFFF; lifting surrogates above that
    // range restores the order.
    const auto key = [](QChar c) {
        const char16_t unit = c.unicode();
        return unit >= 0xD800 ? char16_t(unit >= 0xE000 ? unit - 0x800 : unit + 0x2000) : unit;
    };
    return std::lexicographical_compare(
        a.cbegin(), a.cend(), b.cbegin(), b.cend(), [&](QChar x, QChar y) { return key(x) < key(y); });
}

} // namespace Velmora
