#pragma once

#include "store/settingswindowhost.h"

namespace Velmora {

class Displays;

// The settings window as the store sees it. The settings page is not built
// yet, so there is no window: the store finds it closed and never sizes it.
class AppSettingsWindowHost final : public SettingsWindowHost
{
public:
    explicit AppSettingsWindowHost(const Displays &displays);

    std::optional<QRectF> settingsWindowFrame() const override;
    bool isSettingsWindowOpen() const override;
    double frameHeightForContentHeight(double contentHeight) const override;
    std::optional<DisplayInfo> settingsWindowScreen() const override;
    void setSettingsWindowFrame(const QRectF &frame) override;

private:
    const Displays &m_displays;
};

} // namespace Velmora
