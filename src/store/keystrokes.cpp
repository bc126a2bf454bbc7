#include "store/keystrokes.h"

#include "platform/eventtaps.h"

namespace Velmora::Keystrokes {

void postCommandM(EventTaps *eventTaps, qint32 processIdentifier)
{
    if (!eventTaps)
        return;
    KeyEvent event;
    event.keyCode = mKeyCode;
    event.flags = CommandFlag;
    event.characters = QStringLiteral("m");
    event.type = InputEventType::KeyDown;
    eventTaps->postKeyEvent(processIdentifier, event);
    event.type = InputEventType::KeyUp;
    eventTaps->postKeyEvent(processIdentifier, event);
}

} // namespace Velmora::Keystrokes
