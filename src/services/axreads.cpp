#include "services/axreads.h"

#include "platform/accessibility.h"
#include "platform/axnames.h"

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

namespace Velmora::WindowAttributeNames {

const QString &fullScreen()
{
    static const QString name = AXNames::FullScreen;
    return name;
}

const QString &position()
{
    static const QString name = AXNames::Position;
    return name;
}

const QString &size()
{
    static const QString name = AXNames::Size;
    return name;
}

} // namespace Velmora::WindowAttributeNames
