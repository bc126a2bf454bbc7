#include "platform/userdefaults.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Velmora {

namespace {

// A lone surrogate has no form in any file encoding, so a text holding one
// could not be read back as it was stored.
bool isStorableText(const QString &text)
{
    return QStringView(text).isValidUtf16();
}

bool areStorableTexts(const QStringList &texts)
{
    return std::all_of(texts.cbegin(), texts.cend(), isStorableText);
}

// A list counts as a list of texts only when every element is a text.
std::optional<QStringList> textsOf(const QVariantList &list)
{
    QStringList texts;
    texts.reserve(list.size());
    for (const QVariant &element : list) {
        if (element.typeId() != QMetaType::QString)
            return std::nullopt;
        texts.append(element.toString());
    }
    return texts;
}

} // namespace

UserDefaults::~UserDefaults() = default;

std::optional<bool> UserDefaults::boolValue(const QString &key) const
{
    const QVariant v = value(key);
    if (v.typeId() != QMetaType::Bool)
        return std::nullopt;
    return v.toBool();
}

std::optional<qint64> UserDefaults::integerValue(const QString &key) const
{
    const QVariant v = value(key);
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return v.toLongLong();
    default:
        return std::nullopt;
    }
}

std::optional<double> UserDefaults::doubleValue(const QString &key) const
{
    const QVariant v = value(key);
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
        return v.toDouble();
    default:
        return std::nullopt;
    }
}

std::optional<QString> UserDefaults::stringValue(const QString &key) const
{
    const QVariant v = value(key);
    if (v.typeId() != QMetaType::QString)
        return std::nullopt;
    return v.toString();
}

std::optional<QStringList> UserDefaults::stringListValue(const QString &key) const
{
    const QVariant v = value(key);
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList();
    if (v.typeId() != QMetaType::QVariantList)
        return std::nullopt;
    return textsOf(v.toList());
}

std::optional<QVariant> UserDefaults::storedForm(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value;
    case QMetaType::QString:
        if (!isStorableText(value.toString()))
            return std::nullopt;
        return value;
    case QMetaType::QStringList:
        if (!areStorableTexts(value.toStringList()))
            return std::nullopt;
        return value;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return QVariant(value.toLongLong());
    case QMetaType::ULongLong: {
        const qulonglong n = value.toULongLong();
        if (n > qulonglong(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        return QVariant(qint64(n));
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (!std::isfinite(d))
            return std::nullopt;
        return QVariant(d);
    }
    case QMetaType::QVariantList:
        if (const std::optional<QStringList> texts = textsOf(value.toList()); texts && areStorableTexts(*texts))
            return QVariant(*texts);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace Velmora
