#pragma once

#include "store/ownwindowshost.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QWidget;

namespace Velmora {

class AppSettingsWindowHost;
class OwnWindowMirror;
class TaskManagerWindowController;

// The application's own windows as the store asks for them, over their
// widgets. Numbers are the ones the window list knows them by (the mirror's).
// The settings window is the settings host's; which other windows share the
// "velmora-windows" button is VelmoraOwnWindows' rule.
class AppOwnWindowsHost : public QObject, public OwnWindowsHost
{
    Q_OBJECT
public:
    struct Environment
    {
        OwnWindowMirror &mirror;
        AppSettingsWindowHost &settings;
        // The Task Manager's controller, once it exists.
        std::function<TaskManagerWindowController *()> taskManager;
        // The first display's panel, when there is one.
        std::function<QWidget *()> firstTaskbarPanel;
    };

    explicit AppOwnWindowsHost(Environment environment, QObject *parent = nullptr);
    ~AppOwnWindowsHost() override;

    void setWindowsChangedHandler(std::function<void()> handler) override;
    std::optional<Window> settingsWindow() const override;
    void createSettingsWindow() override;
    std::optional<Window> taskManagerWindow() const override;
    void presentTaskManager() override;
    QList<Window> otherWindows() const override;
    std::optional<QString> otherWindowsButtonTitle() const override;
    void miniaturize(quint32 number) override;
    void show(quint32 number) override;
    void activate() override;
    void makeTaskbarPanelKey() override;
    void beep() override;
    void terminate() override;

    QWidget *settingsWidget() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static bool closesWithShortcut(const QWidget *window);
    std::optional<Window> describe(const QWidget *window) const;
    QWidget *widget(quint32 number) const;
    QList<QWidget *> others() const;
    void notifyChanged();

    Environment m_env;
    std::function<void()> m_changed;
    bool m_changePending = false;
    bool m_taskManagerShown = false;
};

} // namespace Velmora
