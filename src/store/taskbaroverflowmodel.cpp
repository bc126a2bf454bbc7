#include "store/taskbaroverflowmodel.h"

namespace Velmora {

TaskbarOverflowModel::TaskbarOverflowModel(QObject *parent)
    : QObject(parent)
{
}

void TaskbarOverflowModel::setApps(const QList<AppItem> &apps)
{
    if (apps == m_apps)
        return;
    m_apps = apps;
    emit appsChanged();
}

} // namespace Velmora
