#pragma once

#include <QHash>
#include <QString>

#include <optional>

namespace Velmora::Linux {

// The keys of a desktop entry's main group ("[Desktop Entry]"), values
// trimmed and unescaped as they stand; nothing when the file cannot be read.
std::optional<QHash<QString, QString>> readDesktopEntryKeys(const QString &path);

} // namespace Velmora::Linux
