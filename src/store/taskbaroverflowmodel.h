#pragma once

#include "store/appitem.h"

#include <QObject>

namespace Velmora {

// The apps the overflow flyout shows, in bar order. The bar owns one per bar
// view and assigns the overflow part of each split; the flyout observes it.
class TaskbarOverflowModel : public QObject
{
    Q_OBJECT
public:
    explicit TaskbarOverflowModel(QObject *parent = nullptr);

    const QList<AppItem> &apps() const { return m_apps; }
    // Publishes only a list that differs, so an unchanged split redraws nothing.
    void setApps(const QList<AppItem> &apps);

signals:
    void appsChanged();

private:
    QList<AppItem> m_apps;
};

} // namespace Velmora
