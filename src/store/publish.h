#pragma once

namespace Velmora {

// Assigns a published value and emits its change signal, only when the
// value really changed, so an idle refresh costs the views nothing. True
// when it changed.
template<typename Owner, typename T, typename Signal>
bool publish(Owner *owner, T &field, const T &value, Signal changed)
{
    if (field == value)
        return false;
    field = value;
    emit(owner->*changed)();
    return true;
}

} // namespace Velmora
