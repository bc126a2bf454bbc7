#pragma once

#include <QString>
#include <QUrl>

#include <optional>

namespace Velmora::ProcessBrowserSearch {

// Where a web search for a process name goes.
inline const QString host = QStringLiteral("www.google.com");

// The search for `name` as typed; nothing for a name of only white space.
std::optional<QUrl> url(const QString &name);

} // namespace Velmora::ProcessBrowserSearch
