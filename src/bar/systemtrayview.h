#pragma once

#include <QWidget>

namespace Velmora {

class Permissions;
class TrayButton;

// The right-hand end of the bar. It holds one thing: a warning button while
// the application is not trusted for Accessibility, the permission it needs
// to read and move other applications' windows. Trusted, the tray is empty
// and takes no room; the bar reads trayWidth() for its capacity.
class SystemTrayView : public QWidget
{
    Q_OBJECT
public:
    static const QString warningHelp;

    explicit SystemTrayView(Permissions &permissions, QWidget *parent = nullptr);

    // 28 points while the warning shows, 0 otherwise.
    qreal trayWidth() const;
    // The warning button, while it shows.
    TrayButton *warningButton() const { return m_button; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void trayWidthChanged(qreal width);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void sync();
    void placeButton();

    Permissions &m_permissions;
    TrayButton *m_button = nullptr;
};

} // namespace Velmora
