#pragma once

#include <QPointF>
#include <QString>

namespace Velmora {

// Event types as the window server numbers them.
enum class InputEventType : quint32 {
    Null = 0,
    LeftMouseDown = 1,
    LeftMouseUp = 2,
    RightMouseDown = 3,
    RightMouseUp = 4,
    MouseMoved = 5,
    KeyDown = 10,
    KeyUp = 11,
    FlagsChanged = 12,
    OtherMouseDown = 25,
    OtherMouseUp = 26,
    // Delivered to a tap that the system turned off; the tap should turn itself back on.
    TapDisabledByTimeout = 0xFFFFFFFE,
    TapDisabledByUserInput = 0xFFFFFFFF,
};

// The bit of an event type in an event tap's mask; none for the types
// numbered beyond it (the TapDisabled ones).
constexpr quint64 eventMaskBit(InputEventType type)
{
    return quint32(type) < 64 ? quint64(1) << quint32(type) : 0;
}

// Modifier flag bits of a key event.
enum InputEventFlag : quint64 {
    AlphaShiftFlag = 0x10000, // Caps Lock
    ShiftFlag = 0x20000,
    ControlFlag = 0x40000,
    AlternateFlag = 0x80000, // Option
    CommandFlag = 0x100000,
    NumericPadFlag = 0x200000,
    HelpFlag = 0x400000,
    SecondaryFnFlag = 0x800000,
};

struct MouseEvent {
    InputEventType type = InputEventType::Null;
    QPointF location; // top-left origin of the primary display, y down
};

// One input event of any kind, as the application sees the one it is handling.
struct InputEvent {
    InputEventType type = InputEventType::Null;
    QPointF location; // top-left origin of the primary display, y down
    quint64 flags = 0; // InputEventFlag bits of a key event
    quint16 keyCode = 0;
    qint64 timestampMs = 0; // on the monotonic clock

    friend bool operator==(const InputEvent &, const InputEvent &) = default;
};

struct KeyEvent {
    InputEventType type = InputEventType::KeyDown;
    quint16 keyCode = 0;  // virtual key code, independent of the layout
    quint64 flags = 0;    // InputEventFlag bits
    bool isAutorepeat = false;
    QString characters;   // what the key produces in the current layout

    friend bool operator==(const KeyEvent &, const KeyEvent &) = default;
};

} // namespace Velmora
