#include "startmenu/startmenuview.h"

#include "bar/model/animator.h"
#include "bar/visualeffectview.h"
#include "startmenu/model/startmenulayout.h"
#include "startmenu/model/startmenutexts.h"
#include "startmenu/startapplist.h"
#include "startmenu/startmenusearchfield.h"
#include "startmenu/startmenusidebar.h"
#include "startmenu/startmenustyle.h"

#include <QGraphicsOpacityEffect>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>

#include <cmath>

namespace Velmora {

namespace {

Motion switchMotion()
{
    return Motion::easeOut(StartMenuView::switchFadeMs, Motion::Kind::Fade);
}

} // namespace

StartMenuView::StartMenuView(StartMenuEnvironment environment, StartMenuMode mode, quint32 displayID,
                             QWidget *parent)
    : QWidget(parent)
    , m_env(environment)
    , m_model(std::make_unique<StartMenuViewModel>(
          StartMenuViewModel::Environment{environment.store, environment.displays, environment.workspace,
                                          environment.scheduler, environment.sections, environment.spelling},
          mode, displayID))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::ClickFocus);

    m_search = new StartMenuSearchField(*m_model, this);

    m_listArea = new QScrollArea(this);
    StartMenuStyle::makeTransparent(m_listArea);
    m_listArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list = new StartAppList(*m_model, environment.icons);
    m_listArea->setWidget(m_list);
    m_listArea->setWidgetResizable(false);
    m_listArea->setGraphicsEffect(new QGraphicsOpacityEffect(m_listArea));

    m_sidebarArea = new QScrollArea(this);
    StartMenuStyle::makeTransparent(m_sidebarArea);
    m_sidebarArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_sidebar = new StartMenuSidebar(*m_model, environment.animator, environment.icons);
    m_sidebarArea->setWidget(m_sidebar);
    m_sidebarArea->setWidgetResizable(false);

    m_showsNoApps = m_model->showsNoApps();
    m_listPresence = std::make_unique<AnimatedValue>(environment.animator, this, m_showsNoApps ? 0 : 1, [this] {
        const qreal value = m_listPresence->value();
        auto *effect = static_cast<QGraphicsOpacityEffect *>(m_listArea->graphicsEffect());
        effect->setOpacity(value);
        // Drawn through the effect only while it fades.
        effect->setEnabled(value > 0 && value < 1);
        m_listArea->setVisible(value > 0);
        update(listAreaRect());
    });
    m_listArea->graphicsEffect()->setEnabled(false);
    m_listArea->setVisible(!m_showsNoApps);

    // Each content takes its scroll area's width, whatever the scroller takes.
    m_listArea->viewport()->installEventFilter(this);
    m_sidebarArea->viewport()->installEventFilter(this);

    connect(m_model.get(), &ViewModel::changed, this, &StartMenuView::apply);
    syncList();
    resize(sizeHint());
}

StartMenuView::~StartMenuView()
{
    m_listPresence.reset();
}

QSize StartMenuView::sizeHint() const
{
    return {int(StartMenuLayout::width), int(m_model->menuHeight())};
}

qreal StartMenuView::listOpacity() const
{
    return m_listPresence->value();
}

QRect StartMenuView::listAreaRect() const
{
    const int top = int(StartMenuLayout::searchInset + StartMenuLayout::searchHeight + StartMenuLayout::listSpacing);
    return {0, top, int(StartMenuLayout::listColumnWidth), std::max(0, height() - top)};
}

void StartMenuView::apply(ViewModel::Changes changes)
{
    if (changes & StartMenuViewModel::Search)
        m_search->syncText();
    if (changes & StartMenuViewModel::Results)
        syncList();
    if (changes & StartMenuViewModel::Height)
        updateGeometry(); // the popover follows the new height
    m_sidebar->apply(changes);
    if ((changes & StartMenuViewModel::Presented) && !m_model->isPresented()) {
        // The next opening shows the list and the sidebar from their tops.
        m_listArea->verticalScrollBar()->setValue(0);
        m_sidebarArea->verticalScrollBar()->setValue(0);
    }
}

