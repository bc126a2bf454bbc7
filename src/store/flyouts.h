#pragma once

#include <QObject>

#include <optional>

namespace Velmora {

class FinderFavoritesModel;

// Which flyout is open, and above which display's bar: the Start menu, the
// overflow list, or (through the window picker) an app's windows. At most
// one is open in the whole application; every switch from one to another
// closes everything first, so two popovers are never up together.
//
// Search and quick settings are flags no control of ours sets; they are
// closed with the others and keep the display while the picker closes.
// Closing everything also closes the window picker and clears the Start
// menu's search: whoever keeps those follows `dismissed`.
class Flyouts : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isStartMenuPresented READ isStartMenuPresented WRITE setStartMenuPresented NOTIFY
            isStartMenuPresentedChanged)
    Q_PROPERTY(bool isSearchPresented READ isSearchPresented WRITE setSearchPresented NOTIFY isSearchPresentedChanged)
    Q_PROPERTY(bool isQuickSettingsPresented READ isQuickSettingsPresented WRITE setQuickSettingsPresented NOTIFY
            isQuickSettingsPresentedChanged)
    Q_PROPERTY(bool isTaskbarOverflowPresented READ isTaskbarOverflowPresented WRITE setTaskbarOverflowPresented NOTIFY
            isTaskbarOverflowPresentedChanged)
    Q_PROPERTY(std::optional<quint32> presentedDisplayID READ presentedDisplayID WRITE setPresentedDisplayID NOTIFY
            presentedDisplayIDChanged)

public:
    // Opening the Start menu refreshes `favorites`.
    explicit Flyouts(FinderFavoritesModel &favorites);

    bool isStartMenuPresented() const { return m_isStartMenuPresented; }
    void setStartMenuPresented(bool presented);
    bool isSearchPresented() const { return m_isSearchPresented; }
    void setSearchPresented(bool presented);
    bool isQuickSettingsPresented() const { return m_isQuickSettingsPresented; }
    void setQuickSettingsPresented(bool presented);
    bool isTaskbarOverflowPresented() const { return m_isTaskbarOverflowPresented; }
    void setTaskbarOverflowPresented(bool presented);
    // The display whose bar shows the open flyout; nothing while none is open.
    std::optional<quint32> presentedDisplayID() const { return m_presentedDisplayID; }
    void setPresentedDisplayID(std::optional<quint32> displayID);

    // Closes every flyout and the window picker, and forgets the search text.
    void dismissFlyouts();
    // Opens the Start menu above `displayID`'s bar, or closes it when it is
    // open there; open on another display, it moves here.
    void toggleStartMenu(quint32 displayID);
    // The same for the overflow list.
    void toggleTaskbarOverflow(quint32 displayID);

signals:
    void isStartMenuPresentedChanged();
    void isSearchPresentedChanged();
    void isQuickSettingsPresentedChanged();
    void isTaskbarOverflowPresentedChanged();
    void presentedDisplayIDChanged();
    // Everything was closed; sent before the display is forgotten.
    void dismissed();

private:
    // Closes what is open; true when `flag` was open on `displayID` and the
    // toggle therefore ends here.
    bool closeForToggle(bool flag, quint32 displayID);

    FinderFavoritesModel &m_favorites;
    bool m_isStartMenuPresented = false;
    bool m_isSearchPresented = false;
    bool m_isQuickSettingsPresented = false;
    bool m_isTaskbarOverflowPresented = false;
    std::optional<quint32> m_presentedDisplayID;
};

} // namespace Velmora
