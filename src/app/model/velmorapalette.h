#pragma once

#include <QColor>
#include <QPalette>

namespace Velmora {

// The dark colours of the application's own windows (settings, Task
// Manager, onboarding, the close confirmation). Qt draws widgets and windows
// with one colour type, so `window` serves both.
namespace VelmoraPalette {

// The windows' background: sRGB 30, 32, 38.
inline QColor window() { return QColor(30, 32, 38); }
inline QColor windowNS() { return window(); }
// Sheets and panels inside those windows: sRGB 40, 42, 50.
inline QColor sheet() { return QColor(40, 42, 50); }
// Cards: white at 4 % opacity.
inline QColor card() { return QColor::fromRgbF(1, 1, 1, 0.04f); }
// The accent of selections and focus rings.
inline QColor accent() { return QColor::fromRgbF(0.32f, 0.66f, 1.0f); }

// Every menu of the product, the bar's, the picker's and the Task Manager's:
// one dark look next to the dark bar and windows, whatever the desktop's
// own style. A menu sets it on itself; submenus are windows of their own and
// set it too.
inline QPalette menu()
{
    QPalette p;
    const QColor text(232, 232, 236);
    const QColor disabled(132, 134, 142);
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        p.setColor(role, sheet());
    p.setColor(QPalette::AlternateBase, sheet().lighter(115));
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(role, text);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, disabled);
    p.setColor(QPalette::Highlight, accent());
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Light, sheet().lighter(140));
    p.setColor(QPalette::Midlight, sheet().lighter(120));
    p.setColor(QPalette::Mid, sheet().darker(120));
    p.setColor(QPalette::Dark, window().darker(140));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::ToolTipBase, sheet());
    p.setColor(QPalette::ToolTipText, text);
    return p;
}

} // namespace VelmoraPalette

} // namespace Velmora
