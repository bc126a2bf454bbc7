#pragma once

#include "picker/model/windowcardactions.h"

namespace Velmora {

class TaskbarTooltipController;

// The bar's one tooltip as the picker's cards and buttons use it, so the
// picker shows its titles in the same place and with the same delay.
class TaskbarCardTooltip final : public CardTooltip
{
public:
    explicit TaskbarCardTooltip(TaskbarTooltipController &controller);

    void schedule(const QString &title) override;
    void hide() override;

private:
    TaskbarTooltipController &m_controller;
};

} // namespace Velmora
