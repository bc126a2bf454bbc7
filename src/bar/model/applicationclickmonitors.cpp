#include "bar/model/applicationclickmonitors.h"

#include "bar/model/applicationpointerevents.h"
#include "platform/eventtaps.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWindow>

namespace Velmora {

ClickMonitors::Monitor::~Monitor() = default;
ClickMonitors::~ClickMonitors() = default;

struct ApplicationClickMonitors::Watcher
{
    std::function<void()> onOtherApplication;
    std::function<void(const QWindow *)> onApplication;
    bool isRemoved = false;
};

namespace {

class Removal final : public ClickMonitors::Monitor
{
public:
    explicit Removal(std::function<void()> remove)
        : m_remove(std::move(remove))
    {
    }
    ~Removal() override { m_remove(); }

private:
    std::function<void()> m_remove;
};

constexpr quint64 mouseDownMask = eventMaskBit(InputEventType::LeftMouseDown)
    | eventMaskBit(InputEventType::RightMouseDown) | eventMaskBit(InputEventType::OtherMouseDown);

} // namespace

ApplicationClickMonitors::ApplicationClickMonitors(EventTaps &taps, ApplicationPointerEvents &pointer,
                                                   QObject *parent)
    : QObject(parent)
    , m_taps(taps)
    , m_pointer(pointer)
{
}

ApplicationClickMonitors::~ApplicationClickMonitors()
{
    m_tap.reset();
    if (m_isFiltering && qApp)
        qApp->removeEventFilter(this);
}

ClickMonitors::Token ApplicationClickMonitors::watchOtherApplications(std::function<void()> onClick)
{
    auto watcher = std::make_shared<Watcher>();
    watcher->onOtherApplication = std::move(onClick);
    return add(m_global, std::move(watcher));
}

ClickMonitors::Token ApplicationClickMonitors::watchApplication(std::function<void(const QWindow *)> onClick)
{
    auto watcher = std::make_shared<Watcher>();
    watcher->onApplication = std::move(onClick);
    return add(m_local, std::move(watcher));
}

ClickMonitors::Token ApplicationClickMonitors::add(
    QList<std::shared_ptr<Watcher>> &list, std::shared_ptr<Watcher> watcher)
{
    Watcher *raw = watcher.get();
    list.append(std::move(watcher));
    updateFilter();
    QPointer<ApplicationClickMonitors> self(this);
    return std::make_unique<Removal>([self, raw] {
        if (self)
            self->remove(raw);
    });
}

bool ApplicationClickMonitors::isWatching() const
{
    return !m_local.isEmpty() || !m_global.isEmpty();
}

void ApplicationClickMonitors::remove(Watcher *watcher)
{
    watcher->isRemoved = true;
    auto matches = [watcher](const std::shared_ptr<Watcher> &w) { return w.get() == watcher; };
    m_local.removeIf(matches);
    m_global.removeIf(matches);
    updateFilter();
}

void ApplicationClickMonitors::updateFilter()
{
    // The tap and the filter exist only while someone watches, so an idle
    // bar costs nothing per event.
    if (m_global.isEmpty()) {
        m_tap.reset();
    } else if (!m_tap) {
        m_tap = m_taps.createMouseTap(mouseDownMask, this, [this](const MouseEvent &event) {
            if (!(eventMaskBit(event.type) & mouseDownMask))
                return;
            const QList<std::shared_ptr<Watcher>> snapshot = m_global;
            for (const std::shared_ptr<Watcher> &watcher : snapshot) {
                if (!watcher->isRemoved)
                    watcher->onOtherApplication();
            }
        });
    }
    const bool wantsFilter = !m_local.isEmpty();
    if (wantsFilter != m_isFiltering && qApp) {
        if (wantsFilter)
            qApp->installEventFilter(this);
        else
            qApp->removeEventFilter(this);
        m_isFiltering = wantsFilter;
    }
}

bool ApplicationClickMonitors::eventFilter(QObject *watched, QEvent *event)
{
    // A press reaches the window first and its widgets after; hearing it at
    // the window sees every press once, before any widget acts on it.
    const QEvent::Type type = event->type();
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) && watched->isWindowType()) {
        const auto *window = static_cast<const QWindow *>(watched);
        // This filter runs before the pointer's own; a monitor that closes a
        // popover records the dismissing click against this press, so the
        // press must carry its time before then.
        m_pointer.notice(watched, event);
        // Monitors added while this press is handled hear the next one.
        const QList<std::shared_ptr<Watcher>> snapshot = m_local;
        for (const std::shared_ptr<Watcher> &watcher : snapshot) {
            if (!watcher->isRemoved)
                watcher->onApplication(window);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace Velmora
