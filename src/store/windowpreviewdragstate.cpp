#include "store/windowpreviewdragstate.h"

#include "store/dragslot.h"

#include <cmath>

namespace Velmora {

WindowPreviewDragState::WindowPreviewDragState(QObject *parent)
    : QObject(parent)
{
}

void WindowPreviewDragState::setID(const std::optional<QString> &previewID)
{
    if (m_id == previewID)
        return;
    m_id = previewID;
    emit idChanged();
}

void WindowPreviewDragState::setPressedID(const std::optional<QString> &previewID)
{
    if (m_pressedID == previewID)
        return;
    m_pressedID = previewID;
    emit pressedIDChanged();
}

void WindowPreviewDragState::setTranslation(double translation)
{
    if (m_translation == translation)
        return;
    m_translation = translation;
    emit translationChanged();
}

void WindowPreviewDragState::dragChanged(
    const QString &previewID, double translation, const QStringList &previewIDs, const MovePreview &movePreview)
{
    if (!std::isfinite(translation))
        return;
    const qsizetype index = previewIDs.indexOf(previewID);
    if (index < 0)
        return;
    if (!m_id) {
        m_startIndex = index;
        m_lastTarget = index;
        setID(previewID);
        emit dragStarted();
    }
    if (*m_id != previewID)
        return;
    setTranslation(translation);
    const qsizetype target = DragSlot::target(m_startIndex, translation, slotWidth, previewIDs.size() - 1);
    if (target != m_lastTarget) {
        m_lastTarget = target;
        if (movePreview)
            movePreview(previewID, target);
    }
}

double WindowPreviewDragState::offset(const QString &previewID, const QStringList &previewIDs) const
{
    if (m_id != previewID)
        return 0;
    const qsizetype current = previewIDs.indexOf(previewID);
    if (current < 0)
        return 0;
    return m_translation + double(m_startIndex - current) * slotWidth;
}

bool WindowPreviewDragState::isLifted(const QString &previewID) const
{
    return m_id == previewID || m_pressedID == previewID;
}

void WindowPreviewDragState::reset()
{
    setID(std::nullopt);
    setPressedID(std::nullopt);
    setTranslation(0);
}

} // namespace Velmora
