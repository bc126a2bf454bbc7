#pragma once

#include <QString>

namespace Velmora {

// Texts in Unicode code-point order, the same in every locale and
// case-sensitive ("Zoom" before "mail").
bool codePointLess(const QString &a, const QString &b);

} // namespace Velmora
