#pragma once

#include <QLatin1String>
#include <QRectF>
#include <QString>
#include <QVariantMap>

#include <optional>

namespace Velmora {

// One window of the window server's list: a dictionary as the window server
// delivers it. Any field may be missing or hold a value of an unexpected type;
// the typed readers return nothing then, so callers skip or fall back.
class WindowListEntry
{
public:
    // Keys of the dictionary, as the window server names them.
    static constexpr QLatin1String NumberKey{"kCGWindowNumber"};
    static constexpr QLatin1String OwnerPIDKey{"kCGWindowOwnerPID"};
    static constexpr QLatin1String OwnerNameKey{"kCGWindowOwnerName"};
    static constexpr QLatin1String LayerKey{"kCGWindowLayer"};
    // A dictionary with "X", "Y", "Width" and "Height": top-left origin, y down, in points.
    static constexpr QLatin1String BoundsKey{"kCGWindowBounds"};
    static constexpr QLatin1String AlphaKey{"kCGWindowAlpha"};
    static constexpr QLatin1String IsOnscreenKey{"kCGWindowIsOnscreen"};
    static constexpr QLatin1String NameKey{"kCGWindowName"};
    static constexpr QLatin1String BoundsXKey{"X"};
    static constexpr QLatin1String BoundsYKey{"Y"};
    static constexpr QLatin1String BoundsWidthKey{"Width"};
    static constexpr QLatin1String BoundsHeightKey{"Height"};

    WindowListEntry() = default;
    explicit WindowListEntry(QVariantMap fields)
        : m_fields(std::move(fields))
    {
    }

    const QVariantMap &fields() const { return m_fields; }
    QVariant field(const QString &key) const { return m_fields.value(key); }
    void setField(const QString &key, const QVariant &value) { m_fields.insert(key, value); }
    void removeField(const QString &key) { m_fields.remove(key); }

    // Whole numbers that fit the reader's type; anything else reads as absent.
    std::optional<quint32> number() const;
    std::optional<qint32> ownerPID() const;
    std::optional<qint64> layer() const;
    std::optional<QString> ownerName() const;
    std::optional<QString> name() const;
    std::optional<QRectF> bounds() const;
    std::optional<double> alpha() const;
    std::optional<bool> isOnscreen() const;

    // Writes a rectangle in the dictionary form the window server uses.
    static QVariantMap boundsDictionary(const QRectF &rect);

    friend bool operator==(const WindowListEntry &, const WindowListEntry &) = default;

private:
    QVariantMap m_fields;
};

} // namespace Velmora
