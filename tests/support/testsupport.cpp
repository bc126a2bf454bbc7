#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Velmora::Test {

bool writeFile(const QTemporaryDir &dir, const QString &relativePath, const QByteArray &contents)
{
    const QString path = dir.filePath(relativePath);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(contents) == contents.size();
}

} // namespace Velmora::Test
