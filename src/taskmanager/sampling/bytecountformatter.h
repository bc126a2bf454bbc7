#pragma once

#include <QString>

namespace Velmora {

// Byte counts as people read them: "0 bytes", "1 byte", "512 bytes", "3 KB",
// "1.5 MB", "2.25 GB". Kilobytes are whole, megabytes carry one decimal and
// larger units two; trailing zeros are dropped.
class ByteCountFormatter
{
public:
    enum class CountStyle {
        Memory, // multiples of 1,024, as memory is sized
        Decimal, // multiples of 1,000, as storage and networks count
    };

    explicit ByteCountFormatter(CountStyle style);

    QString string(quint64 bytes) const;

private:
    CountStyle m_style;
};

} // namespace Velmora