void StartMenuView::syncList()
{
    m_list->setSections(m_model->sections());
    m_list->resize(m_listArea->viewport()->width(), m_list->sizeHint().height());
    const bool noApps = m_model->showsNoApps();
    if (noApps == m_showsNoApps)
        return;
    m_showsNoApps = noApps;
    const qreal target = noApps ? 0 : 1;
    // The switch fades, unless the person asked for less motion.
    if (m_env.animator.reducesMotion() || !isVisible())
        m_listPresence->setValue(target);
    else
        m_listPresence->animateTo(target, switchMotion());
    update(listAreaRect());
}

void StartMenuView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void StartMenuView::layOut()
{
    const int inset = int(StartMenuLayout::searchInset);
    m_search->setGeometry(inset, inset, int(StartMenuLayout::listColumnWidth) - 2 * inset,
                          int(StartMenuLayout::searchHeight));
    m_listArea->setGeometry(listAreaRect());
    m_list->resize(m_listArea->viewport()->width(), m_list->sizeHint().height());
    const int sidebarLeft = int(StartMenuLayout::listColumnWidth + StartMenuLayout::dividerWidth);
    m_sidebarArea->setGeometry(sidebarLeft, 0, std::max(0, width() - sidebarLeft), height());
    m_sidebar->setAvailableWidth(m_sidebarArea->viewport()->width());
}

bool StartMenuView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == m_listArea->viewport())
            m_list->resize(m_listArea->viewport()->width(), m_list->sizeHint().height());
        else if (watched == m_sidebarArea->viewport())
            m_sidebar->setAvailableWidth(m_sidebarArea->viewport()->width());
    }
    return QWidget::eventFilter(watched, event);
}

void StartMenuView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_model->flush();
    if (m_model->mode() == StartMenuMode::Search) {
        // Once the popover is on screen.
        QMetaObject::invokeMethod(this, [this] { m_search->focusField(); }, Qt::QueuedConnection);
    }
}

void StartMenuView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        m_model->escape();
        return;
    }
    QWidget::keyPressEvent(event);
}

void StartMenuView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), VisualEffectView::fill(VisualEffectView::Material::Popover));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.fillRect(rect(), StartMenuStyle::tint());
    painter.fillRect(QRectF(StartMenuLayout::listColumnWidth, 0, StartMenuLayout::dividerWidth, height()),
                     StartMenuStyle::white(0.08));

    const qreal noApps = 1 - m_listPresence->value();
    if (noApps <= 0)
        return;
    // "No apps found", centred in the list's place.
    painter.setOpacity(noApps);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF area = listAreaRect();
    const QFont title = StartMenuStyle::font(17, QFont::Bold);
    const QFont description = StartMenuStyle::font(13);
    const qreal glyph = 34;
    const qreal titleHeight = QFontMetricsF(title).height();
    const qreal descriptionHeight = QFontMetricsF(description).height();
    const qreal total = glyph + 12 + titleHeight + 4 + descriptionHeight;
    qreal y = area.center().y() - total / 2;
    const QPixmap symbol = StartMenuStyle::symbol(QStringLiteral("magnifyingglass"), int(glyph),
                                                  StartMenuStyle::secondaryText(), devicePixelRatioF());
    if (!symbol.isNull())
        painter.drawPixmap(QRectF(area.center().x() - glyph / 2, y, glyph, glyph), symbol, QRectF(symbol.rect()));
    y += glyph + 12;
    painter.setFont(title);
    painter.setPen(StartMenuStyle::primaryText());
    painter.drawText(QRectF(area.left(), y, area.width(), titleHeight), Qt::AlignCenter,
                     StartMenuTexts::noAppsTitle());
    y += titleHeight + 4;
    painter.setFont(description);
    painter.setPen(StartMenuStyle::secondaryText());
    painter.drawText(QRectF(area.left(), y, area.width(), descriptionHeight), Qt::AlignCenter,
                     StartMenuTexts::noAppsDescription());
}

} // namespace Velmora
