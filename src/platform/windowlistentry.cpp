#include "platform/windowlistentry.h"

#include <limits>

namespace Velmora {

namespace {

bool isWholeNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

template<typename T>
std::optional<T> wholeNumber(const QVariant &value)
{
    if (!isWholeNumber(value))
        return std::nullopt;
    if (value.typeId() == QMetaType::ULongLong) {
        const quint64 n = value.toULongLong();
        if (n > quint64(std::numeric_limits<T>::max()))
            return std::nullopt;
        return T(n);
    }
    const qint64 n = value.toLongLong();
    if (n < qint64(std::numeric_limits<T>::min()) || (n > 0 && quint64(n) > quint64(std::numeric_limits<T>::max())))
        return std::nullopt;
    return T(n);
}

std::optional<double> anyNumber(const QVariant &value)
{
    if (isWholeNumber(value) || value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float)
        return value.toDouble();
    return std::nullopt;
}

std::optional<QString> text(const QVariant &value)
{
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

} // namespace

std::optional<quint32> WindowListEntry::number() const { return wholeNumber<quint32>(field(NumberKey)); }
std::optional<qint32> WindowListEntry::ownerPID() const { return wholeNumber<qint32>(field(OwnerPIDKey)); }
std::optional<qint64> WindowListEntry::layer() const { return wholeNumber<qint64>(field(LayerKey)); }
std::optional<QString> WindowListEntry::ownerName() const { return text(field(OwnerNameKey)); }
std::optional<QString> WindowListEntry::name() const { return text(field(NameKey)); }
std::optional<double> WindowListEntry::alpha() const { return anyNumber(field(AlphaKey)); }

std::optional<bool> WindowListEntry::isOnscreen() const
{
    const QVariant value = field(IsOnscreenKey);
    if (value.typeId() != QMetaType::Bool)
        return std::nullopt;
    return value.toBool();
}

std::optional<QRectF> WindowListEntry::bounds() const
{
    const QVariant value = field(BoundsKey);
    if (value.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap dictionary = value.toMap();
    const auto x = anyNumber(dictionary.value(BoundsXKey));
    const auto y = anyNumber(dictionary.value(BoundsYKey));
    const auto width = anyNumber(dictionary.value(BoundsWidthKey));
    const auto height = anyNumber(dictionary.value(BoundsHeightKey));
    if (!x || !y || !width || !height)
        return std::nullopt;
    return QRectF(*x, *y, *width, *height);
}

QVariantMap WindowListEntry::boundsDictionary(const QRectF &rect)
{
    // Made for every window of every listing: convert the keys once.
    static const QString x = BoundsXKey;
    static const QString y = BoundsYKey;
    static const QString width = BoundsWidthKey;
    static const QString height = BoundsHeightKey;
    return {{x, rect.x()}, {y, rect.y()}, {width, rect.width()}, {height, rect.height()}};
}

} // namespace Velmora
