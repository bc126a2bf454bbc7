#include "bar/wrappedmenurow.h"

#include "bar/appmenuitem.h"
#include "bar/model/wrappedmenurowlayout.h"

#include <QAccessibleWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace Velmora {

namespace {

QMenu *menuOf(const QWidget *row)
{
    return qobject_cast<QMenu *>(row->parentWidget());
}

bool isCurrent(const WrappedMenuRow *row)
{
    const QMenu *menu = menuOf(row);
    return row->underMouse() || (menu && row->item() && menu->activeAction() == row->item());
}

// Assistive technologies see the row as a button named after the item's
// plain title, and can press it.
class WrappedMenuRowAccessible final : public QAccessibleWidget
{
public:
    explicit WrappedMenuRowAccessible(WrappedMenuRow *row)
        : QAccessibleWidget(row, QAccessible::Button)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return row()->item() ? row()->item()->text() : QString();
        return QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.disabled = row()->item() && !row()->item()->isEnabled();
        return state;
    }
    QStringList actionNames() const override { return { pressAction() }; }
    void doAction(const QString &name) override
    {
        if (name == pressAction())
            row()->performPress();
    }

private:
    WrappedMenuRow *row() const { return static_cast<WrappedMenuRow *>(widget()); }
};

QAccessibleInterface *accessibleRow(const QString &className, QObject *object)
{
    if (className == QLatin1String(WrappedMenuRow::staticMetaObject.className()) && object && object->isWidgetType())
        return new WrappedMenuRowAccessible(static_cast<WrappedMenuRow *>(object));
    return nullptr;
}

} // namespace

WrappedMenuRow::WrappedMenuRow(const QString &title, const QIcon &icon, AppMenuItem *item, const QFont &font,
                               QWidget *parent)
    : QWidget(parent)
    , m_item(item)
    , m_title(title)
    , m_icon(icon)
{
    static const bool accessibilityInstalled = [] {
        QAccessible::installFactory(accessibleRow);
        return true;
    }();
    Q_UNUSED(accessibilityInstalled);

    setFont(font);
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);
    m_size = WrappedMenuRowLayout(WrappedMenuRowLayout::textHeight(title, font)).rowSize().toSize();
    // As wide as the menu makes it, never shorter than its text.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMinimumHeight(m_size.height());
}

QSize WrappedMenuRow::sizeHint() const
{
    return m_size;
}

bool WrappedMenuRow::isHighlighted() const
{
    return WrappedMenuRowLayout::isHighlighted(m_item, isCurrent(this), m_item && m_item->isEnabled());
}

bool WrappedMenuRow::performPress()
{
    if (!m_item || !m_item->isEnabled())
        return false;
    // Close the whole chain of menus first, as choosing any item does; the
    // handler then runs once, with the menu out of the way.
    for (QWidget *widget = parentWidget(); widget; widget = widget->parentWidget()) {
        if (auto *menu = qobject_cast<QMenu *>(widget))
            menu->hide();
    }
    if (m_item)
        m_item->trigger();
    return true;
}

void WrappedMenuRow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool enabled = m_item && m_item->isEnabled();
    const WrappedMenuRowLayout::TextLook look = WrappedMenuRowLayout::textLook(m_item, isCurrent(this), enabled);
    if (look == WrappedMenuRowLayout::TextLook::Selected) {
        QPainterPath selection;
        selection.addRoundedRect(WrappedMenuRowLayout::highlightRect(rect()), WrappedMenuRowLayout::highlightRadius,
                                 WrappedMenuRowLayout::highlightRadius);
        painter.fillPath(selection, palette().color(QPalette::Highlight));
    }
    QColor colour = palette().color(QPalette::Active, QPalette::Text);
    QIcon::Mode mode = QIcon::Normal;
    if (look == WrappedMenuRowLayout::TextLook::Selected) {
        colour = palette().color(QPalette::Active, QPalette::HighlightedText);
        mode = QIcon::Selected;
    } else if (look == WrappedMenuRowLayout::TextLook::Disabled) {
        colour = palette().color(QPalette::Disabled, QPalette::Text);
        mode = QIcon::Disabled;
    }

    const WrappedMenuRowLayout layout(m_size.height() - 2 * WrappedMenuRowLayout::textTop);
    if (!m_icon.isNull()) {
        const QRect iconRect = layout.iconRect().toAlignedRect();
        if (m_icon.isMask()) {
            // A symbol takes the text's colour, like the symbols of plain items.
            QImage symbol(iconRect.size() * devicePixelRatioF(), QImage::Format_ARGB32_Premultiplied);
            symbol.setDevicePixelRatio(devicePixelRatioF());
            symbol.fill(Qt::transparent);
            QPainter tint(&symbol);
            m_icon.paint(&tint, QRect(QPoint(0, 0), iconRect.size()));
            tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
            tint.fillRect(QRect(QPoint(0, 0), iconRect.size()), colour);
            tint.end();
            painter.drawImage(iconRect, symbol);
        } else {
            m_icon.paint(&painter, iconRect, Qt::AlignCenter, mode);
        }
    }
    painter.setPen(colour);
    painter.drawText(layout.textRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_title);
}

void WrappedMenuRow::mousePressEvent(QMouseEvent *event)
{
    // Taken here, so the menu beneath never chooses the item a second time.
    event->accept();
}

void WrappedMenuRow::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        performPress();
}

void WrappedMenuRow::enterEvent(QEnterEvent *event)
{
    update();
    QWidget::enterEvent(event);
}

void WrappedMenuRow::leaveEvent(QEvent *event)
{
    update();
    QWidget::leaveEvent(event);
}

} // namespace Velmora
