#include "app/model/statusmenumodel.h"

namespace Velmora::StatusMenuModel {

namespace {

Entry item(Command command, const char *title, const char *symbol, const char *keyEquivalent = "")
{
    return Entry{false, command, QString::fromUtf8(title), QString::fromLatin1(symbol), QString::fromLatin1(keyEquivalent)};
}

// The screen test of the modelled desktop: left and top edges inside, right
// and bottom edges outside (y grows upwards).
bool containsPointer(const QRectF &frame, const QPointF &pointer)
{
    return pointer.x() >= frame.left() && pointer.x() < frame.left() + frame.width() && pointer.y() > frame.top()
        && pointer.y() <= frame.top() + frame.height();
}

double topOf(const QRectF &rect)
{
    // Screen convention: y up, so the top edge is the rectangle's largest y.
    return rect.top() + rect.height();
}

} // namespace

QList<Entry> entries(bool hasUpdater)
{
    QList<Entry> menu{
        item(Command::ShowOnboarding, "Continue Setup…", "sparkles"),
        item(Command::ShowSettings, "Settings", "gearshape"),
    };
    if (hasUpdater)
        menu.append(item(Command::CheckForUpdates, "Check for Updates…", "arrow.down.circle"));
    Entry separator;
    separator.isSeparator = true;
    menu.append(separator);
    menu.append(item(Command::Restart, "Restart Velmora", "arrow.clockwise"));
    menu.append(item(Command::Quit, "Quit Velmora", "power", "q"));
    return menu;
}

bool isShown(const Entry &entry, bool hasOnboardingWindow)
{
    if (!entry.isSeparator && entry.command == Command::ShowOnboarding)
        return hasOnboardingWindow;
    return true;
}

QPointF menuTopLeft(const QList<DisplayInfo> &screens, const std::optional<DisplayInfo> &mainScreen, const QPointF &pointer)
{
    std::optional<DisplayInfo> target;
    for (const DisplayInfo &screen : screens) {
        if (containsPointer(screen.frame, pointer)) {
            target = screen;
            break;
        }
    }
    if (!target)
        target = mainScreen;
    const double menuBarHeight = screens.isEmpty()
        ? fallbackMenuBarHeight
        : topOf(screens.first().frame) - topOf(screens.first().visibleFrame);
    const double top = target ? topOf(target->frame) : pointer.y();
    return QPointF(pointer.x() - pointerInset, top - menuBarHeight);
}

} // namespace Velmora::StatusMenuModel
