#include "onboarding/onboardingview.h"

#include "app/model/velmorapalette.h"
#include "onboarding/dockpageview.h"
#include "onboarding/donepage.h"
#include "onboarding/model/onboardingviewmodel.h"
#include "onboarding/onboardingfooterbar.h"
#include "onboarding/permissionpage.h"
#include "onboarding/screenrecordingdetails.h"
#include "onboarding/welcomepage.h"

#include <QEvent>
#include <QLayout>
#include <QPainter>
#include <QShortcut>
#include <QVBoxLayout>
#include <QVariantAnimation>

namespace Velmora {

namespace {
// Around every page.
constexpr QMargins pagePadding(40, 48, 40, 32);
} // namespace

OnboardingView::OnboardingView(OnboardingViewModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_pageArea(new QWidget)
    , m_footer(new OnboardingFooterBar)
    , m_slide(new QVariantAnimation(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, VelmoraPalette::window());
    palette.setColor(QPalette::WindowText, Qt::white);
    setPalette(palette);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The view keeps its own minimum: its window decides how to grow to it.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(m_pageArea, 1);
    layout->addWidget(m_footer);

    m_slide->setDuration(slideMs);
    m_slide->setEasingCurve(QEasingCurve::InOutQuad);
    m_slide->setStartValue(0.0);
    m_slide->setEndValue(1.0);
    connect(m_slide, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_progress = value.toReal();
        placePages();
    });
    connect(m_slide, &QVariantAnimation::finished, this, &OnboardingView::finishSlide);

    // Explicit shortcuts, so a disabled default button really does nothing.
    for (const QKeySequence &key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &OnboardingView::pressReturn);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
        &OnboardingView::pressEscape);

    connect(m_footer, &OnboardingFooterBar::actionTriggered, this,
        [this](OnboardingAction action) { m_model.perform(action); });
    connect(&m_model, &ViewModel::changed, this, &OnboardingView::modelChanged);

    showPage(m_model.step(), false);
    m_footer->display(m_model.footer(), m_model.step());
    resize(idealWidth, contentMinimumSize(idealWidth).height());
}

OnboardingView::~OnboardingView() = default;

DockPageView *OnboardingView::dockPage() const
{
    return qobject_cast<DockPageView *>(m_page.data());
}

PermissionPage *OnboardingView::permissionPage() const
{
    return qobject_cast<PermissionPage *>(m_page.data());
}

DonePage *OnboardingView::donePage() const
{
    return qobject_cast<DonePage *>(m_page.data());
}

bool OnboardingView::isSliding() const
{
    return m_slide->state() == QAbstractAnimation::Running;
}

void OnboardingView::pressReturn()
{
    if (const std::optional<OnboardingAction> action = m_model.footer().returnAction())
        m_model.perform(*action);
}

void OnboardingView::pressEscape()
{
    if (const std::optional<OnboardingAction> action = m_model.footer().escapeAction())
        m_model.perform(*action);
}

void OnboardingView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_appeared) {
        m_appeared = true;
        m_model.appeared();
    }
    reportMinimumSize();
}

void OnboardingView::modelChanged(quint32 changes)
{
    if ((changes & OnboardingViewModel::StepChange) && m_model.step() != m_shownStep)
        showPage(m_model.step(), isVisible());
    else
        updatePages();
    m_footer->display(m_model.footer(), m_model.step());
}

QWidget *OnboardingView::buildPage(OnboardingStep step)
{
    m_details = nullptr;
    switch (step) {
    case OnboardingStep::welcome:
        return new WelcomePage;
    case OnboardingStep::dock: {
        auto *page = new DockPageView;
        connect(page, &DockPageView::choiceMade, &m_model, &OnboardingViewModel::dockChoice);
        connect(page, &DockPageView::autohideRequested, &m_model, &OnboardingViewModel::turnOnAutohide);
        return page;
    }
    case OnboardingStep::accessibility:
        return PermissionPage::accessibility();
    case OnboardingStep::screenRecording: {
        m_details = new ScreenRecordingDetails(m_model.isShowingPreviewWithoutPermission());
        connect(m_details, &ScreenRecordingDetails::showingWithoutPermissionChosen, &m_model,
            &OnboardingViewModel::setShowingPreviewWithoutPermission);
        return PermissionPage::screenRecording(m_details);
    }
    case OnboardingStep::done:
        return new DonePage;
    }
    Q_UNREACHABLE();
}

