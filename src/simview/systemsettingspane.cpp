#include "simview/systemsettingspane.h"

#include "platform/applicationpreferences.h"
#include "platform/sim/simdesktop.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace Velmora::SimView {

namespace {

constexpr double titleBarHeight = 40;
constexpr double sidebarWidth = 180;
const QString dockDomain = ApplicationPreferences::DockDomain;

QColor text(double opacity = 0.92)
{
    return QColor::fromRgbF(1, 1, 1, float(opacity));
}

QFont paneFont(int pixels, QFont::Weight weight = QFont::Normal)
{
    QFont f;
    f.setPixelSize(pixels);
    f.setWeight(weight);
    return f;
}

} // namespace

SystemSettingsPane::SystemSettingsPane(Sim::SimDesktop &desktop, QWidget *parent)
    // Drawn with its own title bar, like every window of the modelled desktop.
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_desktop(desktop)
{
    setWindowTitle(QStringLiteral("System Settings"));
    setFixedSize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&m_desktop, &Sim::SimDesktop::systemSettingsOpened, this, &SystemSettingsPane::open);
    connect(&m_desktop, &Sim::SimDesktop::worldChanged, this, qOverload<>(&QWidget::update));
}

void SystemSettingsPane::open(const QString &anchor)
{
    if (anchor.startsWith(QLatin1String("Privacy"))) {
        m_section = Section::privacy;
        m_highlighted = anchor == QLatin1String("Privacy_ScreenCapture") ? Control::screenRecording
                                                                          : Control::accessibility;
    } else {
        m_section = Section::desktopAndDock;
        m_highlighted = Control::none;
    }
    if (!isVisible()) {
        // Centred on the primary screen, a little above the middle.
        if (QScreen *screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->geometry();
            move(area.center().x() - width() / 2, area.top() + std::max(40, (area.height() - height()) / 3));
        }
    }
    show();
    raise();
    activateWindow();
    update();
}

QRectF SystemSettingsPane::controlRect(Control control) const
{
    const double right = width() - 28;
    switch (control) {
    case Control::close:
        return QRectF(14, 14, 12, 12);
    case Control::sidebarDock:
        return QRectF(10, titleBarHeight + 10, sidebarWidth - 20, 28);
    case Control::sidebarPrivacy:
        return QRectF(10, titleBarHeight + 42, sidebarWidth - 20, 28);
    case Control::accessibility:
        return m_section == Section::privacy ? QRectF(right - 42, 154, 36, 20) : QRectF();
    case Control::screenRecording:
        return m_section == Section::privacy ? QRectF(right - 42, 262, 36, 20) : QRectF();
    case Control::dockLeft:
    case Control::dockBottom:
    case Control::dockRight: {
        if (m_section != Section::desktopAndDock)
            return QRectF();
        const int index = int(control) - int(Control::dockLeft);
        return QRectF(right - 3 * 78 + index * 78, 120, 74, 26);
    }
    case Control::dockAutohide:
        return m_section == Section::desktopAndDock ? QRectF(right - 42, 174, 36, 20) : QRectF();
    case Control::none:
        break;
    }
    return QRectF();
}

SystemSettingsPane::Control SystemSettingsPane::controlAt(const QPointF &point) const
{
    for (Control control : {Control::close, Control::sidebarDock, Control::sidebarPrivacy, Control::accessibility,
             Control::screenRecording, Control::dockLeft, Control::dockBottom, Control::dockRight,
             Control::dockAutohide}) {
        // A little slack around the small targets.
        if (controlRect(control).adjusted(-4, -4, 4, 4).contains(point))
            return control;
    }
    return Control::none;
}

bool SystemSettingsPane::isOn(Control control) const
{
    const QVariant orientation = m_desktop.preference(dockDomain, ApplicationPreferences::DockOrientationKey);
    const QString edge = orientation.typeId() == QMetaType::QString ? orientation.toString() : QString();
    switch (control) {
    case Control::accessibility:
        return m_desktop.isAccessibilityTrusted();
    case Control::screenRecording:
        return m_desktop.screenCaptureAccess() == Sim::SimPermission::Granted;
    case Control::dockLeft:
        return edge == QLatin1String("left");
    case Control::dockRight:
        return edge == QLatin1String("right");
    case Control::dockBottom:
        return edge != QLatin1String("left") && edge != QLatin1String("right");
    case Control::dockAutohide: {
        const QVariant autohide = m_desktop.preference(dockDomain, ApplicationPreferences::DockAutohideKey);
        return autohide.typeId() == QMetaType::Bool && autohide.toBool();
    }
    default:
        return false;
    }
}

