#pragma once

#include "platform/axelement.h"

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>

#include <optional>

namespace Velmora {

class Accessibility;

// Typed reads of one accessibility attribute. Another application decides
// what it answers, so any error and any value of another type read as
// nothing, and each caller falls back in one place.
namespace AXReads {

std::optional<AXElement> element(Accessibility &accessibility, const AXElement &element, const QString &attribute);
// Only a list whose every item is an element.
std::optional<QList<AXElement>> elements(
    Accessibility &accessibility, const AXElement &element, const QString &attribute);
std::optional<QString> string(Accessibility &accessibility, const AXElement &element, const QString &attribute);
std::optional<bool> boolean(Accessibility &accessibility, const AXElement &element, const QString &attribute);
std::optional<QPointF> point(Accessibility &accessibility, const AXElement &element, const QString &attribute);
std::optional<QSizeF> size(Accessibility &accessibility, const AXElement &element, const QString &attribute);

} // namespace AXReads

} // namespace Velmora
