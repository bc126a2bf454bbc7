#include "onboarding/permissionpage.h"

#include "app/model/velmorapalette.h"
#include "onboarding/onboardingcard.h"
#include "onboarding/pageheader.h"
#include "onboarding/statusbadge.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace Velmora {

void showPermissionStatus(StatusBadge &badge, bool granted)
{
    if (granted)
        badge.set(QStringLiteral("Allowed"), OnboardingStyle::Symbol::checkmarkCircle, OnboardingStyle::green());
    else
        badge.set(QStringLiteral("Not yet granted"), OnboardingStyle::Symbol::xmarkCircle, OnboardingStyle::orange());
}

PermissionPage::PermissionPage(const Content &content, QWidget *parent)
    : QWidget(parent)
    , m_permission(content.permission)
    , m_header(new PageHeader(content.symbol))
{
    m_header->setTitle(content.title);
    m_header->setTag(content.tag);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(16);
    layout->addWidget(m_header);
    QLabel *description = OnboardingStyle::label(QString(), 13, QFont::Normal, OnboardingStyle::secondary());
    // Plain text: the description has no marks of its own.
    description->setTextFormat(Qt::PlainText);
    description->setText(content.description);
    layout->addWidget(description);
    if (content.extra)
        layout->addWidget(content.extra);
    setGranted(false);
}

void PermissionPage::setGranted(bool granted)
{
    showPermissionStatus(*m_header->badge(), granted);
}

namespace {

// A number in a blue circle, then the row's text.
QWidget *instructionRow(int number, const QString &text)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    auto *badge = new QLabel(QString::number(number));
    badge->setFixedSize(20, 20);
    badge->setAlignment(Qt::AlignCenter);
    badge->setFont(OnboardingStyle::font(11, QFont::DemiBold));
    badge->setStyleSheet(QStringLiteral("QLabel { color: white; background: rgb(10,132,255); border-radius: 10px; }"));
    layout->addWidget(badge, 0, Qt::AlignTop);
    layout->addWidget(OnboardingStyle::label(text, 13), 1);
    return row;
}

} // namespace

PermissionPage *PermissionPage::accessibility(QWidget *parent)
{
    auto *instructions = new OnboardingCard(VelmoraPalette::card(), OnboardingStyle::primary(0.07));
    instructions->content()->setSpacing(10);
    instructions->content()->addWidget(instructionRow(1,
        QStringLiteral("Click **Open System Settings** below. If macOS asks, click **Open System Settings** there too.")));
    instructions->content()->addWidget(
        instructionRow(2, QStringLiteral("Find **Velmora** in the list and turn it on.")));
    instructions->content()->addWidget(instructionRow(3, QStringLiteral("Come back here and click **Continue**.")));
    return new PermissionPage(
        Content{
            AppPermission::accessibility,
            OnboardingStyle::Symbol::accessibility,
            QStringLiteral("Allow Accessibility"),
            QString(),
            QStringLiteral(
                "Velmora uses macOS\u2019s Accessibility feature to manage your application windows (like when you "
                "have several Chrome or Firefox windows open at once\u2026 we all do it!). Without this permission, "
                "Velmora won\u2019t function properly. If you\u2019re on macOS 27 or later, Accessibility has been "
                "renamed \u201cDevice Control and Data Access\u201d."),
            instructions,
        },
        parent);
}

PermissionPage *PermissionPage::screenRecording(QWidget *extra, QWidget *parent)
{
    return new PermissionPage(
        Content{
            AppPermission::screenRecording,
            OnboardingStyle::Symbol::rectangleOnRectangle,
            QStringLiteral("Show live window previews"),
            QStringLiteral("Optional"),
            QStringLiteral(
                "We\u2019ve designed Velmora to show live thumbnails of your windows, which makes juggling several "
                "windows much easier. To do this, Velmora needs permission to use macOS\u2019s Screen Recording "
                "feature. Without it, window previews will just show the app icon instead."),
            extra,
        },
        parent);
}

} // namespace Velmora