void SystemSettingsPane::setDockPreference(const QString &key, const QVariant &value)
{
    m_desktop.setPreference(dockDomain, key, value);
    // The Dock takes a new place or hiding only when it starts.
    m_desktop.killAll(QStringLiteral("Dock"));
}

void SystemSettingsPane::activate(Control control)
{
    switch (control) {
    case Control::close:
        hide();
        return;
    case Control::sidebarDock:
        m_section = Section::desktopAndDock;
        break;
    case Control::sidebarPrivacy:
        m_section = Section::privacy;
        break;
    case Control::accessibility:
        if (isOn(control))
            m_desktop.setAccessibilityTrusted(false);
        else
            m_desktop.grantAccessibilityInSettings();
        break;
    case Control::screenRecording:
        if (isOn(control))
            m_desktop.setScreenCaptureAccess(Sim::SimPermission::Denied);
        else
            m_desktop.grantScreenCaptureInSettings();
        break;
    case Control::dockLeft:
    case Control::dockBottom:
    case Control::dockRight:
        if (!isOn(control)) {
            const char *edges[] = {"left", "bottom", "right"};
            setDockPreference(ApplicationPreferences::DockOrientationKey,
                QString::fromLatin1(edges[int(control) - int(Control::dockLeft)]));
        }
        break;
    case Control::dockAutohide:
        setDockPreference(ApplicationPreferences::DockAutohideKey, !isOn(control));
        break;
    case Control::none:
        return;
    }
    update();
}

void SystemSettingsPane::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const Control control = controlAt(event->position());
    if (control != Control::none) {
        activate(control);
        return;
    }
    if (event->position().y() < titleBarHeight)
        m_dragFrom = event->globalPosition().toPoint() - pos();
}

void SystemSettingsPane::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragFrom)
        move(event->globalPosition().toPoint() - *m_dragFrom);
}

void SystemSettingsPane::mouseReleaseEvent(QMouseEvent *)
{
    m_dragFrom.reset();
}

void SystemSettingsPane::paintSwitch(QPainter &painter, const QRectF &rect, bool on)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(on ? QColor(10, 132, 255) : QColor(255, 255, 255, 50));
    painter.drawRoundedRect(rect, rect.height() / 2, rect.height() / 2);
    const double knob = rect.height() - 4;
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(on ? rect.right() - 2 - knob : rect.left() + 2, rect.top() + 2, knob, knob));
}

void SystemSettingsPane::paintSidebar(QPainter &painter)
{
    painter.fillRect(QRectF(0, 0, sidebarWidth, height()), QColor(34, 36, 42));
    painter.fillRect(QRectF(sidebarWidth, 0, 1, height()), QColor(255, 255, 255, 20));
    const struct {
        Control control;
        Section section;
        QString title;
        QColor tile;
    } items[] = {
        {Control::sidebarDock, Section::desktopAndDock, QStringLiteral("Desktop & Dock"), QColor(60, 60, 68)},
        {Control::sidebarPrivacy, Section::privacy, QStringLiteral("Privacy & Security"), QColor(10, 132, 255)},
    };
    painter.setFont(paneFont(13));
    for (const auto &item : items) {
        const QRectF row = controlRect(item.control);
        if (item.section == m_section) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(10, 132, 255, 200));
            painter.drawRoundedRect(row, 6, 6);
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(item.tile);
        painter.drawRoundedRect(QRectF(row.left() + 6, row.top() + 5, 18, 18), 4, 4);
        painter.setPen(text());
        painter.drawText(row.adjusted(32, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, item.title);
    }
}

