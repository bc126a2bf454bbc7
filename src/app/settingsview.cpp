#include "app/settingsview.h"

#include "app/appupdater.h"
#include "app/launchatlogin.h"
#include "app/model/englishspelling.h"
#include "app/model/settingspage.h"
#include "app/model/settingsrefresh.h"
#include "app/model/settingstexts.h"
#include "app/model/velmorapalette.h"
#include "app/permissionrow.h"
#include "app/segmentedpicker.h"
#include "app/settingscard.h"
#include "app/settingsrowlabels.h"
#include "app/settingsswitch.h"
#include "app/settingswindowmarker.h"
#include "store/taskbarstore.h"
#include "store/velmoraicon.h"
#include "taskmanager/model/taskmanagerpalette.h"
#include "taskmanager/taskmanagerbutton.h"
#include "taskmanager/taskmanagerstyle.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>

namespace Velmora {

namespace {

constexpr int maximumColumnWidth = 600;
constexpr int columnPadding = 24;
constexpr int headerIconSize = 52;

// A switch that shows one of the store's Boolean settings and writes it.
SettingsSwitch *boundSwitch(TaskbarStore &store, bool (TaskbarStore::*read)() const, void (TaskbarStore::*write)(bool),
    void (TaskbarStore::*changed)())
{
    auto *control = new SettingsSwitch;
    control->setChecked((store.*read)());
    QObject::connect(&store, changed, control, [control, &store, read] { control->setChecked((store.*read)()); });
    QObject::connect(control, &QAbstractButton::clicked, &store, [&store, write](bool on) { (store.*write)(on); });
    return control;
}

} // namespace

SettingsView::SettingsView(Environment environment, QWidget *parent)
    : QWidget(parent)
    , m_env(std::move(environment))
{
    TaskManagerStyle::applyDarkPalette(this);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, VelmoraPalette::window());
    setPalette(palette);
    setAutoFillBackground(true);
    setFont(TaskManagerStyle::font(13));
    setMinimumSize(SettingsWindowMarker::minimumContentWidth, SettingsWindowMarker::minimumContentHeight);

    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);

    // The scrolling column: at most 600 points wide, centred, padded by 24.
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->viewport()->setAutoFillBackground(false);
    // A thin scroller that stays out of the dark page's way.
    m_scroll->verticalScrollBar()->setStyleSheet(QStringLiteral(
        "QScrollBar:vertical { background: transparent; width: 10px; margin: 2px; }"
        "QScrollBar::handle:vertical { background: rgba(255, 255, 255, 60); border-radius: 3px; min-height: 30px; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: transparent; }"));
    m_content = new QWidget;
    m_content->setAutoFillBackground(false);
    auto *centring = new QHBoxLayout(m_content);
    centring->setContentsMargins(columnPadding, columnPadding, columnPadding, columnPadding);
    centring->setSpacing(0);
    auto *column = new QWidget(m_content);
    column->setMaximumWidth(maximumColumnWidth);
    m_column = new QVBoxLayout(column);
    m_column->setContentsMargins(0, 0, 0, 0);
    m_column->setSpacing(20);
    centring->addStretch(0);
    centring->addWidget(column, 1);
    centring->addStretch(0);
    m_scroll->setWidget(m_content);
    page->addWidget(m_scroll, 1);

    m_column->addWidget(header());
    addGeneralSection();
    addTaskbarSection();
    addWindowsSection();
    addPermissionsSection();
    addUpdatesSection();
    m_column->addStretch(1);

    // The footer stays put below the column however far it is scrolled.
    m_footer = new QWidget(this);
    auto *footer = new QHBoxLayout(m_footer);
    footer->setContentsMargins(28, 14, 28, 14);
    footer->addStretch(1);
    m_quit = new TaskManagerButton(SettingsTexts::quit, TaskManagerButton::Kind::Standard, m_footer);
    footer->addWidget(m_quit, 0, Qt::AlignVCenter);
    page->addWidget(m_footer);
    connect(m_quit, &QPushButton::clicked, this, [this] {
        if (m_env.quit)
            m_env.quit();
    });

    m_marker = new SettingsWindowMarker(m_env.store, this);
    m_refresh = new SettingsRefresh(m_env.store, m_env.scheduler, [this] { refreshNow(); }, this);

    Permissions &permissions = m_env.store.permissions();
    connect(&permissions, &Permissions::isAccessibilityTrustedChanged, this, &SettingsView::updatePermissionRows);
    connect(&permissions, &Permissions::hasScreenCapturePermissionChanged, this, &SettingsView::updatePermissionRows);
    updatePermissionRows();

    m_content->installEventFilter(this);
    m_footer->installEventFilter(this);
}

