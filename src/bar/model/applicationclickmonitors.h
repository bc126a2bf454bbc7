#pragma once

#include "bar/model/clickmonitors.h"

#include <QList>
#include <QObject>

#include <memory>

namespace Velmora {

class ApplicationPointerEvents;
class EventTaps;
class EventTap;

// Click monitors over the desktop's listen-only mouse tap (other
// applications) and one event filter on this application (its own windows).
// A press in the application's windows is stamped on `pointer` before any
// monitor hears it, so a popover closed by it can tell that press from a
// later one. Main thread only.
class ApplicationClickMonitors : public QObject, public ClickMonitors
{
    Q_OBJECT
public:
    ApplicationClickMonitors(EventTaps &taps, ApplicationPointerEvents &pointer, QObject *parent = nullptr);
    ~ApplicationClickMonitors() override;

    Token watchOtherApplications(std::function<void()> onClick) override;
    Token watchApplication(std::function<void(const QWindow *window)> onClick) override;

    // Whether any monitor is installed; nothing is watched while none is.
    bool isWatching() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Watcher;
    Token add(QList<std::shared_ptr<Watcher>> &list, std::shared_ptr<Watcher> watcher);
    void remove(Watcher *watcher);
    void updateFilter();

    EventTaps &m_taps;
    ApplicationPointerEvents &m_pointer;
    QList<std::shared_ptr<Watcher>> m_local;
    QList<std::shared_ptr<Watcher>> m_global;
    std::unique_ptr<EventTap> m_tap;
    bool m_isFiltering = false;
};

} // namespace Velmora
