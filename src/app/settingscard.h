#pragma once

#include <QWidget>

class QVBoxLayout;

namespace Velmora {

// One card of the settings page: its rows stacked on a faint rounded fill
// with a hairline border, a divider between each two rows.
class SettingsCard : public QWidget
{
    Q_OBJECT
public:
    static constexpr qreal cornerRadius = 12;
    static constexpr int dividerInset = 16;

    explicit SettingsCard(QWidget *parent = nullptr);

    // Adds a row, with a divider above it unless it is the first.
    void addRow(QWidget *row);
    // Adds a widget that belongs to the row above it: no divider between them.
    void addTrailing(QWidget *widget);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QVBoxLayout *m_layout;
    QList<QWidget *> m_rows;
};

} // namespace Velmora
