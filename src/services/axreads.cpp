#include "services/axreads.h"

#include "platform/accessibility.h"

namespace Velmora::AXReads {

namespace {

AXValue read(Accessibility &accessibility, const AXElement &element, const QString &attribute)
{
    return accessibility.copyAttributeValue(element, attribute).valueOr({});
}

} // namespace

std::optional<AXElement> element(Accessibility &accessibility, const AXElement &element, const QString &attribute)
{
    return read(accessibility, element, attribute).toElement();
}

std::optional<QList<AXElement>> elements(
    Accessibility &accessibility, const AXElement &element, const QString &attribute)
{
    return read(accessibility, element, attribute).toElementList();
}

std::optional<QString> string(Accessibility &accessibility, const AXElement &element, const QString &attribute)
{
    return read(accessibility, element, attribute).toString();
}

std::optional<bool> boolean(Accessibility &accessibility, const AXElement &element, const QString &attribute)
{
    return read(accessibility, element, attribute).toBool();
}

std::optional<QPointF> point(Accessibility &accessibility, const AXElement &element, const QString &attribute)
{
    return read(accessibility, element, attribute).toPoint();
}

std::optional<QSizeF> size(Accessibility &accessibility, const AXElement &element, const QString &attribute)
{
    return read(accessibility, element, attribute).toSize();
}

} // namespace Velmora::AXReads
