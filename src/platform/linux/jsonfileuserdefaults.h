#pragma once

#include "platform/userdefaults.h"

#include <QHash>
#include <QMap>

namespace Velmora::Linux {

// The application's settings as one JSON object in a file. Values keep their
// type: Booleans, texts and lists of texts are JSON's own, integers are written
// without a fraction and doubles always with one, so 1.0 reads back as a double.
//
// Whatever is stored reads back equal, key for key and value for value: a
// U+FEFF at the start of a key or a text is written escaped (Qt's parser
// would drop it), and -0.0 keeps its sign.
//
// A file that is not a JSON object reads as empty, and before the first write
// it is renamed aside (never overwritten, never deleted) so a hand-edited or
// damaged file can still be recovered. A file that names a key twice reads
// with the last of its values, and is copied aside before the first write,
// which keeps only that one. Every write replaces the file atomically: a
// crash mid-write leaves the previous file intact. Why a file is set aside is
// logged.
//
// Members of the file that the product does not write itself (null, nested
// objects, lists of numbers) read as values of no supported type and are
// written back exactly as they were when the file is rewritten.
class JsonFileUserDefaults final : public UserDefaults
{
public:
    explicit JsonFileUserDefaults(const QString &filePath);

    // "$XDG_CONFIG_HOME/velmora/settings.json", or under ~/.config without it.
    static QString defaultFilePath();

    QVariant value(const QString &key) const override;
    // Also refuses a key that is not valid UTF-16 (a lone surrogate), which no file can hold.
    bool setValue(const QString &key, const QVariant &value) override;
    bool removeValue(const QString &key) override;
    QStringList keys() const override;

    QString filePath() const { return m_filePath; }
    // Where the unreadable file was moved, or the file with repeated keys
    // copied, once it was; empty otherwise.
    QString setAsidePath() const { return m_setAsidePath; }

private:
    void load();
    QByteArray documentText(const QMap<QString, QVariant> &values) const;
    bool save(const QMap<QString, QVariant> &values);
    bool setFileAside();

    QString m_filePath;
    QString m_setAsidePath;
    QMap<QString, QVariant> m_values;
    // The text of each member of an unsupported kind, as the file wrote it.
    QHash<QString, QByteArray> m_verbatim;
    // Non-empty while the file must be set aside before the next write.
    QString m_setAsideSuffix;
};

} // namespace Velmora::Linux
