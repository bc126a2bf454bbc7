#pragma once

#include "store/settingswindowhost.h"

#include <QObject>

#include <functional>
#include <memory>

class QWidget;

namespace Velmora {

class Displays;

// The one owner of the settings window: creates it around the settings
// page, answers for it (open means it exists and is visible or minimized)
// and sizes it as the store asks. The window is kept when it is closed, so
// showing it again finds the same window with its state.
class AppSettingsWindowHost final : public QObject, public SettingsWindowHost
{
    Q_OBJECT
public:
    struct Environment
    {
        const Displays &displays;
        // The page the window shows; made when the window is created.
        std::function<QWidget *()> makePage;
        // Fits the window to its content again (the store's fitting); run
        // once the window manager has framed a window that was fitted before.
        std::function<void()> refit = {};
    };

    static constexpr int initialContentWidth = 600;
    static constexpr int initialContentHeight = 740;

    explicit AppSettingsWindowHost(Environment environment, QObject *parent = nullptr);
    ~AppSettingsWindowHost() override;

    // The settings window, while it exists.
    QWidget *window() const { return m_window.get(); }
    // Builds the window, without showing it: "Velmora Settings", titled,
    // closable, minimizable and resizable, content at least 540 by 440 and
    // at first 600 by 740 points, placed on the screen under the pointer.
    // Replaces an earlier one.
    void createSettingsWindow();

    std::optional<QRectF> settingsWindowFrame() const override;
    bool isSettingsWindowOpen() const override;
    double frameHeightForContentHeight(double contentHeight) const override;
    std::optional<DisplayInfo> settingsWindowScreen() const override;
    void setSettingsWindowFrame(const QRectF &frame) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    double primaryHeight() const;
    void applyFrame(const QRectF &frame);

    Environment m_env;
    std::unique_ptr<QWidget> m_window;
    // The frame last asked for while the window was shown, until the window
    // manager has framed the window: it is applied again if the window ended
    // up elsewhere.
    std::optional<QRectF> m_frameAwaitingDecoration;
};

} // namespace Velmora
