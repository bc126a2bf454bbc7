#pragma once

#include "bar/model/instantpopoverpresenter.h"

#include <QHash>
#include <QString>

#include <memory>

namespace Velmora {

// One presenter per app id for the bar's window pickers, so each app
// button's picker keeps the same presenter across redraws and reorders of
// the bar. Presenters are made on first request and kept for the life of the
// table (a handful of apps, each a few bytes).
class WindowPickerPresenters
{
public:
    // The presenter of `appID`; a new, idle one the first time.
    InstantPopoverPresenter &presenter(const QString &appID);

private:
    QHash<QString, std::shared_ptr<InstantPopoverPresenter>> m_presenters;
};

} // namespace Velmora
