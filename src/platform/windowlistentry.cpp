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

template<typename T> std::optional<T> wholeNumber(const QVariant &value)
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

// The readers run for every window of every list the product reads, many
// times a second during a Space change: each key is made once, not per read.
template<const QLatin1String &name> const QString &key()
{
    static const QString made(name);
    return made;
}

} // namespace

std::optional<quint32> WindowListEntry::number() const
{
    return wholeNumber<quint32>(field(key<NumberKey>()));
}
std::optional<qint32> WindowListEntry::ownerPID() const
{
    return wholeNumber<qint32>(field(key<OwnerPIDKey>()));
}
std::optional<qint64> WindowListEntry::layer() const
{
    return wholeNumber<qint64>(field(key<LayerKey>()));
}
std::optional<QString> WindowListEntry::ownerName() const
{
    return text(field(key<OwnerNameKey>()));
}
std::optional<QString> WindowListEntry::name() const
{
    return text(field(key<NameKey>()));
}
std::optional<double> WindowListEntry::alpha() const
{
    return anyNumber(field(key<AlphaKey>()));
}

std::optional<bool> WindowListEntry::isOnscreen() const
{
    const QVariant value = field(key<IsOnscreenKey>());
    if (value.typeId() != QMetaType::Bool)
        return std::nullopt;
    return value.toBool();
}

std::optional<QRectF> WindowListEntry::bounds() const
{
    const QVariant value = field(key<BoundsKey>());
    if (value.typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariantMap dictionary = value.toMap();
    const auto x = anyNumber(dictionary.value(key<BoundsXKey>()));
    const auto y = anyNumber(dictionary.value(key<BoundsYKey>()));
    const auto width = anyNumber(dictionary.value(key<BoundsWidthKey>()));
    const auto height = anyNumber(dictionary.value(key<BoundsHeightKey>()));
    if (!x || !y || !width || !height)
        return std::nullopt;
    return QRectF(*x, *y, *width, *height);
}

QVariantMap WindowListEntry::boundsDictionary(const QRectF &rect)
{
    return { { key<BoundsXKey>(), rect.x() }, { key<BoundsYKey>(), rect.y() }, { key<BoundsWidthKey>(), rect.width() },
        { key<BoundsHeightKey>(), rect.height() } };
}

} // namespace Velmora
