#include "platform/axvalue.h"

namespace Velmora {

namespace {
template<typename T>
std::optional<T> read(const auto &storage)
{
    if (const T *value = std::get_if<T>(&storage))
        return *value;
    return std::nullopt;
}
} // namespace

AXValue AXValue::fromElements(const QList<AXElement> &elements)
{
    std::vector<AXValue> values;
    values.reserve(size_t(elements.size()));
    for (const AXElement &element : elements)
        values.push_back(fromElement(element));
    return fromList(std::move(values));
}

std::optional<bool> AXValue::toBool() const { return read<bool>(m_value); }
std::optional<qint64> AXValue::toInteger() const { return read<qint64>(m_value); }
std::optional<QString> AXValue::toString() const { return read<QString>(m_value); }
std::optional<AXElement> AXValue::toElement() const { return read<AXElement>(m_value); }
std::optional<QPointF> AXValue::toPoint() const { return read<QPointF>(m_value); }
std::optional<QSizeF> AXValue::toSize() const { return read<QSizeF>(m_value); }
std::optional<QRectF> AXValue::toRect() const { return read<QRectF>(m_value); }
std::optional<AXError> AXValue::toError() const { return read<AXError>(m_value); }
std::optional<std::vector<AXValue>> AXValue::toList() const { return read<std::vector<AXValue>>(m_value); }

std::optional<double> AXValue::toReal() const
{
    if (const auto integer = toInteger())
        return double(*integer);
    return read<double>(m_value);
}

std::optional<QList<AXElement>> AXValue::toElementList() const
{
    const auto *values = std::get_if<std::vector<AXValue>>(&m_value);
    if (!values)
        return std::nullopt;
    QList<AXElement> elements;
    elements.reserve(qsizetype(values->size()));
    for (const AXValue &value : *values) {
        const auto element = value.toElement();
        if (!element)
            return std::nullopt;
        elements.append(*element);
    }
    return elements;
}

} // namespace Velmora
