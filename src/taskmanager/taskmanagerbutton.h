#pragma once

#include <QPushButton>

namespace Velmora {

// A push button drawn for the dark window: a quiet one, a prominent one
// filled with the accent colour for the usual choice, or a red one for a
// choice that destroys something.
class TaskManagerButton : public QPushButton
{
    Q_OBJECT
public:
    enum class Kind {
        Standard,
        Prominent,
        Destructive,
    };

    TaskManagerButton(const QString &text, Kind kind, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Kind m_kind;
};

} // namespace Velmora
