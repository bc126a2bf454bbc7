#include "bar/plainpreviewlist.h"

#include "bar/model/baractions.h"
#include "platform/workspace.h"
#include "store/taskbarstore.h"

#include <QMouseEvent>
#include <QPainter>

namespace Velmora {

PlainPreviewList::PlainPreviewList(const WindowPickerContent::Context &context, QWidget *parent)
    : QWidget(parent)
    , m_context(context)
{
    setMouseTracking(true);
    connect(&context.store.windowPicker(), &WindowPicker::windowPreviewsChanged, this, &PlainPreviewList::reload);
    reload();
}

void PlainPreviewList::reload()
{
    m_previews = m_context.store.windowPicker().windowPreviews();
    m_hoveredRow = -1;
    updateGeometry();
    update();
}

QSize PlainPreviewList::sizeHint() const
{
    return { width, int(2 * padding + rowHeight * std::max<qsizetype>(m_previews.size(), 1)) };
}

int PlainPreviewList::rowAt(const QPoint &position) const
{
    const int row = (position.y() - padding) / rowHeight;
    if (position.y() < padding || row < 0 || row >= m_previews.size())
        return -1;
    return row;
}

void PlainPreviewList::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPointSizeF(12);
    painter.setFont(font);
    for (int row = 0; row < m_previews.size(); ++row) {
        const WindowPreviewItem &preview = m_previews.at(row);
        const QRectF rowRect(padding, padding + row * rowHeight, width - 2 * padding, rowHeight);
        if (row == m_hoveredRow) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor::fromRgbF(1, 1, 1, 0.1f));
            painter.drawRoundedRect(rowRect, 5, 5);
        }
        const QString title = m_context.actions.customWindowName(preview).value_or(preview.title);
        painter.setPen(QColor::fromRgbF(1, 1, 1, preview.isMinimized ? 0.55f : 0.92f));
        painter.drawText(rowRect.adjusted(10, 0, -10, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         painter.fontMetrics().elidedText(title, Qt::ElideRight, int(rowRect.width()) - 20));
    }
}

void PlainPreviewList::mouseMoveEvent(QMouseEvent *event)
{
    const int row = rowAt(event->position().toPoint());
    if (row != m_hoveredRow) {
        m_hoveredRow = row;
        update();
    }
}

void PlainPreviewList::leaveEvent(QEvent *)
{
    if (m_hoveredRow != -1) {
        m_hoveredRow = -1;
        update();
    }
}

void PlainPreviewList::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        choose(rowAt(event->position().toPoint()));
}

void PlainPreviewList::choose(int row)
{
    if (row < 0 || row >= m_previews.size())
        return;
    const WindowPreviewItem preview = m_previews.at(row);
    const std::optional<RunningApplication> owner
        = m_context.store.environment().workspace.application(preview.processIdentifier);
    if (!owner)
        return;
    m_context.store.windowPicker().dismissWindowPicker();
    m_context.actions.focusWindow(preview, *owner);
}

} // namespace Velmora
