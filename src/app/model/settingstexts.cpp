#include "app/model/settingstexts.h"

namespace Velmora::SettingsTexts {

namespace {

QString spelled(EnglishSpelling::Variant spelling, const char *american, const char *british)
{
    return QString::fromUtf8(spelling == EnglishSpelling::American ? american : british);
}

} // namespace

QString startButtonSubtitle(EnglishSpelling::Variant spelling)
{
    return spelled(spelling, "Open your apps, favorites and All apps.", "Open your apps, favourites and All apps.");
}

QString keepWindowOrderSubtitle(EnglishSpelling::Variant spelling)
{
    return spelled(spelling,
        "When you minimize or close a window, show whatever was behind it, like on Windows. Turn off to use the "
        "standard macOS behavior.",
        "When you minimize or close a window, show whatever was behind it, like on Windows. Turn off to use the "
        "standard macOS behaviour.");
}

QString alignmentTitle(TaskbarButtonAlignment alignment, EnglishSpelling::Variant spelling)
{
    switch (alignment) {
    case TaskbarButtonAlignment::Left:
        return QStringLiteral("Left");
    case TaskbarButtonAlignment::Center:
        return spelled(spelling, "Center", "Centre");
    case TaskbarButtonAlignment::Right:
        return QStringLiteral("Right");
    }
    return {};
}

QString sortOrderTitle(WindowPreviewSortOrder order)
{
    switch (order) {
    case WindowPreviewSortOrder::LastUsed:
        return QStringLiteral("Last used");
    case WindowPreviewSortOrder::Alphabetical:
        return QStringLiteral("Alphabetical");
    case WindowPreviewSortOrder::Fixed:
        return QStringLiteral("Fixed");
    }
    return {};
}

QString permissionTitle(AppPermission permission)
{
    return permission == AppPermission::accessibility ? QStringLiteral("Accessibility")
                                                      : QStringLiteral("Screen Recording");
}

QString permissionSubtitle(AppPermission permission)
{
    return permission == AppPermission::accessibility
        ? QStringLiteral("This is required to manage your application windows. Without it, Velmora won’t function "
                         "properly.")
        : QStringLiteral("This is required to show live window thumbnails. Rest assured, nothing is actually being "
                         "recorded and no data ever leaves your device.");
}

} // namespace Velmora::SettingsTexts
