#pragma once

#include <QAbstractButton>

namespace Velmora {

// The on/off switch of a settings row: a capsule with a round knob, filled
// with the accent colour while on. Clicking it or pressing Space toggles it.
class SettingsSwitch : public QAbstractButton
{
    Q_OBJECT
public:
    explicit SettingsSwitch(QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace Velmora
