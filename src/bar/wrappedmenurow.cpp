#include "bar/wrappedmenurow.h"

#include "bar/appmenuitem.h"
#include "bar/model/wrappedmenurowlayout.h"

#include <QAccessibleWidget>
#include <QFontMetricsF>
#include <QHash>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionMenuItem>

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

// An ordinary item as the row's style would draw it: enabled, not checkable,
// with its font and palette.
QStyleOptionMenuItem menuItemOption(const QWidget *row)
{
    QStyleOptionMenuItem option;
    option.initFrom(row);
    option.state = QStyle::State_Enabled;
    option.menuItemType = QStyleOptionMenuItem::Normal;
    option.checkType = QStyleOptionMenuItem::NotCheckable;
    option.font = row->font();
    option.fontMetrics = QFontMetrics(row->font());
    option.maxIconWidth = row->style()->pixelMetric(QStyle::PM_SmallIconSize, &option, row);
    return option;
}

// Where the style puts an ordinary item's icon and text. Styles do not
// publish these columns, so the style draws one probe item (a red icon, black
// text on white) and the columns are read off the result, once per style and
// font.
WrappedMenuRowLayout::Columns menuColumns(const QWidget *row)
{
    static QHash<QString, WrappedMenuRowLayout::Columns> known;
    const QString key = row->style()->name() + u'|' + row->font().key();
    if (const auto found = known.constFind(key); found != known.cend())
        return *found;

    QStyleOptionMenuItem option = menuItemOption(row);
    const int iconSide = option.maxIconWidth;
    QPixmap marker(iconSide, iconSide);
    marker.fill(Qt::red);
    option.icon = QIcon(marker);
    option.text = QStringLiteral("H");
    for (const QPalette::ColorRole role : { QPalette::Text, QPalette::WindowText, QPalette::ButtonText })
        option.palette.setColor(role, Qt::black);
    for (const QPalette::ColorRole role : { QPalette::Window, QPalette::Base, QPalette::Button })
        option.palette.setColor(role, Qt::white);
    // As tall as the menu makes a one-line item: some styles widen the icon
    // column with the item's height.
    const QSize itemSize = row->style()->sizeFromContents(
        QStyle::CT_MenuItem, &option, QSize(option.fontMetrics.horizontalAdvance(option.text), option.fontMetrics.height()),
        row);
    option.rect = QRect(0, 0, 400, std::max(itemSize.height(), option.fontMetrics.height()));
    QImage probe(option.rect.size(), QImage::Format_RGB32);
    probe.fill(Qt::white);
    {
        QPainter painter(&probe);
        row->style()->drawControl(QStyle::CE_MenuItem, &option, &painter, row);
    }
    auto firstColumn = [&probe](int from, auto matches) {
        for (int x = from; x < probe.width(); ++x) {
            for (int y = 0; y < probe.height(); ++y) {
                if (matches(probe.pixelColor(x, y)))
                    return x;
            }
        }
        return -1;
    };
    const int iconLeft = firstColumn(0, [](QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; });
    // The first column with any ink of the "H", less the glyph's own bearing:
    // the row draws its text from where the style starts a line.
    const int ink = firstColumn(std::max(0, iconLeft + iconSide),
                                [](QColor c) { return c.red() < 200 && c.green() < 200 && c.blue() < 200; });
    const int textLeft = ink - qRound(QFontMetricsF(option.font).leftBearing(u'H'));
    WrappedMenuRowLayout::Columns columns;
    if (iconLeft >= 0 && textLeft > iconLeft)
        columns = { qreal(iconLeft), qreal(iconSide), qreal(textLeft) };
    known.insert(key, columns);
    return columns;
}

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
    m_columns = menuColumns(this);
    m_size = layout().rowSize().toSize();
    // As wide as the menu makes it, never shorter than its text.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMinimumHeight(m_size.height());
}

QSize WrappedMenuRow::sizeHint() const
{
    return m_size;
}

WrappedMenuRowLayout WrappedMenuRow::layout() const
{
    return WrappedMenuRowLayout(WrappedMenuRowLayout::textHeight(m_title, font()), fontMetrics().height(), m_columns);
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
        // The style's own selection, so the row lights up like its neighbours.
        QStyleOptionMenuItem option = menuItemOption(this);
        option.state |= QStyle::State_Selected;
        option.rect = rect();
        style()->drawControl(QStyle::CE_MenuItem, &option, &painter, this);
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

    const WrappedMenuRowLayout layout = this->layout();
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
    // The menu does not see the pointer over a row of its own: tell it which
    // item is current now, so the one it lit before goes dark.
    if (QMenu *menu = menuOf(this))
        menu->setActiveAction(m_item && m_item->isEnabled() ? m_item.data() : nullptr);
    update();
    QWidget::enterEvent(event);
}

void WrappedMenuRow::leaveEvent(QEvent *event)
{
    update();
    QWidget::leaveEvent(event);
}

} // namespace Velmora
