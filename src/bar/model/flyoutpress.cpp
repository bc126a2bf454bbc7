#include "bar/model/flyoutpress.h"

#include "bar/model/instantpopoverpresenter.h"

namespace Velmora {

void FlyoutPress::release() const
{
    if (presenter)
        presenter->setHoldingShow(false);
    if (close)
        close();
}

} // namespace Velmora
