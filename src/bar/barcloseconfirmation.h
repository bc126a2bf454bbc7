#pragma once

#include "store/windowcloseconfirmation.h"

namespace Velmora {

// What the store runs before closing a window with several tabs: the bar's
// confirmation window, answered through `done` once the user chose.
class BarCloseConfirmation final : public WindowCloseConfirmation
{
public:
    void confirm(const QIcon &icon, const Text &text, QObject *context,
                 std::function<void(bool confirmed)> done) override;
};

} // namespace Velmora
