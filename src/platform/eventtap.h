#pragma once

namespace Velmora {

// A running event tap. Destroying it removes the tap; no callback runs after that.
class EventTap
{
public:
    virtual ~EventTap();

    // The system may turn a tap off (it then receives a TapDisabled event);
    // the owner turns it back on.
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
};

} // namespace Velmora
