#include "app/settingscard.h"

#include "app/model/velmorapalette.h"
#include "taskmanager/model/taskmanagerpalette.h"

#include <QPainter>
#include <QVBoxLayout>

namespace Velmora {

SettingsCard::SettingsCard(QWidget *parent)
    : QWidget(parent)
    , m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
}

void SettingsCard::addRow(QWidget *row)
{
    m_layout->addWidget(row);
    m_rows.append(row);
}

void SettingsCard::addTrailing(QWidget *widget)
{
    m_layout->addWidget(widget);
}

void SettingsCard::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(TaskManagerPalette::primary(0.07 / 0.88), 1));
    painter.setBrush(VelmoraPalette::card());
    painter.drawRoundedRect(card, cornerRadius, cornerRadius);

    // Dividers between rows; a hidden row takes its divider with it.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(TaskManagerPalette::primary(0.12), 1));
    bool first = true;
    for (const QWidget *row : std::as_const(m_rows)) {
        if (row->isHidden())
            continue;
        if (!first) {
            const int y = row->geometry().top();
            painter.drawLine(dividerInset, y, width() - dividerInset - 1, y);
        }
        first = false;
    }
}

} // namespace Velmora
