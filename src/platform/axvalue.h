#pragma once

#include "platform/axelement.h"
#include "platform/axerror.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>
#include <variant>
#include <vector>

namespace Velmora {

// The value of an accessibility attribute. Another application decides what it
// answers, so a value may be of any type, whatever the attribute's name
// promises: the typed readers return nothing when the value is of another type
// and every caller falls back in one place.
//
// A batched read reports an attribute that failed as a value of the Error type
// (see Accessibility::copyMultipleAttributeValues), which every typed reader
// except error() treats as absent.
class AXValue
{
public:
    enum class Type { Null, Bool, Integer, Real, String, Element, Point, Size, Rect, Error, List };

    AXValue() = default;
    static AXValue fromBool(bool value) { return AXValue(Storage(value)); }
    static AXValue fromInteger(qint64 value) { return AXValue(Storage(value)); }
    static AXValue fromReal(double value) { return AXValue(Storage(value)); }
    static AXValue fromString(const QString &value) { return AXValue(Storage(value)); }
    static AXValue fromElement(const AXElement &value) { return AXValue(Storage(value)); }
    static AXValue fromPoint(const QPointF &value) { return AXValue(Storage(value)); }
    static AXValue fromSize(const QSizeF &value) { return AXValue(Storage(value)); }
    static AXValue fromRect(const QRectF &value) { return AXValue(Storage(value)); }
    static AXValue fromError(AXError value) { return AXValue(Storage(value)); }
    static AXValue fromList(std::vector<AXValue> values) { return AXValue(Storage(std::move(values))); }
    static AXValue fromElements(const QList<AXElement> &elements);

    Type type() const { return Type(m_value.index()); }
    bool isNull() const { return type() == Type::Null; }

    std::optional<bool> toBool() const;
    std::optional<qint64> toInteger() const;
    // Integers read as reals too: a number is a number.
    std::optional<double> toReal() const;
    std::optional<QString> toString() const;
    std::optional<AXElement> toElement() const;
    std::optional<QPointF> toPoint() const;
    std::optional<QSizeF> toSize() const;
    std::optional<QRectF> toRect() const;
    std::optional<AXError> toError() const;
    std::optional<std::vector<AXValue>> toList() const;
    // Only a list whose every item is an element counts as a list of elements.
    std::optional<QList<AXElement>> toElementList() const;

    friend bool operator==(const AXValue &, const AXValue &) = default;

private:
    using Storage = std::variant<std::monostate, bool, qint64, double, QString, AXElement, QPointF, QSizeF, QRectF,
                                 AXError, std::vector<AXValue>>;
    explicit AXValue(Storage value)
        : m_value(std::move(value))
    {
    }

    Storage m_value;
};

} // namespace Velmora
