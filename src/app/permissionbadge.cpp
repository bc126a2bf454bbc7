#include "app/permissionbadge.h"

#include "app/model/settingstexts.h"
#include "app/model/shellsymbols.h"
#include "taskmanager/taskmanagerstyle.h"

#include <QFontMetrics>
#include <QPainter>

namespace Velmora {

namespace {

constexpr int symbolSize = 13;
constexpr int symbolGap = 5;
constexpr int horizontalPadding = 10;
constexpr int verticalPadding = 5;

} // namespace

PermissionBadge::PermissionBadge(QWidget *parent)
    : QWidget(parent)
{
    setFont(TaskManagerStyle::font(12, QFont::Medium));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void PermissionBadge::setGranted(bool granted)
{
    if (granted == m_granted)
        return;
    m_granted = granted;
    updateGeometry();
    update();
}

QString PermissionBadge::text() const
{
    return m_granted ? SettingsTexts::allowed : SettingsTexts::notYetGranted;
}

QColor PermissionBadge::color() const
{
    // The desktop's green and orange in their dark variants.
    return m_granted ? QColor(48, 209, 88) : QColor(255, 159, 10);
}

QSize PermissionBadge::sizeHint() const
{
    const QFontMetrics metrics(font());
    return QSize(horizontalPadding * 2 + symbolSize + symbolGap + metrics.horizontalAdvance(text()),
        verticalPadding * 2 + std::max(symbolSize, metrics.height()));
}

void PermissionBadge::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = color();
    fill.setAlphaF(0.1f);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    const QRectF capsule(rect());
    painter.drawRoundedRect(capsule, capsule.height() / 2, capsule.height() / 2);

    const QRectF symbol(horizontalPadding, (height() - symbolSize) / 2.0, symbolSize, symbolSize);
    ShellSymbols::draw(painter, m_granted ? QStringLiteral("checkmark.circle.fill") : QStringLiteral("xmark.circle.fill"),
        symbol, color());
    painter.setPen(color());
    painter.setFont(font());
    painter.drawText(QRectF(symbol.right() + symbolGap, 0, width(), height()), Qt::AlignLeft | Qt::AlignVCenter, text());
}

} // namespace Velmora