SettingsView::~SettingsView() = default;

QWidget *SettingsView::header()
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(14);
    auto *icon = new QLabel(row);
    const qreal ratio = devicePixelRatioF();
    QPixmap tile = QPixmap::fromImage(VelmoraIcon::tileImage(headerIconSize, ratio));
    tile.setDevicePixelRatio(ratio);
    icon->setPixmap(tile);
    icon->setFixedSize(headerIconSize, headerIconSize);
    // The name beside it says what it is.
    icon->setAccessibleName(QString());
    layout->addWidget(icon, 0, Qt::AlignVCenter);
    layout->addWidget(TaskManagerStyle::label(SettingsTexts::productName, TaskManagerStyle::font(21, QFont::DemiBold),
                          TaskManagerPalette::primary(), row),
        0, Qt::AlignVCenter);
    layout->addStretch(1);
    return row;
}

SettingsCard *SettingsView::section(const QString &title)
{
    auto *section = new QWidget;
    auto *layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    QLabel *label = TaskManagerStyle::label(title, TaskManagerStyle::font(13, QFont::DemiBold), TaskManagerPalette::primary(), section);
    label->setContentsMargins(2, 0, 0, 0);
    layout->addWidget(label);
    m_sectionTitles.append(label);
    auto *card = new SettingsCard(section);
    layout->addWidget(card);
    m_column->addWidget(section);
    return card;
}

QWidget *SettingsView::settingRow(const QString &title, const QString &subtitle, QWidget *control, QLabel **subtitleLabel)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(20);
    layout->addLayout(SettingsRowLabels::column(title, subtitle, row, subtitleLabel), 1);
    control->setParent(row);
    // The row's title names the control for assistive technologies.
    control->setAccessibleName(title);
    layout->addWidget(control, 0, Qt::AlignVCenter);
    return row;
}

void SettingsView::addGeneralSection()
{
    LaunchAtLogin *login = m_env.launchAtLogin;
    if (!login)
        return;
    SettingsCard *card = section(SettingsTexts::general);
    m_openAtLogin = new SettingsSwitch;
    card->addRow(settingRow(SettingsTexts::openAtLogin, QString(), m_openAtLogin, &m_loginSubtitle));
    // "Open Login Items…" belongs to the row: shown under it while the item awaits approval.
    m_openLoginItems = new TaskManagerButton(SettingsTexts::openLoginItems, TaskManagerButton::Kind::Standard);
    auto *trailing = new QWidget;
    auto *layout = new QHBoxLayout(trailing);
    layout->setContentsMargins(14, 0, 14, 14);
    layout->addWidget(m_openLoginItems);
    layout->addStretch(1);
    card->addTrailing(trailing);
    const auto show = [this, login, trailing] {
        m_openAtLogin->setChecked(SettingsPage::launchAtLoginSwitchOn(login->isEnabled(), login->needsApproval()));
        m_loginSubtitle->setText(SettingsPage::launchAtLoginSubtitle(login->lastError(), login->needsApproval()));
        trailing->setVisible(login->needsApproval());
    };
    show();
    connect(login, &LaunchAtLogin::isEnabledChanged, this, show);
    connect(login, &LaunchAtLogin::needsApprovalChanged, this, show);
    connect(login, &LaunchAtLogin::lastErrorChanged, this, show);
    connect(m_openAtLogin, &QAbstractButton::clicked, login, [login, show](bool on) {
        login->setEnabled(on);
        // The switch shows what the system holds, also when nothing changed.
        show();
    });
    connect(m_openLoginItems, &QPushButton::clicked, this, [this] {
        if (m_env.openLoginItems)
            m_env.openLoginItems();
    });
}

