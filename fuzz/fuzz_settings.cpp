// The settings file: whatever a file holds reads consistently and survives a
// rewrite member for member; whatever the writer accepts reads back equal.
//
// Input: a first byte whose lowest bit picks the mode, then either the file's
// bytes, or a series of values to store, decoded from the rest.
#include "fuzzsupport.h"

#include "platform/linux/jsonfileuserdefaults.h"

#include <QDebug>
#include <QDir>
#include <QJsonValue>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <limits>

using namespace Velmora;
using Velmora::Linux::JsonFileUserDefaults;

namespace {

using Values = QMap<QString, QVariant>;

Values valuesOf(const JsonFileUserDefaults &defaults)
{
    Values values;
    for (const QString &key : defaults.keys())
        values.insert(key, defaults.value(key));
    return values;
}

// Equal in type and in value, a double to the bit (so -0.0 is not 0.0).
bool same(const QVariant &a, const QVariant &b)
{
    if (a.typeId() != b.typeId())
        return false;
    if (a.typeId() == QMetaType::Double) {
        const double x = a.toDouble();
        const double y = b.toDouble();
        return std::memcmp(&x, &y, sizeof x) == 0;
    }
    if (a.typeId() == qMetaTypeId<QJsonValue>())
        return a.value<QJsonValue>() == b.value<QJsonValue>();
    return a == b;
}

QString describe(const QVariant &value)
{
    QString text;
    QDebug(&text) << value;
    return text;
}

void compare(const Values &expected, const Values &actual, const char *what)
{
    FUZZ_CHECK(expected.keys() == actual.keys(),
        QStringLiteral("%1: keys %2 instead of %3")
            .arg(QLatin1String(what), describe(actual.keys()), describe(expected.keys())));
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        FUZZ_CHECK(same(it.value(), actual.value(it.key())),
            QStringLiteral("%1: %2 is %3 instead of %4")
                .arg(QLatin1String(what), describe(it.key()), describe(actual.value(it.key())), describe(it.value())));
    }
}

// Code units from the input, with the ones that have tripped JSON
// readers up (U+FEFF, surrogates, quotes, controls) much more likely than
// chance would make them.
QString text(FuzzedDataProvider &input)
{
    static constexpr char16_t interesting[] = { 0xFEFF, 0xD800, 0xDBFF, 0xDC00, 0xDFFF, 0x0000, u'"', u'\\', u'/',
        0xFFFE, 0xFFFF, 0xFFFD, 0x2028, 0x007F, 0x001F, 0x00E9, u'{', u'[', u',', u':', u' ', u'a' };
    QString result;
    const int length = input.ConsumeIntegralInRange(0, 12);
    for (int i = 0; i < length; ++i) {
        if (input.ConsumeBool())
            result.append(QChar(input.PickValueInArray(interesting)));
        else
            result.append(QChar(input.ConsumeIntegral<char16_t>()));
    }
    return result;
}

QVariant value(FuzzedDataProvider &input)
{
    static constexpr double interesting[] = { -0.0, 0.0, 1.0, -1.0, 0.1, 1e16, 1e300, 5e-324, 2.2250738585072014e-308,
        std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest(), 9007199254740993.0,
        std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN() };
    switch (input.ConsumeIntegralInRange(0, 7)) {
    case 0:
        return input.ConsumeBool();
    case 1:
        return QVariant(input.ConsumeIntegral<qint64>());
    case 2: {
        const quint64 bits = input.ConsumeIntegral<quint64>();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    case 3:
        return input.PickValueInArray(interesting);
    case 4:
        return text(input);
    case 5: {
        QStringList texts;
        for (int n = input.ConsumeIntegralInRange(0, 4); n > 0; --n)
            texts.append(text(input));
        return texts;
    }
    case 6:
        return QVariant(QVariantList { text(input), input.ConsumeIntegral<int>() });
    default:
        return QVariant(input.ConsumeIntegral<quint64>());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // A fresh folder each time: nothing set aside by one input meets the next.
    const QString folder = Fuzz::scratchFolder() + QStringLiteral("/settings");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/settings.json");

    if (data[0] & 1) {
        Fuzz::writeFile(path, QByteArrayView(data + 1, qsizetype(size - 1)));
        JsonFileUserDefaults defaults(path);
        Values values = valuesOf(defaults);
        compare(values, valuesOf(JsonFileUserDefaults(path)), "a second read");
        QString probe = QStringLiteral("\u0001probe");
        while (values.contains(probe))
            probe += QLatin1Char('x');
        FUZZ_CHECK(defaults.setValue(probe, true), path);
        values.insert(probe, true);
        compare(values, valuesOf(defaults), "after a write");
        compare(values, valuesOf(JsonFileUserDefaults(path)), "a read after a write");
        return 0;
    }

    FuzzedDataProvider input(data + 1, size - 1);
    JsonFileUserDefaults defaults(path);
    Values expected;
    while (input.remaining_bytes() > 0) {
        const QString key = text(input);
        if (input.ConsumeIntegralInRange(0, 7) == 0) {
            FUZZ_CHECK(defaults.removeValue(key), describe(key));
            expected.remove(key);
            continue;
        }
        const QVariant stored = value(input);
        const std::optional<QVariant> form = UserDefaults::storedForm(stored);
        const bool accepted = defaults.setValue(key, stored);
        FUZZ_CHECK(accepted == (form && QStringView(key).isValidUtf16()),
            QStringLiteral("%1 = %2 %3").arg(describe(key), describe(stored), accepted ? "accepted" : "refused"));
        if (accepted)
            expected.insert(key, *form);
    }
    compare(expected, valuesOf(defaults), "as stored");
    compare(expected, valuesOf(JsonFileUserDefaults(path)), "after a restart");
    return 0;
}
