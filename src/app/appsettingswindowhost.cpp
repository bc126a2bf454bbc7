#include "app/appsettingswindowhost.h"

#include "platform/displays.h"

namespace Velmora {

AppSettingsWindowHost::AppSettingsWindowHost(const Displays &displays)
    : m_displays(displays)
{
}

std::optional<QRectF> AppSettingsWindowHost::settingsWindowFrame() const
{
    return std::nullopt;
}

bool AppSettingsWindowHost::isSettingsWindowOpen() const
{
    return false;
}

double AppSettingsWindowHost::frameHeightForContentHeight(double contentHeight) const
{
    return contentHeight;
}

std::optional<DisplayInfo> AppSettingsWindowHost::settingsWindowScreen() const
{
    return m_displays.mainScreen();
}

void AppSettingsWindowHost::setSettingsWindowFrame(const QRectF &frame)
{
    Q_UNUSED(frame)
}

} // namespace Velmora
