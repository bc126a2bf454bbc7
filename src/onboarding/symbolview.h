#pragma once

#include "onboarding/onboardingstyle.h"

#include <QWidget>

namespace Velmora {

// One drawn symbol at a fixed size: plain in its colour, or white on a
// rounded tile of the blue gradient (the pages' header icons).
class SymbolView : public QWidget
{
    Q_OBJECT
public:
    enum class Background { none, blueTile };

    SymbolView(OnboardingStyle::Symbol symbol, int size, const QColor &colour, Background background = Background::none,
        QWidget *parent = nullptr);

    void setSymbol(OnboardingStyle::Symbol symbol, const QColor &colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    OnboardingStyle::Symbol m_symbol;
    QColor m_colour;
    Background m_background;
};

} // namespace Velmora
