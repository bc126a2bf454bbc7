#pragma once

#include "platform/displayinfo.h"

#include <QObject>
#include <QRect>

#include <functional>
#include <memory>

class QWidget;

namespace Velmora {

class TaskbarPanel;
class TaskbarStore;

// One display's bar: owns its panel, keeps it along the bottom edge of the
// display's full frame (not the visible one: the bar sits over a Dock's strip
// and under nothing), and remembers whether it is out of the way of a
// full-screen window. The display id is fixed for the controller's life; a
// display that comes back gets a new controller.
class TaskbarWindowController : public QObject
{
    Q_OBJECT
public:
    static constexpr int barHeight = 57;

    // Builds the bar view of one display inside `parent` (the panel). The
    // composition root gives one; without it the panel shows an empty bar.
    using ContentFactory = std::function<QWidget *(quint32 displayID, QWidget *parent)>;

    // `screen` is the display as the platform reports it; `primaryHeight`
    // is the primary display's height, which places it in Qt's coordinates.
    TaskbarWindowController(TaskbarStore &store, const DisplayInfo &screen, double primaryHeight, quint32 displayID,
        const ContentFactory &content, QObject *parent = nullptr);
    ~TaskbarWindowController() override;

    TaskbarStore &store() const { return m_store; }
    quint32 displayID() const { return m_displayID; }
    const DisplayInfo &screen() const { return m_screen; }
    TaskbarPanel *window() const { return m_panel.get(); }

    // A new frame for the display: the panel moves and resizes, and keeps
    // its visibility.
    void setScreen(const DisplayInfo &screen, double primaryHeight);
    // Puts the panel back along the bottom of its screen.
    void placeOnScreen();
    // Shows the panel in front without activating the application.
    void showWindow();
    // Takes the panel off the screen (for a full-screen window).
    void orderOut();

    bool isHiddenForFullScreen() const { return m_isHiddenForFullScreen; }
    void setHiddenForFullScreen(bool hidden) { m_isHiddenForFullScreen = hidden; }

    // The bar's strip of a display, in Qt's coordinates.
    static QRect panelFrame(const DisplayInfo &screen, double primaryHeight);

private:
    TaskbarStore &m_store;
    const quint32 m_displayID;
    DisplayInfo m_screen;
    double m_primaryHeight = 0;
    bool m_isHiddenForFullScreen = false;
    std::unique_ptr<TaskbarPanel> m_panel;
};

} // namespace Velmora
