#include "app/settingsrowlabels.h"

#include "taskmanager/model/taskmanagerpalette.h"
#include "taskmanager/taskmanagerstyle.h"

#include <QLabel>
#include <QVBoxLayout>

namespace Velmora::SettingsRowLabels {

QVBoxLayout *column(const QString &title, const QString &subtitle, QWidget *parent, QLabel **subtitleLabel)
{
    auto *column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(TaskManagerStyle::label(title, TaskManagerStyle::font(13, QFont::Medium),
        TaskManagerPalette::primary(), parent));
    QLabel *second = TaskManagerStyle::label(subtitle, TaskManagerStyle::font(12), TaskManagerPalette::secondary(), parent);
    second->setWordWrap(true);
    second->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    column->addWidget(second);
    if (subtitleLabel)
        *subtitleLabel = second;
    return column;
}

} // namespace Velmora::SettingsRowLabels
