#include "platform/sim/simstatusitem.h"

namespace Velmora::Sim {

void SimStatusItem::install(const QIcon &image, const QString &accessibilityDescription)
{
    m_installed = true;
    m_image = image;
    m_description = accessibilityDescription;
    emit changed();
}

void SimStatusItem::setHighlighted(bool highlighted)
{
    if (m_highlighted == highlighted)
        return;
    m_highlighted = highlighted;
    emit changed();
}

void SimStatusItem::click()
{
    if (m_installed)
        emit clicked();
}

} // namespace Velmora::Sim
