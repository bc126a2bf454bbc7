#pragma once

#include "app/model/englishspelling.h"
#include "store/apppermission.h"

#include <QSet>
#include <QWidget>

#include <functional>
#include <map>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace Velmora {

class AppUpdater;
class LaunchAtLogin;
class PermissionRow;
class Scheduler;
class SegmentedPicker;
class SettingsCard;
class SettingsRefresh;
class SettingsSwitch;
class SettingsWindowMarker;
class TaskbarStore;

// The whole content of the settings window: the product header and the
// General, Taskbar, Windows, Permissions and (with an updater) Updates
// cards in a scrolling column, over a fixed footer with "Quit Velmora".
// Every control writes straight into the object that owns the setting and
// follows its change signal, so the page holds no copy of any setting and
// a change made elsewhere shows here at once.
class SettingsView : public QWidget
{
    Q_OBJECT
public:
    struct Environment
    {
        TaskbarStore &store;
        Scheduler &scheduler;
        // Ends the application (the footer's "Quit Velmora").
        std::function<void()> quit = {};
        // "Restart Velmora" of a permission row; by default the store's relaunch.
        std::function<void()> restart = {};
        // The login item; without it the General card is left out.
        LaunchAtLogin *launchAtLogin = nullptr;
        // The updater; the Updates card shows only while it can check.
        AppUpdater *updater = nullptr;
        // Opens the system's list of login items ("Open Login Items…").
        std::function<void()> openLoginItems = {};
        // The spelling of the texts that differ; read when the page is built.
        EnglishSpelling::Variant spelling = EnglishSpelling::current();
    };

    explicit SettingsView(Environment environment, QWidget *parent = nullptr);
    ~SettingsView() override;

    // Parts a test or the window reaches.
    SettingsSwitch *openAtLoginSwitch() const { return m_openAtLogin; }
    QPushButton *openLoginItemsButton() const { return m_openLoginItems; }
    SettingsSwitch *automaticChecksSwitch() const { return m_automaticChecks; }
    QPushButton *checkNowButton() const { return m_checkNow; }
    SegmentedPicker *alignmentPicker() const { return m_alignment; }
    SettingsSwitch *startButtonSwitch() const { return m_startButton; }
    SettingsSwitch *searchButtonSwitch() const { return m_searchButton; }
    QComboBox *previewOrderPicker() const { return m_previewOrder; }
    SettingsSwitch *keepWindowOrderSwitch() const { return m_keepWindowOrder; }
    PermissionRow *permissionRow(AppPermission permission) const;
    QPushButton *quitButton() const { return m_quit; }
    QScrollArea *scrollArea() const { return m_scroll; }
    QWidget *footer() const { return m_footer; }
    SettingsRefresh *refresh() const { return m_refresh; }
    // The section titles, in order.
    QStringList sectionTitles() const;
    // The permissions whose "Allow in System Settings…" was pressed on this page.
    const QSet<AppPermission> &requestedPermissions() const { return m_requestedPermissions; }

    // The height the page needs to show everything without scrolling: the
    // column's at the current width plus the footer's.
    double contentHeight() const;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *header();
    SettingsCard *section(const QString &title);
    QWidget *settingRow(const QString &title, const QString &subtitle, QWidget *control, QLabel **subtitleLabel = nullptr);
    void addGeneralSection();
    void addTaskbarSection();
    void addWindowsSection();
    void addPermissionsSection();
    void addUpdatesSection();
    void refreshNow();
    void updatePermissionRows();
    void askForPermission(AppPermission permission);
    void measure();

    Environment m_env;
    QScrollArea *m_scroll = nullptr;
    QWidget *m_content = nullptr;
    QVBoxLayout *m_column = nullptr;
    QWidget *m_footer = nullptr;
    QPushButton *m_quit = nullptr;
    SettingsSwitch *m_openAtLogin = nullptr;
    QPushButton *m_openLoginItems = nullptr;
    QLabel *m_loginSubtitle = nullptr;
    SettingsSwitch *m_automaticChecks = nullptr;
    QPushButton *m_checkNow = nullptr;
    SegmentedPicker *m_alignment = nullptr;
    SettingsSwitch *m_startButton = nullptr;
    SettingsSwitch *m_searchButton = nullptr;
    QComboBox *m_previewOrder = nullptr;
    SettingsSwitch *m_keepWindowOrder = nullptr;
    std::map<AppPermission, PermissionRow *> m_permissionRows;
    QList<QLabel *> m_sectionTitles;
    QSet<AppPermission> m_requestedPermissions;
    SettingsWindowMarker *m_marker = nullptr;
    SettingsRefresh *m_refresh = nullptr;
    double m_reportedHeight = -1;
};

} // namespace Velmora
