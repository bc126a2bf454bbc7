#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace Velmora {

// The application's own settings: a flat table of keys to typed values.
// Values keep their type across a save and a load: a stored false reads back as
// the Boolean false, a text stays a text, a list of texts stays a list.
//
// Supported value types: bool, qint64 (and int), double, QString, QStringList.
// The typed readers return nothing when the key is absent *or* holds a value
// of another type, so every caller can fall back in one place.
class UserDefaults
{
public:
    virtual ~UserDefaults();

    // The stored value, or an invalid QVariant when the key is absent.
    virtual QVariant value(const QString &key) const = 0;
    // Stores a value of a supported type. Returns false, and changes nothing,
    // when the value cannot be stored faithfully (another type, a number that
    // is not finite, a list holding anything but texts, a text with a lone
    // surrogate) or cannot be saved.
    virtual bool setValue(const QString &key, const QVariant &value) = 0;
    // Returns false when the removal could not be saved; removing an absent key succeeds.
    virtual bool removeValue(const QString &key) = 0;
    virtual QStringList keys() const = 0;

    bool contains(const QString &key) const { return value(key).isValid(); }

    std::optional<bool> boolValue(const QString &key) const;
    std::optional<qint64> integerValue(const QString &key) const;
    std::optional<double> doubleValue(const QString &key) const;
    std::optional<QString> stringValue(const QString &key) const;
    // Only a list whose every element is a text counts as a list of texts.
    std::optional<QStringList> stringListValue(const QString &key) const;

    // The form in which a value is kept: bool, qint64, double, QString or
    // QStringList. Nothing for a value that has no faithful stored form, so
    // every implementation refuses the same values instead of mangling them.
    static std::optional<QVariant> storedForm(const QVariant &value);
};

} // namespace Velmora
