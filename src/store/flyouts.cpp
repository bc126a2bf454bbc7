#include "store/flyouts.h"

#include "store/finderfavoritesmodel.h"
#include "store/publish.h"

namespace Velmora {

Flyouts::Flyouts(FinderFavoritesModel &favorites)
    : m_favorites(favorites)
{
}

void Flyouts::dismissFlyouts()
{
    setStartMenuPresented(false);
    setSearchPresented(false);
    setQuickSettingsPresented(false);
    setTaskbarOverflowPresented(false);
    emit dismissed();
    setPresentedDisplayID(std::nullopt);
}

bool Flyouts::closeForToggle(bool flag, quint32 displayID)
{
    const std::optional<quint32> openOn = m_presentedDisplayID;
    dismissFlyouts();
    return flag && openOn == displayID;
}

void Flyouts::toggleStartMenu(quint32 displayID)
{
    if (closeForToggle(m_isStartMenuPresented, displayID))
        return;
    // The menu opens with the favourites it has; fresh ones follow.
    m_favorites.refresh();
    setPresentedDisplayID(displayID);
    setStartMenuPresented(true);
}

void Flyouts::toggleTaskbarOverflow(quint32 displayID)
{
    if (closeForToggle(m_isTaskbarOverflowPresented, displayID))
        return;
    setPresentedDisplayID(displayID);
    setTaskbarOverflowPresented(true);
}

void Flyouts::setStartMenuPresented(bool presented)
{
    publish(this, m_isStartMenuPresented, presented, &Flyouts::isStartMenuPresentedChanged);
}

void Flyouts::setSearchPresented(bool presented)
{
    publish(this, m_isSearchPresented, presented, &Flyouts::isSearchPresentedChanged);
}

void Flyouts::setQuickSettingsPresented(bool presented)
{
    publish(this, m_isQuickSettingsPresented, presented, &Flyouts::isQuickSettingsPresentedChanged);
}

void Flyouts::setTaskbarOverflowPresented(bool presented)
{
    publish(this, m_isTaskbarOverflowPresented, presented, &Flyouts::isTaskbarOverflowPresentedChanged);
}

void Flyouts::setPresentedDisplayID(std::optional<quint32> displayID)
{
    publish(this, m_presentedDisplayID, displayID, &Flyouts::presentedDisplayIDChanged);
}

} // namespace Velmora
