#pragma once

#include "app/model/settingspage.h"
#include "store/apppermission.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace Velmora {

class PermissionBadge;

// One row of the Permissions card: what the permission is for, a badge that
// says whether it is granted and, while it is not, the button that asks for
// it; once asked for on this page, an offer to restart (some grants take
// effect only in a new process).
class PermissionRow : public QWidget
{
    Q_OBJECT
public:
    explicit PermissionRow(AppPermission permission, QWidget *parent = nullptr);

    AppPermission permission() const { return m_permission; }
    void setState(SettingsPage::PermissionRowState state);
    SettingsPage::PermissionRowState state() const { return m_state; }

    PermissionBadge *badge() const { return m_badge; }
    QPushButton *allowButton() const { return m_allow; }
    QPushButton *restartButton() const { return m_restart; }
    QLabel *restartPrompt() const { return m_restartPrompt; }

signals:
    void allowClicked(Velmora::AppPermission permission);
    void restartClicked();

private:
    AppPermission m_permission;
    SettingsPage::PermissionRowState m_state = SettingsPage::PermissionRowState::NotGranted;
    PermissionBadge *m_badge;
    QWidget *m_actions;
    QPushButton *m_allow;
    QLabel *m_restartPrompt;
    QPushButton *m_restart;
};

} // namespace Velmora
