#include "bar/model/barviewmodel.h"

#include "bar/model/appbuttonmodel.h"
#include "bar/model/baractions.h"
#include "platform/clock.h"
#include "platform/workspace.h"
#include "store/taskbarstore.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace Velmora {

namespace {

qreal distance(const QPointF &translation)
{
    return std::hypot(translation.x(), translation.y());
}

} // namespace

BarViewModel::BarViewModel(TaskbarStore &store, BarActions &actions, Animator &animator, quint32 displayID,
                           QObject *parent)
    : ViewModel(store.environment().scheduler, parent)
    , m_store(store)
    , m_actions(actions)
    , m_animator(animator)
    , m_displayID(displayID)
{
    follow(&store, &TaskbarStore::taskbarAppsChanged, Apps | Layout);
    // An item that does not say it runs may still run under its bundle identifier.
    follow(&store, &TaskbarStore::runningAppsChanged, Apps);
    follow(&store, &TaskbarStore::buttonAlignmentChanged, Layout);
    follow(&store, &TaskbarStore::showStartButtonChanged, Layout | Apps);
    follow(&store, &TaskbarStore::showSearchChanged, Layout | Apps);
    Flyouts &flyouts = store.flyouts();
    follow(&flyouts, &Flyouts::isStartMenuPresentedChanged, FlyoutState);
    follow(&flyouts, &Flyouts::isTaskbarOverflowPresentedChanged, FlyoutState);
    follow(&flyouts, &Flyouts::presentedDisplayIDChanged, FlyoutState);
    follow(&store.windowPicker(), &WindowPicker::windowPickerAppIDChanged, FlyoutState);
    connect(&store.environment().workspace, &Workspace::applicationActivated, this,
            [this](const RunningApplication &application) { promote(application); });
    syncButtons();
    m_displayedIDs = AppItem::ids(displayedTaskbarApps());
}

BarViewModel::~BarViewModel() = default;

void BarViewModel::setBarWidth(qreal width)
{
    if (qFuzzyCompare(width + 1, m_barWidth + 1))
        return;
    m_barWidth = width;
    invalidate(Layout | Apps);
}

void BarViewModel::setTrayWidth(qreal width)
{
    if (qFuzzyCompare(width + 1, m_trayWidth + 1))
        return;
    m_trayWidth = width;
    invalidate(Layout | Apps);
}

qsizetype BarViewModel::appSlotCapacity() const
{
    return BarLayout::appSlotCapacity(m_barWidth, m_trayWidth, m_store.buttonAlignment(), m_store.showStartButton(),
                                      m_store.showSearch());
}

TaskbarOverflow::Split BarViewModel::split() const
{
    return TaskbarOverflow::split(m_store.taskbarApps(), appSlotCapacity(), m_promotedID);
}

QList<AppItem> BarViewModel::displayedTaskbarApps() const
{
    if (m_reorder)
        return m_reorder->apps();
    return split().visible;
}

bool BarViewModel::showsOverflowButton() const
{
    return !split().overflow.isEmpty();
}

BarLayout BarViewModel::layout() const
{
    BarLayout::Input input;
    input.barWidth = m_barWidth;
    input.trayWidth = m_trayWidth;
    input.alignment = m_store.buttonAlignment();
    input.showsStart = m_store.showStartButton();
    input.showsSearch = m_store.showSearch();
    input.appCount = displayedTaskbarApps().size();
    input.showsOverflow = showsOverflowButton();
    return BarLayout(input);
}

std::optional<QRectF> BarViewModel::appButtonRect(const QString &appID) const
{
    const QHash<QString, QRectF> rects = appButtonRects();
    const auto found = rects.constFind(appID);
    return found == rects.cend() ? std::nullopt : std::optional<QRectF>(*found);
}

QHash<QString, QRectF> BarViewModel::appButtonRects() const
{
    // One list of the shown apps and one layout for all of them: the bar
    // places every button at each step of a drag.
    const QList<AppItem> apps = displayedTaskbarApps();
    const BarLayout bar = layout();
    QHash<QString, QRectF> rects;
    rects.reserve(apps.size());
    for (qsizetype i = 0; i < apps.size(); ++i) {
        const QString &id = apps.at(i).id;
        if (rects.contains(id))
            continue; // an id's first slot is its place
        QRectF rect = bar.appRect(i);
        if (m_reorder)
            rect.translate(m_reorder->offset(id), 0);
        rects.insert(id, rect);
    }
    return rects;
}

