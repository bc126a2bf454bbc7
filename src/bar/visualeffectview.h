#pragma once

#include <QWidget>

namespace Velmora {

// The frosted background of the bar, the overflow list and the window picker.
// Desktops here offer no blur of what lies behind a window, so each material
// is a tinted, partly translucent fill: over a compositing desktop whatever
// is behind the window shows through dimly, elsewhere it reads as a dark
// surface of the same tone. Always drawn as active, whichever window has
// the keyboard.
class VisualEffectView : public QWidget
{
    Q_OBJECT
public:
    enum class Material {
        HudWindow, // the bar
        Popover,   // flyouts
    };
    enum class BlendingMode {
        BehindWindow, // blends with what lies behind the window
        WithinWindow, // blends with the window's own content beneath
    };

    explicit VisualEffectView(QWidget *parent = nullptr);

    void setMaterial(Material material);
    Material material() const { return m_material; }
    void setBlendingMode(BlendingMode mode);
    BlendingMode blendingMode() const { return m_blendingMode; }

    // The fill a material stands for.
    static QColor fill(Material material);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Material m_material = Material::HudWindow;
    BlendingMode m_blendingMode = BlendingMode::BehindWindow;
};

} // namespace Velmora
