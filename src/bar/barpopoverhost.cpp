#include "bar/barpopoverhost.h"

#include "bar/model/instantpopoverpresenter.h"
#include "bar/visualeffectview.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace Velmora {

namespace {

// The popover's window: a frameless, never-activated panel with the flyouts'
// material and rounded corners, sized to its content.
class PopoverWindow final : public QWidget
{
public:
    PopoverWindow()
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus
                               | Qt::NoDropShadowWindowHint | Qt::WindowStaysOnTopHint)
    {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TranslucentBackground);
        setObjectName(QStringLiteral("BarPopover"));
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(BarPopoverHost::contentInset, BarPopoverHost::contentInset,
                                   BarPopoverHost::contentInset, BarPopoverHost::contentInset);
        layout->setSizeConstraint(QLayout::SetFixedSize);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF bounds = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        painter.setPen(QPen(QColor::fromRgbF(1, 1, 1, 0.14f), 1));
        painter.setBrush(VisualEffectView::fill(VisualEffectView::Material::Popover));
        painter.drawRoundedRect(bounds, 10, 10);
    }
};

} // namespace

BarPopoverHost::BarPopoverHost(InstantPopoverPresenter &presenter, QWidget *anchor, std::function<bool()> isPresented,
                               MakeContent makeContent, QObject *parent)
    : QObject(parent)
    , m_presenter(&presenter)
    , m_anchor(anchor)
    , m_isPresented(std::move(isPresented))
    , m_makeContent(std::move(makeContent))
{
    presenter.attach(this, [this] { show(); }, [this] { close(); });
}

BarPopoverHost::~BarPopoverHost()
{
    if (m_presenter)
        m_presenter->detach(this);
    delete m_window;
}

bool BarPopoverHost::isShown() const
{
    return m_window && m_window->isVisible();
}

void BarPopoverHost::sync()
{
    const bool presented = m_isPresented && m_isPresented();
    if (presented && !isShown()) {
        if (m_presenter && !m_presenter->isHoldingShow())
            show();
    } else if (!presented && m_window) {
        close();
    }
}

void BarPopoverHost::show()
{
    if (!m_anchor || !m_anchor->isVisible() || !(m_isPresented && m_isPresented()))
        return;
    if (!m_window) {
        m_window = new PopoverWindow;
        m_content = m_makeContent ? m_makeContent(m_window) : nullptr;
        if (m_content)
            m_window->layout()->addWidget(m_content);
        m_window->installEventFilter(this);
    }
    m_window->adjustSize();
    place();
    m_window->show();
    m_window->raise();
}

void BarPopoverHost::close()
{
    if (!m_window)
        return;
    // Deferred: the close may come from inside the content's own handler.
    m_window->hide();
    m_window->deleteLater();
    m_window = nullptr;
    m_content = nullptr;
}

void BarPopoverHost::place()
{
    if (!m_window || !m_anchor)
        return;
    const QRect anchorRect(m_anchor->mapToGlobal(QPoint(0, 0)), m_anchor->size());
    QScreen *screen = m_anchor->screen();
    const QRect screenRect = screen ? screen->geometry() : QRect();
    m_window->setGeometry(placement(anchorRect, m_window->size(), screenRect));
}

bool BarPopoverHost::eventFilter(QObject *watched, QEvent *event)
{
    // The content grew or shrank: the popover keeps its bottom edge above the anchor.
    if (watched == m_window && event->type() == QEvent::Resize)
        place();
    return QObject::eventFilter(watched, event);
}

QRect BarPopoverHost::placement(const QRect &anchorRect, const QSize &size, const QRect &screen)
{
    int x = anchorRect.center().x() - size.width() / 2;
    if (screen.isValid())
        x = std::max(screen.left(), std::min(x, screen.right() + 1 - size.width()));
    const int y = anchorRect.top() - anchorGap - size.height();
    return QRect(QPoint(x, y), size);
}

} // namespace Velmora
