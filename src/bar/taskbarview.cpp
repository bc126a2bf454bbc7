#include "bar/taskbarview.h"

#include "bar/appcontextmenu.h"
#include "bar/apptaskbarbutton.h"
#include "bar/barmenus.h"
#include "bar/applicationpopoverservices.h"
#include "bar/instantpopover.h"
#include "bar/systemtrayview.h"
#include "bar/taskbaroverflowview.h"
#include "bar/barsymbols.h"
#include "bar/model/appbuttonmodel.h"
#include "bar/model/baractions.h"
#include "bar/taskbariconbutton.h"
#include "bar/visualeffectview.h"
#include "bar/windowpickercontent.h"
#include "store/taskbarstore.h"
#include "store/velmoraicon.h"

#include <QPaintEvent>
#include <QVBoxLayout>
#include <QPainter>
#include <QTimer>

#include <cmath>

namespace Velmora {

namespace {

constexpr qreal backgroundDim = 0.16;
constexpr qreal hairlineOpacity = 0.13;
// Buttons grow in from this scale and shrink away to this one as they fade.
constexpr qreal insertionScale = 0.88;
constexpr qreal removalScale = 0.94;

Motion presenceMotion()
{
    return Motion::easeOut(220, Motion::Kind::Fade);
}

} // namespace

TaskbarView::TaskbarView(TaskbarViewEnvironment environment, quint32 displayID, QWidget *parent)
    : QWidget(parent)
    , m_env(environment)
    , m_model(std::make_unique<BarViewModel>(environment.store, environment.actions, environment.animator,
                                             displayID))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    setCursor(Qt::ArrowCursor);

    BarViewModel &model = *m_model;
    m_start = new TaskbarIconButton(environment.animator, this);
    m_startModel = &m_start->model();
    m_startModel->setTitle(QStringLiteral("Start"));
    m_startModel->setPressHandlers([&model] { model.pressStartButton(); },
                                   [&model](bool inside) { model.releaseStartButton(inside); });
    m_startModel->setAction([&model] { model.toggleStartMenu(); });
    m_start->setLabel({ VelmoraIcon::icon(VelmoraIcon::Drawing::StartGlyph), QSizeF(28, 28) });

    m_search = new TaskbarIconButton(environment.animator, this);
    m_searchModel = &m_search->model();
    m_searchModel->setTitle(QStringLiteral("Search"));
    m_searchModel->setAction([&model] { model.search(); });
    m_search->setLabel({ BarSymbols::icon(QStringLiteral("magnifyingglass")), QSizeF(23, 23) });

    m_overflowButton = new TaskbarIconButton(environment.animator, this);
    m_overflowModel = &m_overflowButton->model();
    m_overflowModel->setTitle(QStringLiteral("Show more apps"));
    m_overflowModel->setPressHandlers([&model] { model.pressOverflowButton(); },
                                      [&model](bool inside) { model.releaseOverflowButton(inside); });
    m_overflowModel->setAction([&model] { model.toggleOverflow(); });
    m_overflowButton->setLabel({ BarSymbols::icon(QStringLiteral("ellipsis")), QSizeF(20, 20) });

    TaskbarStore &store = environment.store;
    BarActions &actions = environment.actions;
    auto *overflowList = new TaskbarOverflowView(store, model.overflow(), environment.animator, environment.icons,
                                                 [&model](const AppItem &app) { model.chooseOverflowApp(app); });
    m_overflowPopover = new InstantPopover(environment.popovers.services(), model.overflowPresenter(),
                                           m_overflowButton, overflowList);
    m_overflowPopover->setBinding({ [&model] { return model.isOverflowOpen(); },
                                    [&model, &store](bool presented) {
                                        if (!presented && model.isOverflowOpen())
                                            store.flyouts().dismissFlyouts();
                                    } });

    m_tray = new SystemTrayView(store.permissions(), this);
    connect(m_tray, &SystemTrayView::trayWidthChanged, this, [this](qreal width) { m_model->setTrayWidth(width); });
    m_model->setTrayWidth(m_tray->trayWidth());

    AppContextMenu::attach(
        this, [this, &store, &actions] { return BarMenus::build(AppMenuModel::barMenu(store, actions), this); },
        &actions);

    connect(m_model.get(), &ViewModel::changed, this, &TaskbarView::apply);
    apply(ViewModel::everything);
}

TaskbarView::~TaskbarView()
{
    // The pickers' popovers go before the buttons they hang from, and the
    // buttons before the view-model they report to.
    for (auto &[id, slot] : m_slots)
        delete slot.picker;
    delete m_overflowPopover;
    delete m_startMenuPopover;
    m_slots.clear();
    m_leaving.clear();
    qDeleteAll(findChildren<QWidget *>(Qt::FindDirectChildrenOnly));
}

QSize TaskbarView::sizeHint() const
{
    return { 1000, int(BarLayout::barHeight) };
}

AppTaskbarButton *TaskbarView::appButton(const QString &appID) const
{
    const auto found = m_slots.find(appID);
    return found == m_slots.end() ? nullptr : found->second.button.data();
}