void SettingsView::addUpdatesSection()
{
    AppUpdater *updater = m_env.updater;
    if (!updater || !updater->canCheckForUpdates())
        return;
    SettingsCard *card = section(SettingsTexts::updates);
    m_automaticChecks = new SettingsSwitch;
    m_automaticChecks->setChecked(updater->automaticallyChecks());
    connect(updater, &AppUpdater::automaticallyChecksChanged, m_automaticChecks,
        [this, updater] { m_automaticChecks->setChecked(updater->automaticallyChecks()); });
    connect(m_automaticChecks, &QAbstractButton::clicked, updater, &AppUpdater::setAutomaticallyChecks);
    card->addRow(settingRow(SettingsTexts::checkAutomatically, SettingsTexts::checkAutomaticallySubtitle, m_automaticChecks));
    m_checkNow = new TaskManagerButton(SettingsTexts::checkNow, TaskManagerButton::Kind::Standard);
    connect(m_checkNow, &QPushButton::clicked, updater, &AppUpdater::checkForUpdates);
    card->addRow(settingRow(SettingsTexts::version, SettingsTexts::versionPrefix + updater->versionDescription(), m_checkNow));
}

void SettingsView::addTaskbarSection()
{
    TaskbarStore &store = m_env.store;
    const EnglishSpelling::Variant spelling = m_env.spelling;
    SettingsCard *card = section(SettingsTexts::taskbar);

    QStringList alignments;
    for (TaskbarButtonAlignment alignment : allTaskbarButtonAlignments())
        alignments.append(SettingsTexts::alignmentTitle(alignment, spelling));
    m_alignment = new SegmentedPicker(alignments);
    m_alignment->setFixedWidth(216);
    const auto showAlignment = [this, &store] {
        m_alignment->setCurrentIndex(int(allTaskbarButtonAlignments().indexOf(store.buttonAlignment())));
    };
    showAlignment();
    connect(&store, &TaskbarStore::buttonAlignmentChanged, m_alignment, showAlignment);
    connect(m_alignment, &SegmentedPicker::activated, &store, [&store](int index) {
        store.setButtonAlignment(allTaskbarButtonAlignments().value(index, TaskbarButtonAlignment::Center));
    });
    card->addRow(settingRow(SettingsTexts::buttonAlignment, SettingsTexts::buttonAlignmentSubtitle, m_alignment));

    m_startButton = boundSwitch(store, &TaskbarStore::showStartButton, &TaskbarStore::setShowStartButton,
        &TaskbarStore::showStartButtonChanged);
    card->addRow(settingRow(SettingsTexts::startButton, SettingsTexts::startButtonSubtitle(spelling), m_startButton));

    m_searchButton
        = boundSwitch(store, &TaskbarStore::showSearch, &TaskbarStore::setShowSearch, &TaskbarStore::showSearchChanged);
    card->addRow(settingRow(SettingsTexts::searchButton, SettingsTexts::searchButtonSubtitle, m_searchButton));
}

