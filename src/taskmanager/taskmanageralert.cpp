#include "taskmanager/taskmanageralert.h"

#include "services/velmoraownwindows.h"
#include "store/velmoraicon.h"
#include "taskmanager/model/taskmanagerpalette.h"
#include "taskmanager/taskmanagerbutton.h"
#include "taskmanager/taskmanagerstyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace Velmora {

namespace {

constexpr int alertWidth = 300;
constexpr int iconSize = 56;

QLabel *centredText(const QString &text, const QFont &font, const QColor &color, QWidget *parent)
{
    QLabel *label = TaskManagerStyle::label(text, font, color, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

} // namespace

TaskManagerAlert::TaskManagerAlert(const ProcessActionsViewModel::Alert &alert, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_alert(alert)
{
    setWindowModality(Qt::WindowModal);
    setWindowTitle(alert.title);
    setAccessibleName(alert.title);
    setAccessibleDescription(alert.message);
    setFixedWidth(alertWidth);
    TaskManagerStyle::applyDarkPalette(this);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(20, 20, 20, 18);
    column->setSpacing(0);
    auto *icon = new QLabel(this);
    icon->setPixmap(VelmoraIcon::ownAppIcon().pixmap(iconSize, iconSize));
    icon->setAlignment(Qt::AlignHCenter);
    column->addWidget(icon);
    column->addSpacing(12);
    column->addWidget(
        centredText(alert.title, TaskManagerStyle::font(13, QFont::Bold), TaskManagerPalette::primary(), this));
    if (!alert.message.isEmpty()) {
        column->addSpacing(6);
        column->addWidget(
            centredText(alert.message, TaskManagerStyle::font(11), TaskManagerPalette::primary(0.85), this));
    }
    column->addSpacing(18);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    const bool twoChoices = alert.buttons.size() > 1;
    auto *first = new TaskManagerButton(alert.buttons.value(0),
        twoChoices ? TaskManagerButton::Kind::Standard : TaskManagerButton::Kind::Prominent, this);
    first->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    buttons->addWidget(first);
    connect(first, &QPushButton::clicked, this, twoChoices ? &QDialog::reject : &QDialog::accept);
    if (twoChoices) {
        m_destructive = new TaskManagerButton(alert.buttons.last(), TaskManagerButton::Kind::Destructive, this);
        m_destructive->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        m_destructive->setAutoDefault(false);
        buttons->addWidget(m_destructive);
        connect(m_destructive, &QPushButton::clicked, this, &QDialog::accept);
    }
    // Return takes the safe choice.
    first->setDefault(true);
    first->setFocus();
    column->addLayout(buttons);
}

void TaskManagerAlert::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    VelmoraOwnWindows::setRole(windowHandle(), VelmoraOwnWindows::Role::TaskManager);
    // Over the upper part of the window it belongs to, as a sheet would be.
    if (QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr) {
        const QRect frame = owner->geometry();
        move(frame.center().x() - width() / 2, frame.top() + std::max(40, frame.height() / 5));
    }
}

void TaskManagerAlert::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Square: rounded corners would need a compositor behind them.
    painter.fillRect(rect(), TaskManagerPalette::sheet());
    painter.setPen(QPen(QColor(255, 255, 255, 40), 1));
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace Velmora
