#pragma once

#include <QWidget>

namespace Velmora::Sim {
class SimDesktop;
}

namespace Velmora::SimView {

// The modelled desktop's System Settings, as small as the product needs:
// the Desktop & Dock pane (where the Dock sits, whether it hides) and the
// Privacy & Security pane, where the person switches the Accessibility and
// Screen Recording permissions of Velmora on or off. It opens wherever the
// product sends the person (SimDesktop::systemSettingsOpened) and shows the
// desktop's state as it changes.
class SystemSettingsPane : public QWidget
{
    Q_OBJECT
public:
    enum class Section { desktopAndDock, privacy };
    // What a click can switch.
    enum class Control {
        none,
        accessibility,
        screenRecording,
        dockLeft,
        dockBottom,
        dockRight,
        dockAutohide,
        sidebarDock,
        sidebarPrivacy,
        close,
    };

    static constexpr QSize size{640, 320};

    explicit SystemSettingsPane(Sim::SimDesktop &desktop, QWidget *parent = nullptr);

    Section section() const { return m_section; }
    // Opens the pane the anchor names, in front.
    void open(const QString &anchor);

    // Where each control is drawn, and what lies at a point.
    QRectF controlRect(Control control) const;
    Control controlAt(const QPointF &point) const;
    // Switches it as a click does.
    void activate(Control control);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool isOn(Control control) const;
    void setDockPreference(const QString &key, const QVariant &value);
    void paintSidebar(QPainter &painter);
    void paintDockSection(QPainter &painter);
    void paintPrivacySection(QPainter &painter);
    void paintSwitch(QPainter &painter, const QRectF &rect, bool on);

    Sim::SimDesktop &m_desktop;
    Section m_section = Section::privacy;
    // The row the product asked for, drawn highlighted.
    Control m_highlighted = Control::none;
    std::optional<QPoint> m_dragFrom;
};

} // namespace Velmora::SimView
