#pragma once

#include <QString>

class QLabel;
class QVBoxLayout;
class QWidget;

namespace Velmora::SettingsRowLabels {

// The left column of a settings row: the title in medium weight over the
// subtitle in the secondary colour, wrapping over as many lines as it needs.
// `subtitle`, when given, receives the subtitle's label.
QVBoxLayout *column(const QString &title, const QString &subtitle, QWidget *parent, QLabel **subtitleLabel = nullptr);

} // namespace Velmora::SettingsRowLabels
