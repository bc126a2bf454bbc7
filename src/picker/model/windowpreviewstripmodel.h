#pragma once

#include <QList>
#include <QObject>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <optional>

namespace Velmora {

class TaskbarStore;
class WindowPreviewDragHint;
class WindowPreviewDragState;

// The row of window cards inside the picker's scroller: which cards it
// shows, where each one sits, how each one appears, and what a press or a
// drag on a card does to the shared drag state. The store decides the order
// and the placeholder's side; the strip only lays them out and forwards the
// drag. Main thread only.
class WindowPreviewStripModel : public QObject
{
    Q_OBJECT
public:
    // A card, and the placeholder, is this big; cards sit this far apart.
    static constexpr double cardWidth = 224;
    static constexpr double cardHeight = 159;
    static constexpr double spacing = 10;
    // Room above the cards and below them (where the scroll knob goes).
    static constexpr double topPadding = 8;
    static constexpr double bottomPadding = 16;
    static constexpr double height = topPadding + cardHeight + bottomPadding;

    struct Item
    {
        enum class Kind { Card, Placeholder };
        Kind kind = Kind::Card;
        QString id;
        // The card's place in the store's previews; -1 for the placeholder.
        qsizetype previewIndex = -1;
        qint64 appearDelayMs = 0;
        bool isClosing = false;
        // The card that takes the placeholder's place shows at once; every
        // other item, the placeholder included, plays its appear motion.
        bool startsAppeared = false;

        friend bool operator==(const Item &, const Item &) = default;
    };

    WindowPreviewStripModel(TaskbarStore &store, const QString &appID, std::optional<quint32> displayID,
        WindowPreviewDragState &drag, WindowPreviewDragHint &dragHint, QObject *parent = nullptr);

    // The strip's width for `count` items.
    static double width(qsizetype count);
    // Where the item at `position` sits in the strip, before any drag offset.
    static QRectF itemRect(qsizetype position);

    // Whether the picker shows this app above this display; anything else
    // shows nothing, whatever previews the store still holds.
    bool isOpenHere() const;
    bool placeholderLeads() const;
    // The items left to right.
    QList<Item> items() const;

    // Cards may be dragged only in the fixed sort order.
    bool canDrag() const;
    // Some card is being dragged: no card shows its close button or a tooltip.
    bool isDragging() const;
    bool isLifted(const QString &previewID) const;
    // How far the card is drawn from its slot (only the dragged card moves).
    double offset(const QString &previewID) const;
    // The dragged card is drawn above its neighbours.
    int zIndex(const QString &previewID) const;

    // What a card's pointer surface reports.
    void pressChanged(const QString &previewID, bool pressed);
    void dragChanged(const QString &previewID, double translation);
    void dragEnded();
    void dragRefused();
    // The strip left the screen: no card stays lifted or offset.
    void disappeared();

    WindowPreviewDragState &drag() const { return m_drag; }

private:
    TaskbarStore &m_store;
    const QString m_appID;
    const std::optional<quint32> m_displayID;
    WindowPreviewDragState &m_drag;
    WindowPreviewDragHint &m_dragHint;
};

} // namespace Velmora
