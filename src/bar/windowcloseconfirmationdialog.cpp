#include "bar/windowcloseconfirmationdialog.h"

#include "app/model/velmorapalette.h"
#include "bar/barsymbols.h"

#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

namespace Velmora {

namespace {

// A window drawn in code, for when neither the owner's icon nor the theme's
// window symbol is there.
QPixmap genericWindowSymbol(int side, qreal ratio)
{
    QPixmap pixmap(QSize(side, side) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame(side * 0.1, side * 0.18, side * 0.8, side * 0.64);
    painter.setPen(QPen(QColor::fromRgbF(1, 1, 1, 0.85f), side / 24.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(frame, side * 0.08, side * 0.08);
    painter.drawLine(QPointF(frame.left(), frame.top() + side * 0.14), QPointF(frame.right(), frame.top() + side * 0.14));
    return pixmap;
}

} // namespace

WindowCloseConfirmationDialog::WindowCloseConfirmationDialog(const QIcon &icon, const QString &title,
                                                             const QString &message, const QString &closeTitle,
                                                             QWidget *parent)
    // No title bar: the question is the window's heading, and the window
    // moves by its background instead.
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setWindowModality(Qt::ApplicationModal);
    // Not drawn, but named for the window list and assistive tools.
    setWindowTitle(title);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, VelmoraPalette::windowNS());
    palette.setColor(QPalette::WindowText, Qt::white);
    palette.setColor(QPalette::Text, Qt::white);
    palette.setColor(QPalette::ButtonText, Qt::white);
    palette.setColor(QPalette::Button, VelmoraPalette::sheet().lighter(150));
    setPalette(palette);
    setAutoFillBackground(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(inset, inset, inset, inset);
    layout->setSpacing(spacing);

    auto *iconLabel = new QLabel(this);
    iconLabel->setAlignment(Qt::AlignCenter);
    const qreal ratio = devicePixelRatioF();
    QIcon shown = icon.isNull() ? BarSymbols::icon(QStringLiteral("macwindow")) : icon;
    iconLabel->setPixmap(shown.isNull() ? genericWindowSymbol(iconSide, ratio)
                                        : shown.pixmap(QSize(iconSide, iconSide), ratio));
    iconLabel->setFixedHeight(iconSide);
    layout->addWidget(iconLabel);
    layout->addSpacing(6);

    auto *titleLabel = new QLabel(title, this);
    QFont titleFont = titleLabel->font();
    titleFont.setPointSizeF(17);
    titleFont.setBold(true);
    titleLabel->setFont(titleFont);
    titleLabel->setWordWrap(true);
    layout->addWidget(titleLabel);

    auto *messageLabel = new QLabel(message, this);
    QFont messageFont = messageLabel->font();
    messageFont.setPointSizeF(13);
    messageLabel->setFont(messageFont);
    messageLabel->setWordWrap(true);
    messageLabel->setTextFormat(Qt::PlainText);
    layout->addWidget(messageLabel);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addStretch(1);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_close = new QPushButton(closeTitle, this);
    for (QPushButton *button : { m_cancel, m_close }) {
        button->setMinimumHeight(30);
        buttons->addWidget(button);
    }
    // Return chooses Cancel, never the destructive button.
    m_cancel->setDefault(true);
    m_cancel->setAutoDefault(true);
    m_close->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addLayout(buttons);

    setFixedWidth(contentWidth);
    setFixedHeight(heightForWidth(contentWidth) > 0 ? heightForWidth(contentWidth) : sizeHint().height());
}

void WindowCloseConfirmationDialog::present()
{
    QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
    m_cancel->setFocus();
}

void WindowCloseConfirmationDialog::done(int result)
{
    QDialog::done(result);
    // Escape, Return, the buttons and a close by the window system all end
    // here; only the close button accepted.
    if (std::exchange(m_answered, true))
        return;
    emit answered(result == QDialog::Accepted);
    deleteLater();
}

void WindowCloseConfirmationDialog::mousePressEvent(QMouseEvent *event)
{
    // Moved by dragging its background, as it has no title bar to drag.
    if (event->button() == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
    QDialog::mousePressEvent(event);
}

} // namespace Velmora