QList<AppTaskbarButton *> TaskbarView::appButtons() const
{
    QList<AppTaskbarButton *> buttons;
    for (const AppItem &app : m_model->displayedTaskbarApps()) {
        if (AppTaskbarButton *button = appButton(app.id))
            buttons << button;
    }
    return buttons;
}

InstantPopover *TaskbarView::pickerPopover(const QString &appID) const
{
    const auto found = m_slots.find(appID);
    return found == m_slots.end() ? nullptr : found->second.picker.data();
}

void TaskbarView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_model->setBarWidth(width());
    m_model->shown();
}

void TaskbarView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_model->setBarWidth(width());
}

void TaskbarView::paintEvent(QPaintEvent *event)
{
    // Once the bar is on the screen, the Start menu is made in the next
    // turn of the event loop, so that its first opening is as quick as any.
    if (!m_startMenuPopover && !m_startMenuQueued && m_env.startMenu) {
        m_startMenuQueued = true;
        QTimer::singleShot(0, this, [this] { makeStartMenuPopover(); });
    }
    QPainter painter(this);
    const QRect area = event->rect();
    painter.fillRect(area, VisualEffectView::fill(VisualEffectView::Material::HudWindow));
    painter.fillRect(area, QColor::fromRgbF(0, 0, 0, float(backgroundDim)));
    const QRect hairline(0, 0, width(), int(BarLayout::hairlineHeight));
    if (area.intersects(hairline))
        painter.fillRect(hairline, QColor::fromRgbF(1, 1, 1, float(hairlineOpacity)));
}

void TaskbarView::apply(ViewModel::Changes changes)
{
    if (changes & (BarViewModel::Apps | BarViewModel::Layout | BarViewModel::Reorder)) {
        syncAppButtons();
        placeButtons();
    }
    if (changes & (BarViewModel::FlyoutState | BarViewModel::Apps))
        syncFlyoutLooks();
}

TaskbarView::AppSlot &TaskbarView::slotFor(const QString &appID)
{
    AppSlot &slot = m_slots[appID];
    if (slot.button)
        return slot;
    AppButtonModel *buttonModel = m_model->appButton(appID);
    auto *button = new AppTaskbarButton(*m_model, *buttonModel, m_env.icons, this);
    slot.button = button;
    slot.x = std::make_unique<AnimatedValue>(m_env.animator, button, 0, [button, this, appID] {
        const auto found = m_slots.find(appID);
        if (found != m_slots.end() && found->second.x)
            button->move(int(std::lround(found->second.x->value())), button->y());
    });
    // A button that joins a bar already on screen fades and grows in; with
    // reduced motion it only fades.
    const bool animatesIn = isVisible();
    slot.presence = std::make_unique<AnimatedValue>(m_env.animator, button, animatesIn ? 0 : 1, [button, this] {
        const auto found = std::find_if(m_slots.begin(), m_slots.end(),
                                        [button](const auto &entry) { return entry.second.button == button; });
        if (found != m_slots.end() && found->second.presence)
            button->setPresence(found->second.presence->value(),
                                m_env.animator.reducesMotion() ? 1 : insertionScale);
    });
    if (animatesIn) {
        button->setPresence(0, m_env.animator.reducesMotion() ? 1 : insertionScale);
        slot.presence->animateTo(1, presenceMotion());
    }

    TaskbarStore &store = m_env.store;
    BarActions &actions = m_env.actions;
    const quint32 displayID = m_model->displayID();
    AppContextMenu::attach(
        button,
        [button, &store, &actions, displayID] {
            AppButtonModel *model = button->model();
            return model ? BarMenus::appMenu(store, actions, model->app(), displayID, button) : nullptr;
        },
        &actions);
    return slot;
}

void TaskbarView::syncAppButtons()
{
    const QList<AppItem> apps = m_model->displayedTaskbarApps();
    QSet<QString> shown;
    for (const AppItem &app : apps) {
        shown.insert(app.id);
        if (m_model->appButton(app.id))
            slotFor(app.id);
    }
    for (auto it = m_slots.begin(); it != m_slots.end();) {
        const bool keep = shown.contains(it->first) && m_model->appButton(it->first);
        if (keep) {
            ++it;
            continue;
        }
        AppSlot leaving = std::move(it->second);
        it = m_slots.erase(it);
        removeSlot(std::move(leaving));
    }
}

void TaskbarView::removeSlot(AppSlot slot)
{
    delete slot.picker;
    slot.x.reset(); // stays where it is
    QPointer<AppTaskbarButton> button = slot.button;
    if (!button)
        return;
    if (!isVisible() || !slot.presence) {
        button->deleteLater();
        return;
    }
    // The button keeps its place and fades and shrinks away, then goes.
    button->setAttribute(Qt::WA_TransparentForMouseEvents);
    AnimatedValue *presence = slot.presence.get();
    m_leaving.push_back(std::move(slot));
    auto finish = [this, button] {
        const auto found = std::find_if(m_leaving.begin(), m_leaving.end(),
                                        [button](const AppSlot &entry) { return entry.button == button; });
        if (found != m_leaving.end())
            m_leaving.erase(found);
        if (button)
            button->deleteLater();
    };
    presence->setValue(presence->value());
    const qreal hiddenScale = m_env.animator.reducesMotion() ? 1 : removalScale;
    m_env.animator.start(
        presenceMotion(), button,
        [button, hiddenScale, start = presence->value()](qreal progress) {
            if (button)
                button->setPresence(start * (1 - progress), hiddenScale);
        },
        finish);
}