void OnboardingView::showPage(OnboardingStep step, bool animated)
{
    finishSlide();
    m_leaving = m_page;
    m_slideBack = m_model.isGoingBack();
    m_shownStep = step;
    m_page = buildPage(step);
    m_page->setParent(m_pageArea);
    // The page lies outside any layout of ours: its own layout's requests
    // are watched here.
    m_page->installEventFilter(this);
    updatePages();
    m_page->show();
    if (animated && m_leaving) {
        m_progress = 0;
        placePages();
        m_slide->start();
    } else {
        finishSlide();
    }
    reportMinimumSize();
}

void OnboardingView::finishSlide()
{
    if (m_slide->state() == QAbstractAnimation::Running)
        m_slide->stop();
    m_progress = 1;
    if (m_leaving) {
        m_leaving->hide();
        m_leaving->deleteLater();
        m_leaving.clear();
    }
    placePages();
}

void OnboardingView::updatePages()
{
    if (DockPageView *dock = dockPage())
        dock->display(m_model.dockEdge(), m_model.dockAutohides());
    if (PermissionPage *page = permissionPage()) {
        page->setGranted(page->permission() == AppPermission::accessibility ? m_model.isAccessibilityTrusted()
                                                                             : m_model.hasScreenCapturePermission());
    }
    if (m_details)
        m_details->setShowingWithoutPermission(m_model.isShowingPreviewWithoutPermission());
    if (DonePage *done = donePage()) {
        done->setGranted(AppPermission::accessibility, m_model.isAccessibilityTrusted());
        done->setGranted(AppPermission::screenRecording, m_model.hasScreenCapturePermission());
    }
}

int OnboardingView::pageHeight(QWidget *page, int width) const
{
    QLayout *layout = page->layout();
    if (!layout)
        return page->sizeHint().height();
    layout->activate();
    return layout->hasHeightForWidth() ? layout->totalHeightForWidth(width) : layout->totalSizeHint().height();
}

QRect OnboardingView::pageRect(QWidget *page, qreal offset) const
{
    const QRect area = m_pageArea->rect().marginsRemoved(pagePadding);
    const int height = pageHeight(page, area.width());
    // The page takes its full height, centred in what is left.
    const int top = area.top() + std::max(0, (area.height() - height) / 2);
    return QRect(area.left() + qRound(offset * m_pageArea->width()), top, area.width(), height);
}

void OnboardingView::placePages()
{
    // Forward, the old page leaves to the leading edge and the new one comes
    // from the trailing edge; going back, the other way round.
    const qreal direction = m_slideBack ? -1 : 1;
    if (m_page)
        m_page->setGeometry(pageRect(m_page, direction * (1 - m_progress)));
    if (m_leaving)
        m_leaving->setGeometry(pageRect(m_leaving, -direction * m_progress));
}

QSize OnboardingView::contentMinimumSize(int width) const
{
    const int pageWidth = std::max(minimumWidth, width) - pagePadding.left() - pagePadding.right();
    const int page = m_page ? pageHeight(m_page, pageWidth) : 0;
    return QSize(minimumWidth, pagePadding.top() + page + pagePadding.bottom() + m_footer->sizeHint().height());
}

void OnboardingView::reportMinimumSize()
{
    const QSize minimum = contentMinimumSize(width());
    if (minimum == m_reportedMinimum)
        return;
    m_reportedMinimum = minimum;
    emit contentMinimumSizeChanged(minimum);
}

void OnboardingView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placePages();
    reportMinimumSize();
}

bool OnboardingView::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    // A page's text or content changed its size.
    if (event->type() == QEvent::LayoutRequest) {
        placePages();
        reportMinimumSize();
    }
    return handled;
}

bool OnboardingView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_page && event->type() == QEvent::LayoutRequest) {
        placePages();
        reportMinimumSize();
    }
    return QWidget::eventFilter(watched, event);
}

void OnboardingView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), VelmoraPalette::window());
}

} // namespace Velmora
