#include "taskmanager/sampling/bytecountformatter.h"

#include <cmath>

namespace Velmora {

namespace {

const char *const unitNames[] = { "bytes", "KB", "MB", "GB", "TB", "PB", "EB" };
const int fractionDigits[] = { 0, 0, 1, 2, 2, 2, 2 };
constexpr int largestUnit = 6;

double roundTo(double value, int digits)
{
    const double scale = std::pow(10.0, digits);
    return std::round(value * scale) / scale;
}

} // namespace

ByteCountFormatter::ByteCountFormatter(CountStyle style)
    : m_style(style)
{
}

QString ByteCountFormatter::string(quint64 bytes) const
{
    const double base = m_style == CountStyle::Memory ? 1024.0 : 1000.0;
    if (double(bytes) < base)
        return bytes == 1 ? QStringLiteral("1 byte") : QString::number(bytes) + QStringLiteral(" bytes");

    int unit = 0;
    double value = double(bytes);
    while (value >= base && unit < largestUnit) {
        value /= base;
        ++unit;
    }
    double rounded = roundTo(value, fractionDigits[unit]);
    // 999,999 bytes round to 1,000 KB, which reads better as 1 MB.
    if (rounded >= base && unit < largestUnit) {
        ++unit;
        rounded = roundTo(rounded / base, fractionDigits[unit]);
    }
    QString number = QString::number(rounded, 'f', fractionDigits[unit]);
    if (number.contains(QLatin1Char('.'))) {
        while (number.endsWith(QLatin1Char('0')))
            number.chop(1);
        if (number.endsWith(QLatin1Char('.')))
            number.chop(1);
    }
    return number + QLatin1Char(' ') + QLatin1String(unitNames[unit]);
}

} // namespace Velmora
