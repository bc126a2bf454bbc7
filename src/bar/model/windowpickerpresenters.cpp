#include "bar/model/windowpickerpresenters.h"

namespace Velmora {

InstantPopoverPresenter &WindowPickerPresenters::presenter(const QString &appID)
{
    std::shared_ptr<InstantPopoverPresenter> &slot = m_presenters[appID];
    if (!slot)
        slot = std::make_shared<InstantPopoverPresenter>();
    return *slot;
}

} // namespace Velmora
