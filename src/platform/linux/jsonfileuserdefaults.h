#pragma once

#include "platform/userdefaults.h"

#include <QMap>

namespace Velmora::Linux {

// The application's settings as one JSON object in a file. Values keep their
// type: Booleans, texts and lists of texts are JSON's own, integers are written
// without a fraction and doubles always with one, so 1.0 reads back as a double.
//
// A file that is not a JSON object reads as empty, and before the first write
// it is renamed aside (never overwritten, never deleted) so a hand-edited or
// damaged file can still be recovered. Every write replaces the file
// atomically: a crash mid-write leaves the previous file intact.
//
// Members of the file that the product does not write itself (null, nested
// objects, lists of numbers) read as values of no supported type and are kept
// as they are when the file is rewritten.
class JsonFileUserDefaults final : public UserDefaults
{
public:
    explicit JsonFileUserDefaults(const QString &filePath);

    // "$XDG_CONFIG_HOME/velmora/settings.json", or under ~/.config without it.
    static QString defaultFilePath();

    QVariant value(const QString &key) const override;
    bool setValue(const QString &key, const QVariant &value) override;
    bool removeValue(const QString &key) override;
    QStringList keys() const override;

    QString filePath() const { return m_filePath; }
    // Where the unreadable file was moved, once it was; empty otherwise.
    QString setAsidePath() const { return m_setAsidePath; }

private:
    void load();
    bool save(const QMap<QString, QVariant> &values);
    bool setUnreadableFileAside();

    QString m_filePath;
    QString m_setAsidePath;
    QMap<QString, QVariant> m_values;
    bool m_fileUnreadable = false;
};

} // namespace Velmora::Linux