void TaskbarView::placeButtons()
{
    const BarLayout layout = m_model->layout();
    auto place = [](QWidget *button, const std::optional<QRectF> &rect) {
        button->setVisible(rect.has_value());
        if (rect)
            button->move(rect->topLeft().toPoint());
    };
    place(m_start, layout.startRect());
    place(m_search, layout.searchRect());
    place(m_overflowButton, layout.overflowRect());
    m_tray->setGeometry(layout.trayRect().toRect());

    const Motion motion = m_model->layoutMotion();
    const std::optional<TaskbarReorderSession> &reorder = m_model->reorder();
    const QHash<QString, QRectF> rects = m_model->appButtonRects();
    for (auto &[id, slot] : m_slots) {
        const auto rect = rects.constFind(id);
        if (!slot.button || rect == rects.cend())
            continue;
        const bool fresh = !slot.button->isVisible() && !slot.button->testAttribute(Qt::WA_WState_ExplicitShowHide);
        slot.button->move(slot.button->x(), int(rect->top()));
        const bool dragged = reorder && reorder->draggedID() == id;
        // The dragged button stays under the pointer; the others glide to
        // their slots. A new button simply appears in its place.
        if (fresh || dragged)
            slot.x->setValue(rect->left());
        else
            slot.x->animateTo(rect->left(), motion);
        if (dragged)
            slot.button->raise();
        slot.button->show();
    }
}

void TaskbarView::syncFlyoutLooks()
{
    m_startModel->setActive(m_model->isStartMenuOpen());
    m_overflowModel->setActive(m_model->isOverflowOpen());
    m_overflowPopover->update();
    if (m_model->isStartMenuOpen())
        makeStartMenuPopover();
    if (m_startMenuPopover)
        m_startMenuPopover->update();
    for (auto &[id, slot] : m_slots)
        syncPicker(id, slot);
}

// The Start menu is made once the bar has been drawn, or when it opens
// before that, not with the bar: it is the heaviest view the bar owns (its
// lists, their icons and the first text laid out) and the bar shows without
// it. It is kept from then on.
void TaskbarView::makeStartMenuPopover()
{
    if (m_startMenuPopover || !m_env.startMenu)
        return;
    BarViewModel &model = *m_model;
    TaskbarStore &store = m_env.store;
    // The menu opens centred above the Start button and closes as every
    // flyout does: a click elsewhere, Escape, another flyout, or the click on
    // Start that dismisses it.
    m_startMenuPopover = new InstantPopover(m_env.popovers.services(), model.startMenuPresenter(), m_start,
                                            m_env.startMenu(model.displayID()));
    m_startMenuPopover->setBinding({ [&model] { return model.isStartMenuOpen(); },
                                     [&model, &store](bool presented) {
                                         if (!presented && model.isStartMenuOpen())
                                             store.flyouts().dismissFlyouts();
                                     } });
}

// An app's picker popover is made the first time its picker opens; its
// content is made afresh for each opening, so a picker always starts from
// the store's state of the moment.
void TaskbarView::syncPicker(const QString &appID, AppSlot &slot)
{
    const bool open = m_model->isWindowPickerOpen(appID);
    if (!open && !slot.picker)
        return;
    if (!slot.button)
        return;
    if (!slot.picker) {
        auto *container = new QWidget;
        auto *layout = new QVBoxLayout(container);
        layout->setContentsMargins(0, 0, 0, 0);
        TaskbarStore &store = m_env.store;
        InstantPopover::Options options;
        options.preferredEdge = Qt::TopEdge;
        options.shouldClose = [&store] { return !store.windowPicker().isKeepingWindowPickerOpen(); };
        options.animatesResize = true;
        slot.picker = new InstantPopover(m_env.popovers.services(), m_model->pickerPresenter(appID), slot.button,
                                         container, options);
        BarViewModel &bar = *m_model;
        slot.picker->setBinding({ [&bar, appID] { return bar.isWindowPickerOpen(appID); },
                                  [&bar, &store, appID](bool presented) {
                                      if (!presented && bar.isWindowPickerOpen(appID))
                                          store.windowPicker().dismissWindowPicker();
                                  } });
    }
    const bool opening = open && !std::exchange(slot.pickerOpen, open);
    slot.pickerOpen = open;
    if (opening && slot.button->model()) {
        delete slot.pickerContent;
        QWidget *container = slot.picker->content();
        slot.pickerContent = WindowPickerContent::create(m_env.pickerContent,
            { m_env.store, m_env.actions, slot.button->model()->app(), m_model->displayID(),
              WindowPickerContent::cardHeight },
            container);
        if (slot.pickerContent)
            container->layout()->addWidget(slot.pickerContent);
    }
    slot.picker->update();
}

} // namespace Velmora
