#pragma once

#include <QWidget>

#include <functional>

namespace Velmora {

class Displays;

// The onboarding window: titled, closable and resizable, on the product's
// dark background, movable by its background. It never lets its content be
// cut off: when the content needs more room than the window has (a taller
// page, text wrapping at a narrower width) the window grows to it, keeping
// its top edge and staying on its screen above the bar.
//
// Its own-window role tells the rest of the product it has a bar entry of
// its own.
class OnboardingWindow : public QWidget
{
    Q_OBJECT
public:
    struct Delegate {
        // Asked when the user closes the window; true lets it close.
        std::function<bool()> shouldClose;
        // The window is closing, whoever closed it.
        std::function<void()> willClose;
    };

    static const QString title; // "Welcome to Velmora"

    explicit OnboardingWindow(const Displays *displays, QWidget *parent = nullptr);

    void setDelegate(Delegate delegate) { m_delegate = std::move(delegate); }
    // Takes the view into the window.
    void setContentView(QWidget *view);

    QSize contentMinSize() const { return m_contentMinSize; }
    // Keeps the window at least this size, growing it now if it is smaller.
    void setContentMinSize(const QSize &size);
    void growToContentMinSize();

    // Closes without asking the delegate (the setup was finished); the
    // delegate still hears that the window closes.
    void closeWithoutAsking();

protected:
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    const Displays *m_displays;
    Delegate m_delegate;
    bool m_closingWithoutAsking = false;
    QSize m_contentMinSize;
};

} // namespace Velmora
