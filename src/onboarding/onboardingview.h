#pragma once

#include "onboarding/model/onboardingstep.h"

#include <QPointer>
#include <QWidget>

class QVariantAnimation;

namespace Velmora {

class DockPageView;
class DonePage;
class OnboardingFooterBar;
class OnboardingViewModel;
class PermissionPage;
class ScreenRecordingDetails;

// The content of the onboarding window: the current page above the footer,
// on the window's dark background. A change of page slides the new one in
// from the trailing edge (from the leading edge after going back). Return
// and Escape act as the footer's default and Back buttons would, and only
// while those are enabled.
//
// It tells its window the least size its content needs at the current
// width, as pages change and text wraps differently.
class OnboardingView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int minimumWidth = 520;
    static constexpr int idealWidth = 540;
    static constexpr int slideMs = 250;

    explicit OnboardingView(OnboardingViewModel &model, QWidget *parent = nullptr);
    ~OnboardingView() override;

    OnboardingViewModel &model() const { return m_model; }
    QWidget *page() const { return m_page; }
    OnboardingFooterBar *footer() const { return m_footer; }
    // The pages that follow the model while shown (null when another page is up).
    DockPageView *dockPage() const;
    PermissionPage *permissionPage() const;
    ScreenRecordingDetails *screenRecordingDetails() const { return m_details; }
    DonePage *donePage() const;
    bool isSliding() const;
    // Ends a slide at once.
    void finishSlide();

    // The least size of the content at `width`: the page's full height with
    // its padding, and the footer.
    QSize contentMinimumSize(int width) const;

    // Return and Escape, as the shortcuts run them.
    void pressReturn();
    void pressEscape();

signals:
    void contentMinimumSizeChanged(const QSize &size);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void modelChanged(quint32 changes);
    QWidget *buildPage(OnboardingStep step);
    void showPage(OnboardingStep step, bool animated);
    void placePages();
    QRect pageRect(QWidget *page, qreal offset) const;
    int pageHeight(QWidget *page, int width) const;
    void updatePages();
    void reportMinimumSize();

    OnboardingViewModel &m_model;
    QWidget *m_pageArea;
    OnboardingFooterBar *m_footer;
    QPointer<QWidget> m_page;
    QPointer<QWidget> m_leaving;
    ScreenRecordingDetails *m_details = nullptr;
    OnboardingStep m_shownStep = OnboardingStep::welcome;
    QVariantAnimation *m_slide;
    qreal m_progress = 1;
    bool m_slideBack = false;
    bool m_appeared = false;
    QSize m_reportedMinimum;
};

} // namespace Velmora