void BarViewModel::promote(const std::optional<RunningApplication> &application)
{
    if (!application || application->bundleIdentifier.isEmpty())
        return;
    for (const AppItem &app : m_store.taskbarApps()) {
        if (app.bundleIdentifier != application->bundleIdentifier)
            continue;
        if (m_promotedID != app.id) {
            m_promotedID = app.id;
            invalidate(Apps | Layout);
        }
        return;
    }
}

void BarViewModel::shown()
{
    promote(m_store.environment().workspace.frontmostApplication());
    m_overflow.setApps(split().overflow);
    m_isShown = true;
    flush();
}

bool BarViewModel::isStartMenuOpen() const
{
    const Velmora::Flyouts &flyouts = m_store.flyouts();
    return flyouts.isStartMenuPresented() && flyouts.presentedDisplayID() == m_displayID;
}

bool BarViewModel::isOverflowOpen() const
{
    const Velmora::Flyouts &flyouts = m_store.flyouts();
    return flyouts.isTaskbarOverflowPresented() && flyouts.presentedDisplayID() == m_displayID;
}

bool BarViewModel::isWindowPickerOpen(const QString &appID) const
{
    return m_store.windowPicker().isWindowPickerOpen(appID, m_displayID);
}

// Start and overflow buttons

void BarViewModel::openStartMenu()
{
    m_store.flyouts().toggleStartMenu(m_displayID);
}

void BarViewModel::openOverflow()
{
    m_store.flyouts().toggleTaskbarOverflow(m_displayID);
}

void BarViewModel::pressStartButton()
{
    pressFlyoutButton(isStartMenuOpen(), m_startMenuPresenter, &BarViewModel::openStartMenu);
}

void BarViewModel::releaseStartButton(bool inside)
{
    releaseFlyoutButton(inside, &BarViewModel::toggleStartMenu);
}

void BarViewModel::toggleStartMenu()
{
    toggleFlyout(&BarViewModel::openStartMenu, &BarViewModel::isStartMenuOpen, m_startMenuPresenter);
}

void BarViewModel::pressOverflowButton()
{
    pressFlyoutButton(isOverflowOpen(), m_overflowPresenter, &BarViewModel::openOverflow);
}

void BarViewModel::releaseOverflowButton(bool inside)
{
    releaseFlyoutButton(inside, &BarViewModel::toggleOverflow);
}

void BarViewModel::toggleOverflow()
{
    toggleFlyout(&BarViewModel::openOverflow, &BarViewModel::isOverflowOpen, m_overflowPresenter);
}

void BarViewModel::pressFlyoutButton(bool wasOpen, InstantPopoverPresenter &presenter, void (BarViewModel::*open)())
{
    // An earlier press that never saw its release gives up what it opened.
    if (m_flyoutPress && m_flyoutPress->isPrepared()) {
        const FlyoutPress earlier = *std::exchange(m_flyoutPress, std::nullopt);
        earlier.release();
    }
    if (m_actions.consumeDismissingClick()) {
        m_flyoutPress = FlyoutPress::dismissal();
        return;
    }
    if (!wasOpen) {
        presenter.setHoldingShow(true);
        (this->*open)();
        if (isStartMenuOpen() || isOverflowOpen()) {
            m_flyoutPress = FlyoutPress::prepared(&presenter, [this] {
                const Velmora::Flyouts &flyouts = m_store.flyouts();
                if (flyouts.presentedDisplayID() == m_displayID
                    && (flyouts.isStartMenuPresented() || flyouts.isTaskbarOverflowPresented()))
                    m_store.flyouts().dismissFlyouts();
            });
            return;
        }
        presenter.setHoldingShow(false);
    }
    m_flyoutPress = FlyoutPress::plain();
}

