#pragma once

#include <QWidget>

#include <functional>

namespace Velmora {

// One screen's desktop click catcher: a borderless, see-through window over
// the bare desktop, below every ordinary window, that never takes the
// keyboard. A press of any button on it runs onClick and goes no further.
class ClickCatcherWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ClickCatcherWindow(const QRect &screenFrame);

    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

} // namespace Velmora
