#include "taskmanager/model/processbrowsersearch.h"

namespace Velmora::ProcessBrowserSearch {

std::optional<QUrl> url(const QString &name)
{
    if (name.trimmed().isEmpty())
        return std::nullopt;
    QUrl url;
    url.setScheme(QStringLiteral("https"));
    url.setHost(host);
    url.setPath(QStringLiteral("/search"));
    // Everything but the unreserved characters is escaped, so "+" cannot be
    // read as a space and "&" or "#" cannot end the query early.
    url.setQuery(QStringLiteral("q=") + QString::fromLatin1(QUrl::toPercentEncoding(name)), QUrl::StrictMode);
    return url;
}

} // namespace Velmora::ProcessBrowserSearch
