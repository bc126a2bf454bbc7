#include "app/taskbarwindowcontroller.h"

#include "app/taskbarpanel.h"
#include "bar/visualeffectview.h"
#include "platform/screencoordinates.h"

namespace Velmora {

TaskbarWindowController::TaskbarWindowController(TaskbarStore &store, const DisplayInfo &screen,
    double primaryHeight, quint32 displayID, const ContentFactory &content, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_displayID(displayID)
    , m_screen(screen)
    , m_primaryHeight(primaryHeight)
    , m_panel(std::make_unique<TaskbarPanel>())
{
    QWidget *view = content ? content(displayID, m_panel.get()) : nullptr;
    if (!view) {
        // The bar's own background, until a bar view fills it.
        auto *background = new VisualEffectView(m_panel.get());
        background->setMaterial(VisualEffectView::Material::HudWindow);
        view = background;
    }
    m_panel->setContent(view);
    m_panel->setFixedHeight(barHeight);
    placeOnScreen();
}

TaskbarWindowController::~TaskbarWindowController() = default;

QRect TaskbarWindowController::panelFrame(const DisplayInfo &screen, double primaryHeight)
{
    const QRectF strip(screen.frame.x(), screen.frame.y(), screen.frame.width(), barHeight);
    return ScreenCoordinates(primaryHeight).toQt(strip);
}

void TaskbarWindowController::setScreen(const DisplayInfo &screen, double primaryHeight)
{
    m_screen = screen;
    m_primaryHeight = primaryHeight;
    placeOnScreen();
}

void TaskbarWindowController::placeOnScreen()
{
    const QRect frame = panelFrame(m_screen, m_primaryHeight);
    m_panel->setFixedWidth(frame.width());
    m_panel->setGeometry(frame);
}

void TaskbarWindowController::showWindow()
{
    m_panel->show();
    m_panel->raise();
}

void TaskbarWindowController::orderOut()
{
    m_panel->hide();
}

} // namespace Velmora
