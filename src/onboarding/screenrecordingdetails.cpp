#include "onboarding/screenrecordingdetails.h"

#include "app/model/velmorapalette.h"
#include "onboarding/hoversegmentedpicker.h"
#include "onboarding/onboardingcard.h"
#include "onboarding/onboardingimages.h"
#include "onboarding/onboardingstyle.h"
#include "onboarding/previewpicture.h"
#include "onboarding/symbolview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace Velmora {

const QString ScreenRecordingDetails::withCaption =
    QStringLiteral("With it: you can see what\u2019s in each window at a glance.");
const QString ScreenRecordingDetails::withoutCaption =
    QStringLiteral("Without it: every window shows the same app icon.");

namespace {

// A symbol beside text, aligned on the first line.
QWidget *labelled(SymbolView *symbol, QLabel *text)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(symbol, 0, Qt::AlignTop);
    layout->addWidget(text, 1);
    return row;
}

} // namespace

ScreenRecordingDetails::ScreenRecordingDetails(bool showingWithoutPermission, QWidget *parent)
    : QWidget(parent)
    , m_picker(new HoverSegmentedPicker(
          {{false, QStringLiteral("With Screen Recording")}, {true, QStringLiteral("Without")}},
          showingWithoutPermission))
    , m_picture(new PreviewPicture)
    , m_caption(OnboardingStyle::label(QString(), 12, QFont::Normal, OnboardingStyle::secondary()))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(16);

    auto *preview = new QVBoxLayout;
    preview->setSpacing(10);
    preview->addWidget(m_picker, 0, Qt::AlignHCenter);
    preview->addWidget(m_picture);
    m_caption->setAlignment(Qt::AlignHCenter);
    preview->addWidget(m_caption);
    layout->addLayout(preview);

    QColor orangeFill = OnboardingStyle::orange();
    orangeFill.setAlphaF(0.08f);
    QColor orangeStroke = OnboardingStyle::orange();
    orangeStroke.setAlphaF(0.25f);
    auto *warning = new OnboardingCard(orangeFill, orangeStroke);
    warning->content()->setSpacing(8);
    warning->content()->addWidget(
        labelled(new SymbolView(OnboardingStyle::Symbol::exclamationBubble, 15, OnboardingStyle::orange()),
            OnboardingStyle::label(QStringLiteral("Heads up: macOS might show a warning"), 13, QFont::DemiBold,
                OnboardingStyle::orange())));
    const QColor text = OnboardingStyle::primary(0.85);
    for (const QString &line : {
             QStringLiteral("macOS might say Velmora can \u201crecord your screen and audio\u201d. Apple uses this "
                            "wording for every app asking for this permission, but rest assured we aren\u2019t doing "
                            "any of that."),
             QStringLiteral("Velmora never records your screen or audio. It only takes snapshots of windows to use as "
                            "thumbnails, and nothing is saved or ever leaves your device (hurrah for privacy!)."),
             QStringLiteral("macOS may ask you to confirm this again from time to time. Choose **Allow** to keep "
                            "previews working."),
         })
        warning->content()->addWidget(OnboardingStyle::label(line, 12, QFont::Normal, text));
    layout->addWidget(warning);

    auto *hint = new OnboardingCard(VelmoraPalette::card(), OnboardingStyle::primary(0.07));
    hint->content()->addWidget(
        labelled(new SymbolView(OnboardingStyle::Symbol::arrowDownCircle, 16, OnboardingStyle::accent()),
            OnboardingStyle::label(QStringLiteral("Same as before: click **Open System Settings** below and turn on "
                                                  "**Velmora**. If macOS asks to reopen Velmora, let it. You\u2019ll "
                                                  "come back to this step."),
                13)));
    layout->addWidget(hint);

    connect(m_picker, &HoverSegmentedPicker::selectionChanged, this,
        [this](const QVariant &value) { emit showingWithoutPermissionChosen(value.toBool()); });
    setShowingWithoutPermission(showingWithoutPermission);
}

void ScreenRecordingDetails::setShowingWithoutPermission(bool without)
{
    m_picker->setSelection(without);
    // Picture, description and caption change together.
    m_picture->setImage(without ? OnboardingImages::windowPreviewsWithoutPermission()
                                : OnboardingImages::windowPreviewsWithPermission(),
        without ? OnboardingImages::withoutPermissionDescription : OnboardingImages::withPermissionDescription);
    m_caption->setText(without ? withoutCaption : withCaption);
}

QString ScreenRecordingDetails::caption() const
{
    return m_caption->text();
}

} // namespace Velmora
