#include "bar/visualeffectview.h"

#include <QPainter>

namespace Velmora {

VisualEffectView::VisualEffectView(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void VisualEffectView::setMaterial(Material material)
{
    if (m_material == material)
        return;
    m_material = material;
    update();
}

void VisualEffectView::setBlendingMode(BlendingMode mode)
{
    if (m_blendingMode == mode)
        return;
    m_blendingMode = mode;
    update();
}

QColor VisualEffectView::fill(Material material)
{
    // Kept here rather than in the shared palette: they are the materials'
    // own dark tones, used by nothing but these backgrounds.
    switch (material) {
    case Material::HudWindow:
        return QColor::fromRgbF(0.11f, 0.11f, 0.13f, 0.86f);
    case Material::Popover:
        return QColor::fromRgbF(0.15f, 0.15f, 0.17f, 0.92f);
    }
    return Qt::transparent;
}

void VisualEffectView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Behind the window the fill replaces what the window had; within it,
    // it lies over the content beneath.
    if (m_blendingMode == BlendingMode::BehindWindow)
        painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), fill(m_material));
}

} // namespace Velmora