void BarViewModel::releaseFlyoutButton(bool inside, void (BarViewModel::*toggle)())
{
    const std::optional<FlyoutPress> press = std::exchange(m_flyoutPress, std::nullopt);
    if (!press || press->kind == FlyoutPress::Kind::Plain) {
        if (inside)
            (this->*toggle)();
        return;
    }
    if (!press->isPrepared())
        return; // a dismissal or a cancelled press does nothing more
    if (press->presenter)
        press->presenter->setHoldingShow(false);
    if (inside) {
        if (press->presenter)
            press->presenter->show();
    } else if (press->close) {
        press->close();
    }
}

void BarViewModel::toggleFlyout(void (BarViewModel::*open)(), bool (BarViewModel::*isOpen)() const,
                                InstantPopoverPresenter &presenter)
{
    if (m_actions.consumeDismissingClick())
        return;
    (this->*open)();
    if ((this->*isOpen)()) {
        presenter.setHoldingShow(false);
        presenter.show();
    } else {
        presenter.close();
    }
}

void BarViewModel::search()
{
    m_store.flyouts().dismissFlyouts();
    m_actions.toggleSearch();
}

void BarViewModel::chooseOverflowApp(const AppItem &app)
{
    if (m_promotedID != app.id) {
        m_promotedID = app.id;
        invalidate(Apps | Layout);
    }
    m_store.flyouts().dismissFlyouts();
    // On the next turn, once the flyouts have gone, exactly as a click on its button.
    m_store.environment().scheduler.scheduleOnce(0, this, [this, app] {
        m_actions.handleTaskbarClick(app, m_displayID);
    });
}

// App buttons

FlyoutPress BarViewModel::pressAppButton(const AppItem &app)
{
    if (m_actions.consumeDismissingClick())
        return FlyoutPress::dismissal();
    InstantPopoverPresenter &presenter = m_pickerPresenters.presenter(app.id);
    presenter.setHoldingShow(true);
    if (m_store.windowPicker().prepareWindowPicker(app, m_displayID)) {
        // The views learn of the open picker now, so its popover is ready
        // for the release.
        flush();
        const QString appID = app.id;
        return FlyoutPress::prepared(&presenter, [this, appID] {
            if (isWindowPickerOpen(appID))
                m_store.windowPicker().dismissWindowPicker();
        });
    }
    presenter.setHoldingShow(false);
    return FlyoutPress::plain();
}

void BarViewModel::appDragChanged(const AppItem &app, const QPointF &translation)
{
    if (!m_appPress || m_appPress->appID != app.id) {
        // Another app's press that never ended gives up what it opened.
        if (m_appPress && m_appPress->press.isPrepared())
            m_appPress->press.release();
        m_appPress.reset();
        FlyoutPress press = pressAppButton(app);
        m_appPress = AppPress { app.id, std::move(press), false };
    }
    const qreal moved = distance(translation);
    if (moved >= dragDistance)
        m_appPress->movedAway = true;
    if (moved < reorderDistance)
        return;

    if (!m_reorder) {
        if (m_appPress->press.isPrepared()) {
            const FlyoutPress prepared = std::exchange(m_appPress->press, FlyoutPress());
            m_appPress->press.kind = FlyoutPress::Kind::Cancelled;
            prepared.release();
        }
        // Only buttons on the bar can be dragged.
        std::optional<TaskbarReorderSession> session = TaskbarReorderSession::create(app.id, split().visible);
        if (!session)
            return;
        m_actions.hide();
        for (AppButtonModel *button : std::as_const(m_buttons))
            button->setHovered(false, false);
        setReorder(std::move(session), Motion());
    }
    if (m_reorder->draggedID() != app.id)
        return;
    const qreal t = translation.x();
    if (std::abs(t - m_reorder->translation()) >= translationThreshold) {
        m_reorder->setTranslation(t);
        invalidate(Reorder);
    }
    TaskbarReorderSession moved_ = *m_reorder;
    if (moved_.moveToTarget(t))
        setReorder(std::move(moved_), Motion::easeInOut(140, Motion::Kind::Movement));
}

