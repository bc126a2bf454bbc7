#include "store/windowcloseconfirmation.h"

namespace Velmora {

WindowCloseConfirmation::Text::Text(int tabCount, const QString &windowTitle)
    : title(QStringLiteral("Are you sure you want to close %1 tabs?").arg(tabCount))
    , message(QStringLiteral("This will close \"%1\" and all of its tabs.").arg(windowTitle))
    , closeButtonTitle(QStringLiteral("Close %1 Tabs").arg(tabCount))
{
}

} // namespace Velmora
