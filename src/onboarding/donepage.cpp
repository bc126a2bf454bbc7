#include "onboarding/donepage.h"

#include "app/model/velmorapalette.h"
#include "onboarding/onboardingcard.h"
#include "onboarding/onboardingstyle.h"
#include "onboarding/permissionpage.h"
#include "onboarding/statusbadge.h"
#include "onboarding/symbolview.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace Velmora {

namespace {

QString permissionName(AppPermission permission)
{
    return permission == AppPermission::accessibility ? QStringLiteral("Accessibility")
                                                      : QStringLiteral("Screen Recording");
}

} // namespace

DonePage::DonePage(QWidget *parent)
    : QWidget(parent)
    , m_accessibility(new StatusBadge)
    , m_screenRecording(new StatusBadge)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 8, 0, 0);
    layout->setSpacing(18);
    layout->addWidget(new SymbolView(OnboardingStyle::Symbol::checkmarkCircle, 64, OnboardingStyle::green()), 0,
        Qt::AlignHCenter);
    QLabel *title = OnboardingStyle::label(QStringLiteral("You\u2019re all set"), 26, QFont::DemiBold);
    title->setAlignment(Qt::AlignHCenter);
    layout->addWidget(title);
    QLabel *text = OnboardingStyle::label(
        QStringLiteral("Velmora is ready to go. You can change these permissions any time in Velmora Settings."), 14,
        QFont::Normal, OnboardingStyle::secondary());
    text->setAlignment(Qt::AlignHCenter);
    layout->addWidget(text);

    auto *card = new OnboardingCard(VelmoraPalette::card(), OnboardingStyle::primary(0.07), 0);
    for (AppPermission permission : AppPermissions::allCases()) {
        if (permission != AppPermissions::allCases().first()) {
            auto *divider = new QFrame;
            divider->setFixedHeight(1);
            divider->setStyleSheet(QStringLiteral("background: rgba(255,255,255,25); margin: 0 14px;"));
            card->content()->addWidget(divider);
        }
        auto *row = new QHBoxLayout;
        row->setContentsMargins(14, 10, 14, 10);
        row->addWidget(OnboardingStyle::label(permissionName(permission), 13, QFont::Medium));
        row->addStretch(1);
        row->addWidget(badge(permission));
        card->content()->addLayout(row);
        setGranted(permission, false);
    }
    // 8 points more above the card than between the other rows.
    layout->addSpacing(8);
    layout->addWidget(card);
}

StatusBadge *DonePage::badge(AppPermission permission) const
{
    return permission == AppPermission::accessibility ? m_accessibility : m_screenRecording;
}

void DonePage::setGranted(AppPermission permission, bool granted)
{
    showPermissionStatus(*badge(permission), granted);
}

} // namespace Velmora
