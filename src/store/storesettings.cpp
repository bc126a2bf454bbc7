#include "store/storesettings.h"

namespace Velmora {

QString rawValue(TaskbarButtonAlignment alignment)
{
    switch (alignment) {
    case TaskbarButtonAlignment::Left:
        return QStringLiteral("left");
    case TaskbarButtonAlignment::Center:
        return QStringLiteral("center");
    case TaskbarButtonAlignment::Right:
        return QStringLiteral("right");
    }
    return {};
}

QString rawValue(WindowPreviewSortOrder order)
{
    switch (order) {
    case WindowPreviewSortOrder::LastUsed:
        return QStringLiteral("lastUsed");
    case WindowPreviewSortOrder::Alphabetical:
        return QStringLiteral("alphabetical");
    case WindowPreviewSortOrder::Fixed:
        return QStringLiteral("fixed");
    }
    return {};
}

const QList<TaskbarButtonAlignment> &allTaskbarButtonAlignments()
{
    static const QList<TaskbarButtonAlignment> all { TaskbarButtonAlignment::Left, TaskbarButtonAlignment::Center,
        TaskbarButtonAlignment::Right };
    return all;
}

const QList<WindowPreviewSortOrder> &allWindowPreviewSortOrders()
{
    static const QList<WindowPreviewSortOrder> all { WindowPreviewSortOrder::LastUsed,
        WindowPreviewSortOrder::Alphabetical, WindowPreviewSortOrder::Fixed };
    return all;
}

namespace {

template<typename Enum> std::optional<Enum> parse(const QList<Enum> &all, const QString &raw)
{
    for (Enum value : all) {
        if (rawValue(value) == raw)
            return value;
    }
    return std::nullopt;
}

} // namespace

std::optional<TaskbarButtonAlignment> taskbarButtonAlignment(const QString &raw)
{
    return parse(allTaskbarButtonAlignments(), raw);
}

std::optional<WindowPreviewSortOrder> windowPreviewSortOrder(const QString &raw)
{
    return parse(allWindowPreviewSortOrders(), raw);
}

} // namespace Velmora