void SystemSettingsPane::paintDockSection(QPainter &painter)
{
    const double left = sidebarWidth + 28;
    const double right = width() - 28;
    painter.setPen(text());
    painter.setFont(paneFont(20, QFont::DemiBold));
    painter.drawText(QRectF(left, titleBarHeight + 6, right - left, 30), Qt::AlignVCenter, QStringLiteral("Desktop & Dock"));

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 12));
    painter.drawRoundedRect(QRectF(left - 12, 106, right - left + 24, 94), 10, 10);
    painter.setFont(paneFont(13));
    painter.setPen(text());
    painter.drawText(QRectF(left, 120, 200, 26), Qt::AlignVCenter, QStringLiteral("Position on screen"));
    const QString titles[] = {QStringLiteral("Left"), QStringLiteral("Bottom"), QStringLiteral("Right")};
    for (int i = 0; i < 3; ++i) {
        const Control control = Control(int(Control::dockLeft) + i);
        const QRectF segment = controlRect(control);
        painter.setPen(Qt::NoPen);
        painter.setBrush(isOn(control) ? QColor(10, 132, 255) : QColor(255, 255, 255, 25));
        painter.drawRoundedRect(segment, 6, 6);
        painter.setPen(text());
        painter.drawText(segment, Qt::AlignCenter, titles[i]);
    }
    painter.fillRect(QRectF(left, 158, right - left, 1), QColor(255, 255, 255, 20));
    painter.drawText(QRectF(left, 174, 300, 20), Qt::AlignVCenter,
        QStringLiteral("Automatically hide and show the Dock"));
    paintSwitch(painter, controlRect(Control::dockAutohide), isOn(Control::dockAutohide));
}

void SystemSettingsPane::paintPrivacySection(QPainter &painter)
{
    const double left = sidebarWidth + 28;
    const double right = width() - 28;
    painter.setPen(text());
    painter.setFont(paneFont(20, QFont::DemiBold));
    painter.drawText(QRectF(left, titleBarHeight + 6, right - left, 30), Qt::AlignVCenter,
        QStringLiteral("Privacy & Security"));

    const struct {
        Control control;
        QString title;
        QString explanation;
    } sections[] = {
        {Control::accessibility, QStringLiteral("Accessibility"),
            QStringLiteral("Allow the applications below to control your computer.")},
        {Control::screenRecording, QStringLiteral("Screen Recording"),
            QStringLiteral("Allow the applications below to record the contents of your screen.")},
    };
    for (const auto &section : sections) {
        const QRectF toggle = controlRect(section.control);
        const double top = toggle.top() - 38;
        painter.setPen(text());
        painter.setFont(paneFont(14, QFont::DemiBold));
        painter.drawText(QRectF(left, top - 10, right - left, 20), Qt::AlignVCenter, section.title);
        painter.setPen(text(0.55));
        painter.setFont(paneFont(12));
        painter.drawText(QRectF(left, top + 8, right - left, 18), Qt::AlignVCenter, section.explanation);
        const QRectF row(left - 12, toggle.top() - 12, right - left + 24, 44);
        painter.setPen(section.control == m_highlighted ? QPen(QColor(10, 132, 255), 1.5) : Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 12));
        painter.drawRoundedRect(row, 10, 10);
        // Velmora's tile and name.
        const QRectF tile(left, toggle.center().y() - 12, 24, 24);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(88, 86, 214));
        painter.drawRoundedRect(tile, 6, 6);
        painter.setPen(Qt::white);
        painter.setFont(paneFont(13, QFont::Bold));
        painter.drawText(tile, Qt::AlignCenter, QStringLiteral("V"));
        painter.setPen(text());
        painter.setFont(paneFont(13));
        painter.drawText(QRectF(tile.right() + 10, tile.top(), 200, tile.height()), Qt::AlignVCenter,
            QStringLiteral("Velmora"));
        paintSwitch(painter, toggle, isOn(section.control));
    }
}

void SystemSettingsPane::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), QColor(40, 42, 50));
    paintSidebar(painter);
    // The title bar's buttons; only closing does anything here.
    const QColor lights[] = {QColor(255, 95, 87), QColor(254, 188, 46), QColor(40, 200, 64)};
    for (int i = 0; i < 3; ++i) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(lights[i]);
        painter.drawEllipse(controlRect(Control::close).translated(i * 20, 0));
    }
    if (m_section == Section::desktopAndDock)
        paintDockSection(painter);
    else
        paintPrivacySection(painter);
    painter.setPen(QPen(QColor(255, 255, 255, 40), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace Velmora::SimView
