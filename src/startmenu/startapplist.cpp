#include "startmenu/startapplist.h"

#include "bar/appcontextmenu.h"
#include "startmenu/model/startmenuviewmodel.h"
#include "startmenu/startappcontextmenu.h"
#include "startmenu/startapprow.h"
#include "startmenu/startmenustyle.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

namespace Velmora {

namespace {

QFont headerFont()
{
    return StartMenuStyle::font(14, QFont::DemiBold);
}

} // namespace

StartAppList::StartAppList(StartMenuViewModel &model, FileIcons &icons, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_icons(icons)
    , m_headerHeight(headerTop + QFontMetricsF(headerFont()).height() + headerBottom)
{
    setMouseTracking(true);
}

void StartAppList::setSections(const QList<AppSection> &sections)
{
    if (sections == m_sections)
        return;
    m_sections = sections;
    // Icons of apps no longer listed go.
    QHash<QString, QIcon> kept;
    for (const AppSection &section : std::as_const(m_sections)) {
        for (const AppItem &app : section.apps) {
            if (auto found = m_iconCache.constFind(app.id); found != m_iconCache.cend())
                kept.insert(app.id, *found);
        }
    }
    m_iconCache = kept;
    m_hovered = -1;
    m_pressed = -1;
    layOutItems();
    updateGeometry();
    update();
}

void StartAppList::layOutItems()
{
    m_items.clear();
    qreal y = 0;
    const qreal rowHeight = StartAppRow::height(StartAppRow::listIconSize);
    for (qsizetype s = 0; s < m_sections.size(); ++s) {
        for (qsizetype a = -1; a < m_sections.at(s).apps.size(); ++a) {
            if (!m_items.empty())
                y += itemSpacing;
            const qreal height = a < 0 ? m_headerHeight : rowHeight;
            m_items.push_back({y, height, s, a});
            y += height;
        }
    }
    m_height = m_items.empty() ? 0 : y + bottomPadding;
}

QSize StartAppList::sizeHint() const
{
    return {200, int(std::ceil(m_height))};
}

QRectF StartAppList::itemRect(const Item &item) const
{
    return {inset, item.top, std::max<qreal>(0, width() - 2 * inset), item.height};
}

qsizetype StartAppList::itemAt(const QPointF &point) const
{
    if (point.x() < inset || point.x() > width() - inset)
        return -1;
    const auto found = std::upper_bound(m_items.begin(), m_items.end(), point.y(),
                                        [](qreal y, const Item &item) { return y < item.top; });
    if (found == m_items.begin())
        return -1;
    const auto index = qsizetype(std::prev(found) - m_items.begin());
    const Item &item = m_items[size_t(index)];
    if (item.app < 0 || point.y() > item.top + item.height)
        return -1;
    return index;
}

std::optional<QRectF> StartAppList::rowRect(const QString &appID) const
{
    for (const Item &item : m_items) {
        if (item.app >= 0 && appOf(item).id == appID)
            return itemRect(item);
    }
    return std::nullopt;
}

std::optional<QString> StartAppList::hoveredID() const
{
    if (m_hovered < 0)
        return std::nullopt;
    return appOf(m_items[size_t(m_hovered)]).id;
}

const QIcon &StartAppList::iconFor(const AppItem &app)
{
    auto found = m_iconCache.find(app.id);
    if (found == m_iconCache.end())
        found = m_iconCache.insert(app.id, app.icon(m_icons));
    return *found;
}

void StartAppList::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF area = event->rect();
    const auto first = std::upper_bound(m_items.begin(), m_items.end(), area.top(),
                                        [](qreal y, const Item &item) { return y < item.top + item.height; });
    for (auto it = first; it != m_items.end() && it->top <= area.bottom(); ++it) {
        const QRectF rect = itemRect(*it);
        if (it->app < 0) {
            painter.setFont(headerFont());
            painter.setPen(StartMenuStyle::primaryText());
            const QRectF text = rect.adjusted(headerInset, headerTop, -headerInset, -headerBottom);
            painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, m_sections.at(it->section).letter);
            continue;
        }
        const AppItem &app = appOf(*it);
        const bool hovering = qsizetype(it - m_items.begin()) == m_hovered;
        StartAppRow::paint(painter, rect, iconFor(app), app.name, StartAppRow::listIconSize, hovering);
    }
}

void StartAppList::setHovered(qsizetype index)
{
    if (index == m_hovered)
        return;
    for (qsizetype changed : {m_hovered, index}) {
        if (changed >= 0)
            update(itemRect(m_items[size_t(changed)]).toAlignedRect());
    }
    m_hovered = index;
}

void StartAppList::mouseMoveEvent(QMouseEvent *event)
{
    setHovered(itemAt(event->position()));
}

void StartAppList::leaveEvent(QEvent *event)
{
    setHovered(-1);
    QWidget::leaveEvent(event);
}

void StartAppList::mousePressEvent(QMouseEvent *event)
{
    const qsizetype index = itemAt(event->position());
    m_pressed = -1;
    if (index < 0)
        return;
    if (AppContextMenu::isMenuClick(event->button(), event->modifiers())) {
        // The menu takes the pointer: this list hears nothing until it ends.
        setHovered(-1);
        StartAppContextMenu::popUp(m_model, appOf(m_items[size_t(index)]), event->globalPosition().toPoint(), this);
        return;
    }
    if (event->button() == Qt::LeftButton)
        m_pressed = index;
}

void StartAppList::mouseReleaseEvent(QMouseEvent *event)
{
    const qsizetype pressed = std::exchange(m_pressed, -1);
    if (event->button() != Qt::LeftButton || pressed < 0 || itemAt(event->position()) != pressed)
        return;
    // Opening closes the menu, which may take this list with it.
    const AppItem app = appOf(m_items[size_t(pressed)]);
    m_model.open(app);
}

} // namespace Velmora
