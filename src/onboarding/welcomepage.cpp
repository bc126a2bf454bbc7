#include "onboarding/welcomepage.h"

#include "onboarding/onboardingstyle.h"
#include "store/velmoraicon.h"

#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QVBoxLayout>

namespace Velmora {

namespace {

// The product's tile, 84 points, with a violet shadow below it.
class Tile : public QLabel
{
public:
    Tile()
    {
        constexpr int size = 84;
        setFixedSize(size, size);
        QImage image = VelmoraIcon::tileImage(size, 2);
        setPixmap(QPixmap::fromImage(image));
        setScaledContents(true);
        auto *shadow = new QGraphicsDropShadowEffect(this);
        shadow->setColor(QColor::fromRgbF(0.24f, 0.2f, 0.4f, 0.45f));
        shadow->setBlurRadius(24);
        shadow->setOffset(0, 6);
        setGraphicsEffect(shadow);
    }
};

} // namespace

WelcomePage::WelcomePage(QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 0);
    layout->setSpacing(18);
    layout->addWidget(new Tile, 0, Qt::AlignHCenter);
    QLabel *title = OnboardingStyle::label(QStringLiteral("Welcome to Velmora"), 26, QFont::DemiBold);
    title->setAlignment(Qt::AlignHCenter);
    layout->addWidget(title);
    QLabel *text = OnboardingStyle::label(
        QStringLiteral("Let\u2019s get a couple of permissions set up. It only takes a minute."), 14, QFont::Normal,
        OnboardingStyle::secondary());
    text->setAlignment(Qt::AlignHCenter);
    layout->addWidget(text);
}

} // namespace Velmora
