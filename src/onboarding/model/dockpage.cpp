#include "onboarding/model/dockpage.h"

namespace Velmora {

const QString DockPage::recommendedTag = QStringLiteral("Recommended");
const QString DockPage::turnOnAutohideTitle = QStringLiteral("Turn On Auto-hide");

QString DockPage::displayName(DockEdge edge)
{
    switch (edge) {
    case DockEdge::left:
        return QStringLiteral("Left");
    case DockEdge::bottom:
        return QStringLiteral("Bottom");
    case DockEdge::right:
        return QStringLiteral("Right");
    }
    Q_UNREACHABLE();
}

QString DockPage::choiceCaption(DockEdge edge)
{
    return QStringLiteral("Move to the ") + displayName(edge);
}

DockPage DockPage::describe(DockEdge edge, bool autohides)
{
    DockPage page;
    if (edge == DockEdge::bottom) {
        page.state = State::atBottom;
        page.needsChange = true;
        page.title = QStringLiteral("Auto-hide the Dock and move it aside");
        page.badge = QStringLiteral("Dock at the bottom");
        page.badgeIsGood = false;
        page.explanation = QStringLiteral(
            "Velmora sits along the bottom of your screen, right where your macOS Dock is now, so the two will "
            "overlap. Moving the Dock to the left or right keeps them both in easy reach, and auto-hiding it gives "
            "your windows the full width of the screen. The Dock slides back out whenever you move the pointer to "
            "that edge.");
        page.smallPrint = QStringLiteral(
            "Either choice also turns on \u201cAutomatically hide and show the Dock\u201d. The Dock will briefly "
            "restart. You can change both any time in System Settings \u203a Desktop & Dock.");
        return page;
    }
    const QString side = displayName(edge).toLower();
    page.badge = QStringLiteral("Dock on the ") + side;
    page.badgeIsGood = true;
    if (autohides) {
        page.state = State::atSideHidden;
        page.needsChange = false;
        page.title = QStringLiteral("Dock\u2019s out of the way");
        page.explanation = QStringLiteral("Your Dock is on the %1 and hides automatically, so it won\u2019t conflict "
                                          "with Velmora.")
                               .arg(side);
        return page;
    }
    page.state = State::atSideVisible;
    page.needsChange = true;
    page.title = QStringLiteral("Auto-hide the Dock");
    page.explanation = QStringLiteral(
        "Your Dock is on the %1, so it won\u2019t overlap Velmora. Auto-hiding it as well gives your windows the full "
        "width of the screen. The Dock slides back out whenever you move the pointer to that edge.")
                           .arg(side);
    page.smallPrint = QStringLiteral(
        "The Dock will briefly restart. You can change this any time in System Settings \u203a Desktop & Dock.");
    return page;
}

} // namespace Velmora