void BarViewModel::appDragEnded(const AppItem &app, const QPointF &translation)
{
    std::optional<FlyoutPress> press;
    bool movedAway = false;
    if (m_appPress && m_appPress->appID == app.id) {
        press = m_appPress->press;
        movedAway = m_appPress->movedAway;
    }
    m_appPress.reset();

    if (distance(translation) >= dragDistance || movedAway) {
        if (press && press->isPrepared())
            press->release();
        if (m_reorder && m_reorder->draggedID() == app.id) {
            m_reorder->commit(m_store);
            setReorder(std::nullopt, Motion::easeOut(120, Motion::Kind::Movement));
        }
        return;
    }

    // A click: a reorder that began and came back is dropped uncommitted.
    setReorder(std::nullopt, Motion());
    if (!press) {
        if (!m_actions.consumeDismissingClick())
            m_actions.handleTaskbarClick(app, m_displayID);
        return;
    }
    switch (press->kind) {
    case FlyoutPress::Kind::Plain:
    case FlyoutPress::Kind::Cancelled:
        m_actions.handleTaskbarClick(app, m_displayID);
        break;
    case FlyoutPress::Kind::Dismissal:
        break;
    case FlyoutPress::Kind::Prepared:
        if (press->presenter)
            press->presenter->setHoldingShow(false);
        if (isWindowPickerOpen(app.id)) {
            // The picker opened at mouse-down is shown now.
            if (press->presenter)
                press->presenter->show();
            WindowPicker &picker = m_store.windowPicker();
            if (picker.windowPickerAppID())
                picker.setPickerOpenAnimationEndsAt(m_store.environment().clock.monotonicMs()
                                                    + pickerOpenAnimationMs);
        } else {
            if (press->close)
                press->close();
            m_actions.handleTaskbarClick(app, m_displayID);
        }
        break;
    }
}

void BarViewModel::appPressCancelled()
{
    if (!m_appPress)
        return;
    const AppPress press = *std::exchange(m_appPress, std::nullopt);
    if (press.press.isPrepared())
        press.press.release();
    // A drag whose end never comes must not leave the bar in its working
    // order: the order it had stays.
    setReorder(std::nullopt, Motion::easeOut(120, Motion::Kind::Movement));
}

void BarViewModel::hoverAppButton(const QString &appID, bool entered)
{
    if (m_reorder)
        return;
    AppButtonModel *button = m_buttons.value(appID);
    if (!button)
        return;
    button->setHovered(entered);
    if (!entered) {
        m_actions.hide();
        return;
    }
    m_actions.scheduleTooltip(button->app().name);
    m_store.windowPreviewCache().prefetchWindowPreviews(button->app());
}

void BarViewModel::setReorder(std::optional<TaskbarReorderSession> session, const Motion &motion)
{
    if (!session && !m_reorder)
        return;
    m_reorder = std::move(session);
    setLayoutMotion(motion);
    invalidate(Reorder | Layout | Apps);
}

void BarViewModel::setLayoutMotion(const Motion &motion)
{
    m_nextMotion = motion;
}

void BarViewModel::syncButtons()
{
    const QList<AppItem> &apps = m_store.taskbarApps();
    QSet<QString> present;
    for (const AppItem &app : apps) {
        present.insert(app.id);
        const bool running = m_store.isAppRunning(app);
        if (AppButtonModel *button = m_buttons.value(app.id))
            button->setApp(app, running);
        else
            m_buttons.insert(app.id, new AppButtonModel(m_animator, app, running, this));
    }
    // A button being dragged stays until the drag ends.
    for (auto it = m_buttons.begin(); it != m_buttons.end();) {
        const bool dragged = m_reorder && m_reorder->draggedID() == it.key();
        if (present.contains(it.key()) || dragged) {
            ++it;
            continue;
        }
        it.value()->deleteLater();
        it = m_buttons.erase(it);
    }
}

void BarViewModel::refresh(Changes changes)
{
    if (changes & Apps)
        syncButtons();
    const QStringList ids = AppItem::ids(displayedTaskbarApps());
    const bool idsChanged = ids != m_displayedIDs;
    m_displayedIDs = ids;
    if (m_nextMotion)
        m_layoutMotion = *std::exchange(m_nextMotion, std::nullopt);
    else
        m_layoutMotion = idsChanged ? Motion::spring(0.32, 1.0) : Motion();

    if (m_isShown && (changes & (Apps | Layout))) {
        const QList<AppItem> overflow = split().overflow;
        m_overflow.setApps(overflow);
        if (overflow.isEmpty() && isOverflowOpen())
            m_store.flyouts().dismissFlyouts();
    }
}

} // namespace Velmora
