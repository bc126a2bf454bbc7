#include "bar/systemtrayview.h"

#include "bar/model/traybuttonstyle.h"
#include "bar/traybutton.h"
#include "store/permissions.h"

namespace Velmora {

const QString SystemTrayView::warningHelp =
    QStringLiteral("Accessibility permission is required to keep windows above Velmora");

SystemTrayView::SystemTrayView(Permissions &permissions, QWidget *parent)
    : QWidget(parent)
    , m_permissions(permissions)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    connect(&m_permissions, &Permissions::isAccessibilityTrustedChanged, this, &SystemTrayView::sync);
    sync();
}

qreal SystemTrayView::trayWidth() const
{
    return TrayButtonStyle::trayWidth(m_permissions.isAccessibilityTrusted());
}

QSize SystemTrayView::sizeHint() const
{
    return QSize(int(trayWidth()), int(TrayButtonStyle::height));
}

void SystemTrayView::sync()
{
    const bool showsWarning = !m_permissions.isAccessibilityTrusted();
    if (showsWarning == (m_button != nullptr))
        return;
    if (showsWarning) {
        // A fresh button each time, so it never starts out hovered.
        m_button = new TrayButton(this);
        m_button->setToolTip(warningHelp);
        m_button->setAccessibleName(warningHelp);
        connect(m_button, &QAbstractButton::clicked, this,
                [this] { m_permissions.askForPermission(AppPermission::accessibility); });
        placeButton();
        m_button->show();
    } else {
        delete m_button;
        m_button = nullptr;
    }
    setFixedWidth(int(trayWidth()));
    updateGeometry();
    emit trayWidthChanged(trayWidth());
}

void SystemTrayView::placeButton()
{
    if (!m_button)
        return;
    const int top = (height() - int(TrayButtonStyle::height)) / 2;
    m_button->setGeometry(0, top, int(TrayButtonStyle::width), int(TrayButtonStyle::height));
}

void SystemTrayView::resizeEvent(QResizeEvent *event)
{
    placeButton();
    QWidget::resizeEvent(event);
}

} // namespace Velmora
