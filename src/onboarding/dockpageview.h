#pragma once

#include "onboarding/model/dockpage.h"

#include <QWidget>

class QLabel;
class QVBoxLayout;

namespace Velmora {

class DockChoiceButton;
class OnboardingButton;
class PageHeader;

// The Dock page: where the Dock is, and one click to move it aside and hide
// it (at the bottom) or to hide it (at a side). Shows one of the three
// states of DockPage; its body is rebuilt only when the state or the edge
// changes.
class DockPageView : public QWidget
{
    Q_OBJECT
public:
    explicit DockPageView(QWidget *parent = nullptr);

    void display(DockEdge edge, bool autohides);
    DockPage::State state() const { return m_page.state; }
    PageHeader *header() const { return m_header; }
    DockChoiceButton *choice(DockEdge edge) const;
    // "Turn On Auto-hide", shown for a Dock at a side that does not hide.
    OnboardingButton *autohideButton() const { return m_autohideButton; }

signals:
    void choiceMade(Velmora::DockEdge edge);
    void autohideRequested();

private:
    void rebuildBody(DockEdge edge, bool autohides);

    PageHeader *m_header;
    QWidget *m_body = nullptr;
    QVBoxLayout *m_layout;
    DockPage m_page;
    DockEdge m_edge = DockEdge::bottom;
    bool m_autohides = false;
    bool m_shown = false;
    DockChoiceButton *m_left = nullptr;
    DockChoiceButton *m_right = nullptr;
    OnboardingButton *m_autohideButton = nullptr;
};

} // namespace Velmora
