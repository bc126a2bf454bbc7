#include "app/permissionrow.h"

#include "app/model/settingstexts.h"
#include "app/permissionbadge.h"
#include "app/settingsrowlabels.h"
#include "taskmanager/model/taskmanagerpalette.h"
#include "taskmanager/taskmanagerbutton.h"
#include "taskmanager/taskmanagerstyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace Velmora {

PermissionRow::PermissionRow(AppPermission permission, QWidget *parent)
    : QWidget(parent)
    , m_permission(permission)
    , m_badge(new PermissionBadge(this))
    , m_actions(new QWidget(this))
    , m_allow(new TaskManagerButton(SettingsTexts::allowInSystemSettings, TaskManagerButton::Kind::Standard, m_actions))
    , m_restartPrompt(TaskManagerStyle::label(
          SettingsTexts::alreadyTurnedOn, TaskManagerStyle::font(11), TaskManagerPalette::secondary(), m_actions))
    , m_restart(new TaskManagerButton(SettingsTexts::restart, TaskManagerButton::Kind::Standard, m_actions))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(10);

    auto *top = new QHBoxLayout;
    top->setSpacing(16);
    top->addLayout(SettingsRowLabels::column(
        SettingsTexts::permissionTitle(permission), SettingsTexts::permissionSubtitle(permission), this), 1);
    top->addWidget(m_badge, 0, Qt::AlignTop);
    layout->addLayout(top);

    // The small control size: a smaller font and a lower button.
    m_restart->setFont(TaskManagerStyle::font(11));
    m_restart->setFixedHeight(22);
    auto *actions = new QHBoxLayout(m_actions);
    actions->setContentsMargins(0, 0, 0, 0);
    actions->setSpacing(10);
    actions->addWidget(m_allow);
    actions->addWidget(m_restartPrompt);
    actions->addWidget(m_restart);
    actions->addStretch(1);
    layout->addWidget(m_actions);

    connect(m_allow, &QPushButton::clicked, this, [this] { emit allowClicked(m_permission); });
    connect(m_restart, &QPushButton::clicked, this, &PermissionRow::restartClicked);
    m_state = SettingsPage::PermissionRowState::Granted;
    setState(SettingsPage::PermissionRowState::NotGranted);
}

void PermissionRow::setState(SettingsPage::PermissionRowState state)
{
    if (state == m_state)
        return;
    using State = SettingsPage::PermissionRowState;
    m_state = state;
    m_badge->setGranted(state == State::Granted);
    m_actions->setVisible(state != State::Granted);
    m_restartPrompt->setVisible(state == State::Requested);
    m_restart->setVisible(state == State::Requested);
}

} // namespace Velmora
