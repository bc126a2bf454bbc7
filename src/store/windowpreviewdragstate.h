#pragma once

#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

namespace Velmora {

// The drag of one window card along the picker strip. While the drag goes on
// the card is moved in the store's list of previews, so the other cards slide
// into place; the target follows the pointer from where the drag began, not
// from the card's current place in the reordered list.
class WindowPreviewDragState : public QObject
{
    Q_OBJECT
public:
    // One card slot of the picker strip, in points.
    static constexpr double slotWidth = 234;

    using MovePreview = std::function<void(const QString &previewID, qsizetype target)>;

    explicit WindowPreviewDragState(QObject *parent = nullptr);

    const std::optional<QString> &id() const { return m_id; }
    const std::optional<QString> &pressedID() const { return m_pressedID; }
    // Set by a card while a press on it has not become a drag.
    void setPressedID(const std::optional<QString> &previewID);
    double translation() const { return m_translation; }
    qsizetype startIndex() const { return m_startIndex; }
    qsizetype lastTarget() const { return m_lastTarget; }

    // A card's drag changed. `previewIDs` is the store's current order;
    // `movePreview` asks the store to move a preview, once per new target.
    // Only one card is dragged at a time; a translation that is not finite is
    // ignored.
    void dragChanged(
        const QString &previewID, double translation, const QStringList &previewIDs, const MovePreview &movePreview);
    // How far the card is drawn from its slot; only the dragged card moves.
    double offset(const QString &previewID, const QStringList &previewIDs) const;
    bool isLifted(const QString &previewID) const;
    // Ends the drag; startIndex and lastTarget keep their values until the next one.
    void reset();

    // The same operations against a store that offers windowPreviews() (items
    // with an id) and moveWindowPreview(id, target).
    template<typename Store> void dragChanged(const QString &previewID, double translation, Store &store)
    {
        dragChanged(previewID, translation, idsOf(store.windowPreviews()),
            [&store](const QString &id, qsizetype target) { store.moveWindowPreview(id, target); });
    }
    template<typename Store> double offset(const QString &previewID, const Store &store) const
    {
        return offset(previewID, idsOf(store.windowPreviews()));
    }

signals:
    void idChanged();
    void pressedIDChanged();
    void translationChanged();
    // A drag began; the picker hides the tooltip.
    void dragStarted();

private:
    template<typename Previews> static QStringList idsOf(const Previews &previews)
    {
        QStringList ids;
        for (const auto &preview : previews)
            ids.append(preview.id);
        return ids;
    }
    void setID(const std::optional<QString> &previewID);
    void setTranslation(double translation);

    std::optional<QString> m_id;
    std::optional<QString> m_pressedID;
    double m_translation = 0;
    qsizetype m_startIndex = 0;
    qsizetype m_lastTarget = 0;
};

} // namespace Velmora
