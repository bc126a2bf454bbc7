#include "picker/model/windowpreviewstripmodel.h"

#include "picker/model/windowpreviewcardmotion.h"
#include "store/taskbarstore.h"
#include "store/taskbartooltip.h"
#include "store/windowpreviewdraghint.h"
#include "store/windowpreviewdragstate.h"


namespace Velmora {

WindowPreviewStripModel::WindowPreviewStripModel(TaskbarStore &store, const QString &appID,
    std::optional<quint32> displayID, WindowPreviewDragState &drag, WindowPreviewDragHint &dragHint, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_appID(appID)
    , m_displayID(displayID)
    , m_drag(drag)
    , m_dragHint(dragHint)
{
    // A card that starts moving takes its title away from under the pointer.
    connect(&m_drag, &WindowPreviewDragState::dragStarted, this, [this] { m_store.environment().tooltip.hide(); });
}

double WindowPreviewStripModel::width(qsizetype count)
{
    if (count <= 0)
        return 0;
    return double(count) * cardWidth + double(count - 1) * spacing;
}

QRectF WindowPreviewStripModel::itemRect(qsizetype position)
{
    return QRectF(double(position) * (cardWidth + spacing), topPadding, cardWidth, cardHeight);
}

bool WindowPreviewStripModel::isOpenHere() const
{
    return m_store.windowPicker().isWindowPickerOpen(m_appID, m_displayID);
}

bool WindowPreviewStripModel::placeholderLeads() const
{
    const QStringList ids = m_store.windowPicker().displayedWindowPreviewIDs();
    return !ids.isEmpty() && ids.first() == QLatin1String(WindowPicker::placeholderPreviewID);
}

QList<WindowPreviewStripModel::Item> WindowPreviewStripModel::items() const
{
    QList<Item> items;
    if (!isOpenHere())
        return items;
    const WindowPicker &picker = m_store.windowPicker();
    const QList<WindowPreviewItem> &previews = picker.windowPreviews();
    items.reserve(previews.size() + 1);
    const bool placeholder = picker.isAwaitingNewWindow();
    const bool leads = placeholder && placeholderLeads();
    const Item placeholderItem { Item::Kind::Placeholder, QLatin1String(WindowPicker::placeholderPreviewID), -1, 0,
        false, false };
    if (leads)
        items.append(placeholderItem);
    for (qsizetype i = 0; i < previews.size(); ++i) {
        const QString &id = previews.at(i).id;
        items.append(Item { Item::Kind::Card, id, i, WindowPreviewCardMotion::appearDelayMs(i), picker.closingWindowPreviewIDs().contains(id),
            picker.windowPreviewIDReplacingPlaceholder() == id });
    }
    if (placeholder && !leads)
        items.append(placeholderItem);
    return items;
}

bool WindowPreviewStripModel::canDrag() const
{
    return m_store.windowPreviewSortOrder() == WindowPreviewSortOrder::Fixed;
}

bool WindowPreviewStripModel::isDragging() const
{
    return m_drag.id().has_value();
}

bool WindowPreviewStripModel::isLifted(const QString &previewID) const
{
    return m_drag.isLifted(previewID);
}

double WindowPreviewStripModel::offset(const QString &previewID) const
{
    return m_drag.offset(previewID, m_store.windowPicker());
}

int WindowPreviewStripModel::zIndex(const QString &previewID) const
{
    return m_drag.id() == previewID ? 1 : 0;
}

void WindowPreviewStripModel::pressChanged(const QString &previewID, bool pressed)
{
    if (pressed)
        m_drag.setPressedID(previewID);
    else if (m_drag.pressedID() == previewID)
        m_drag.setPressedID(std::nullopt);
}

void WindowPreviewStripModel::dragChanged(const QString &previewID, double translation)
{
    m_drag.dragChanged(previewID, translation, m_store.windowPicker());
}

void WindowPreviewStripModel::dragEnded()
{
    m_drag.reset();
}

void WindowPreviewStripModel::dragRefused()
{
    // With a single window there is nothing to reorder, so nothing to explain.
    if (m_store.windowPicker().windowPreviews().size() > 1)
        m_dragHint.show();
}

void WindowPreviewStripModel::disappeared()
{
    m_drag.reset();
}

} // namespace Velmora
