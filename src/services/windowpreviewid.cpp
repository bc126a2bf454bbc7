#include "services/windowpreviewid.h"

namespace Velmora {

QString WindowPreviewId::forWindow(qint32 processIdentifier, quint32 windowNumber)
{
    return processPrefix(processIdentifier) + QLatin1String("window:") + QString::number(windowNumber);
}

QString WindowPreviewId::forElement(qint32 processIdentifier, quint64 elementHash)
{
    return processPrefix(processIdentifier) + QLatin1String("ax:") + QString::number(elementHash);
}

QString WindowPreviewId::processPrefix(qint32 processIdentifier)
{
    return QString::number(processIdentifier) + QLatin1Char(':');
}

bool WindowPreviewId::belongsTo(const QString &id, qint32 processIdentifier)
{
    return id.startsWith(processPrefix(processIdentifier));
}

} // namespace Velmora
