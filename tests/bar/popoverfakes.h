#pragma once

#include "bar/model/clickcatcherwindows.h"
#include "bar/model/clickmonitors.h"
#include "bar/model/instantpopoverhost.h"
#include "bar/model/pointerevents.h"
#include "bar/model/popoversurface.h"

#include <QHash>
#include <QList>
#include <QObject>

#include <memory>
#include <vector>

// Stand-ins for what a popover's controller drives: its windows, its view,
// the click monitors, the catcher windows and the pointer. Each records what
// was done to it and lets a test play the user.
namespace Velmora::Test {

class FakeSurface;

class FakePopoverHost : public InstantPopoverHost
{
public:
    std::optional<QRectF> anchor = QRectF(100, 843, 44, 44);
    bool anchorExists = true;
    QSizeF ideal{64, 64};
    std::vector<FakeSurface *> surfaces; // every one made, in order
    std::vector<std::unique_ptr<FakeSurface>> abandoned;
    QList<QObject *> cancelledMenus;
    std::function<void(QObject *)> onCancelMenu;

    std::unique_ptr<PopoverSurface> makeSurface(const QSizeF &contentSize) override;
    bool hasAnchor() const override { return anchorExists; }
    std::optional<QRectF> anchorFrame() const override { return anchor; }
    QSizeF idealSize() override { return ideal; }
    void cancelMenuTracking(QObject *menu) override
    {
        cancelledMenus.append(menu);
        if (onCancelMenu)
            onCancelMenu(menu);
    }
    FakeSurface &last() { return *surfaces.back(); }
};

// A window that closes with an animation until the test finishes it.
class FakeSurface : public PopoverSurface
{
public:
    explicit FakeSurface(FakePopoverHost &host, const QSizeF &size)
        : size(size)
        , m_host(host)
    {
    }
    Delegate *delegate = nullptr;
    bool shown = false;
    bool closing = false;
    bool isAbandoned = false;
    int shows = 0;
    QSizeF size;
    QList<QSizeF> sizes; // every size set while shown
    QRectF shownAt;
    const QWindow *window = reinterpret_cast<const QWindow *>(this);

    void setDelegate(Delegate *d) override { delegate = d; }
    bool isShown() const override { return shown; }
    void show(const QRectF &anchor, Qt::Edge) override
    {
        shown = true;
        closing = false;
        shownAt = anchor;
        ++shows;
    }
    void close(bool animated) override
    {
        if (!shown || closing)
            return;
        closing = true;
        if (delegate)
            delegate->popoverWillClose(this);
        if (!animated)
            finishClosing();
    }
    // The closing animation ends.
    void finishClosing()
    {
        if (!closing)
            return;
        closing = false;
        shown = false;
        if (delegate)
            delegate->popoverDidClose(this);
    }
    // Escape pressed in the window.
    void pressEscape()
    {
        if (shown && !closing && (!delegate || delegate->popoverShouldClose(this)))
            close(true);
    }
    QSizeF contentSize() const override { return size; }
    void setContentSize(const QSizeF &s) override
    {
        size = s;
        if (shown)
            sizes.append(s);
    }
    bool holdsWindow(const QWindow *w) const override { return w == window; }
    void abandon() override
    {
        isAbandoned = true;
        delegate = nullptr;
        m_host.abandoned.emplace_back(this);
    }

private:
    FakePopoverHost &m_host;
};

inline std::unique_ptr<PopoverSurface> FakePopoverHost::makeSurface(const QSizeF &contentSize)
{
    auto surface = std::make_unique<FakeSurface>(*this, contentSize);
    surfaces.push_back(surface.get());
    return surface;
}

class FakeClickMonitors : public ClickMonitors
{
public:
    QHash<int, std::function<void()>> others;
    QHash<int, std::function<void(const QWindow *)>> local;
    int nextId = 1;

    Token watchOtherApplications(std::function<void()> onClick) override
    {
        const int id = nextId++;
        others.insert(id, std::move(onClick));
        return std::make_unique<Removal>([this, id] { others.remove(id); });
    }
    Token watchApplication(std::function<void(const QWindow *)> onClick) override
    {
        const int id = nextId++;
        local.insert(id, std::move(onClick));
        return std::make_unique<Removal>([this, id] { local.remove(id); });
    }
    void clickInOtherApplication()
    {
        const auto snapshot = others;
        for (const auto &f : snapshot)
            f();
    }
    void clickInApplication(const QWindow *window)
    {
        const auto snapshot = local;
        for (const auto &f : snapshot)
            f(window);
    }

private:
    struct Removal : Monitor
    {
        explicit Removal(std::function<void()> r)
            : remove(std::move(r))
        {
        }
        ~Removal() override { remove(); }
        std::function<void()> remove;
    };
};

class FakeCatcherWindows : public ClickCatcherWindows
{
public:
    bool shown = false;
    int showCount = 0;
    std::function<void()> onClick;
    void show(std::function<void()> handler) override
    {
        shown = true;
        ++showCount;
        onClick = std::move(handler);
    }
    void hide() override
    {
        shown = false;
        onClick = {};
    }
    void click()
    {
        if (shown && onClick)
            onClick();
    }
};

class FakePointer : public PointerEvents
{
public:
    quint32 buttons = 0;
    std::optional<InputEvent> current;
    QHash<quint32, qint64> last;
    QPointF location;

    quint32 pressedMouseButtons() const override { return buttons; }
    std::optional<InputEvent> currentEvent() const override { return current; }
    std::optional<qint64> lastEventMs(InputEventType type) const override
    {
        if (auto it = last.constFind(quint32(type)); it != last.constEnd())
            return *it;
        return std::nullopt;
    }
    QPointF pointerLocation() const override { return location; }

    // The user presses or releases at `at` (global coordinates) at `ms`.
    void event(InputEventType type, const QPointF &at, qint64 ms)
    {
        InputEvent e;
        e.type = type;
        e.location = at;
        e.timestampMs = ms;
        current = e;
        last.insert(quint32(type), ms);
        location = at;
        const bool down = type == InputEventType::LeftMouseDown || type == InputEventType::RightMouseDown;
        buttons = down ? 1 : 0;
    }
};

} // namespace Velmora::Test
