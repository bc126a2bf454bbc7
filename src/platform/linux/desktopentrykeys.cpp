#include "platform/linux/desktopentrykeys.h"

#include <QFile>

namespace Velmora::Linux {

std::optional<QHash<QString, QString>> readDesktopEntryKeys(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QHash<QString, QString> keys;
    bool inMainGroup = false;
    const QString text = QString::fromUtf8(file.readAll());
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.startsWith(u'[')) {
            inMainGroup = line == u"[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inMainGroup || equals < 0)
            continue;
        keys.insert(line.left(equals).trimmed().toString(), line.mid(equals + 1).trimmed().toString());
    }
    return keys;
}

} // namespace Velmora::Linux
