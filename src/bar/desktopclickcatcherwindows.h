#pragma once

#include "bar/model/clickcatcherwindows.h"

#include <QList>
#include <QRect>

#include <memory>
#include <vector>

namespace Velmora {

class ClickCatcherWindow;
class Displays;

// The click catcher windows of the whole application, one per screen. They
// are built at the first show and kept for every later one; a change of the
// screens (added, removed, moved) builds them afresh at the next show.
class DesktopClickCatcherWindows : public ClickCatcherWindows
{
public:
    explicit DesktopClickCatcherWindows(Displays &displays);
    ~DesktopClickCatcherWindows() override;

    void show(std::function<void()> onClick) override;
    void hide() override;

    const std::vector<std::unique_ptr<ClickCatcherWindow>> &windows() const { return m_windows; }
    // The screens the windows were built for, in Qt's coordinates.
    const QList<QRect> &screenFrames() const { return m_screenFrames; }

private:
    QList<QRect> currentScreenFrames() const;

    Displays &m_displays;
    std::vector<std::unique_ptr<ClickCatcherWindow>> m_windows;
    QList<QRect> m_screenFrames;
};

} // namespace Velmora