void SettingsView::addWindowsSection()
{
    TaskbarStore &store = m_env.store;
    SettingsCard *card = section(SettingsTexts::windows);

    m_previewOrder = new QComboBox;
    for (WindowPreviewSortOrder order : allWindowPreviewSortOrders())
        m_previewOrder->addItem(SettingsTexts::sortOrderTitle(order));
    m_previewOrder->setFixedWidth(164);
    // A pop-up button drawn for the dark window, like the page's other buttons.
    m_previewOrder->setStyleSheet(QStringLiteral(
        "QComboBox { background: rgba(255, 255, 255, 28); color: rgba(255, 255, 255, 225); border: none;"
        " border-radius: 6px; padding: 4px 10px; }"
        "QComboBox:hover { background: rgba(255, 255, 255, 40); }"
        "QComboBox QAbstractItemView { background: rgb(40, 42, 50); color: rgba(255, 255, 255, 225);"
        " selection-background-color: rgb(82, 168, 255); border: 1px solid rgba(255, 255, 255, 30); }"));
    const auto showOrder = [this, &store] {
        m_previewOrder->setCurrentIndex(int(allWindowPreviewSortOrders().indexOf(store.windowPreviewSortOrder())));
    };
    showOrder();
    connect(&store, &TaskbarStore::windowPreviewSortOrderChanged, m_previewOrder, showOrder);
    connect(m_previewOrder, &QComboBox::activated, &store, [&store](int index) {
        store.setWindowPreviewSortOrder(allWindowPreviewSortOrders().value(index, WindowPreviewSortOrder::Fixed));
    });
    card->addRow(settingRow(SettingsTexts::previewOrder, SettingsTexts::previewOrderSubtitle, m_previewOrder));
    m_keepWindowOrder = boundSwitch(store, &TaskbarStore::keepWindowOrder, &TaskbarStore::setKeepWindowOrder,
        &TaskbarStore::keepWindowOrderChanged);
    card->addRow(settingRow(SettingsTexts::keepWindowOrder,
        SettingsTexts::keepWindowOrderSubtitle(m_env.spelling), m_keepWindowOrder));
}

void SettingsView::addPermissionsSection()
{
    SettingsCard *card = section(SettingsTexts::permissions);
    for (AppPermission permission : AppPermissions::allCases()) {
        auto *row = new PermissionRow(permission);
        connect(row, &PermissionRow::allowClicked, this, &SettingsView::askForPermission);
        connect(row, &PermissionRow::restartClicked, this, [this] {
            if (m_env.restart)
                m_env.restart();
            else
                m_env.store.ownWindows().relaunchApp();
        });
        card->addRow(row);
        m_permissionRows.emplace(permission, row);
    }
}

PermissionRow *SettingsView::permissionRow(AppPermission permission) const
{
    const auto it = m_permissionRows.find(permission);
    return it == m_permissionRows.end() ? nullptr : it->second;
}

QStringList SettingsView::sectionTitles() const
{
    QStringList titles;
    for (const QLabel *label : m_sectionTitles) {
        if (!label->parentWidget()->isHidden())
            titles.append(label->text());
    }
    return titles;
}

void SettingsView::askForPermission(AppPermission permission)
{
    // The restart offer shows at once, whatever the request leads to.
    m_requestedPermissions.insert(permission);
    updatePermissionRows();
    m_env.store.permissions().askForPermission(permission);
}

void SettingsView::updatePermissionRows()
{
    const Permissions &permissions = m_env.store.permissions();
    for (const auto &[permission, row] : m_permissionRows) {
        const bool granted = permission == AppPermission::accessibility ? permissions.isAccessibilityTrusted()
                                                                         : permissions.hasScreenCapturePermission();
        row->setState(SettingsPage::permissionRowState(granted, m_requestedPermissions.contains(permission)));
    }
}

void SettingsView::refreshNow()
{
    m_env.store.permissions().refreshPermissions();
    if (m_env.launchAtLogin)
        m_env.launchAtLogin->refresh();
}

void SettingsView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    // Shown: the window is open, and what it shows is read afresh.
    m_env.store.setSettingsWindowOpen(true);
    refreshNow();
    measure();
}

bool SettingsView::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_content || watched == m_footer)
        && (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest))
        measure();
    return QWidget::eventFilter(watched, event);
}

double SettingsView::contentHeight() const
{
    const int width = m_scroll->viewport()->width();
    const int column = m_content->hasHeightForWidth() && width > 0 ? m_content->heightForWidth(width)
                                                                    : m_content->sizeHint().height();
    return column + m_footer->sizeHint().height();
}

void SettingsView::measure()
{
    if (!isVisible())
        return;
    const double height = contentHeight();
    if (height == m_reportedHeight)
        return;
    m_reportedHeight = height;
    SettingsPage::reportContentHeight(m_env.store, height);
}

} // namespace Velmora
