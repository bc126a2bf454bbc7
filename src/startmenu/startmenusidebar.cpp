#include "startmenu/startmenusidebar.h"

#include "bar/model/animator.h"
#include "startmenu/favouritebutton.h"
#include "startmenu/model/startmenulayout.h"
#include "startmenu/model/startmenutexts.h"
#include "startmenu/model/startmenuviewmodel.h"
#include "startmenu/pinnedappbutton.h"
#include "startmenu/startapprow.h"
#include "startmenu/startmenustyle.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace Velmora {

namespace {

QFont headingFont()
{
    return StartMenuStyle::font(19, QFont::Bold);
}

QFont hintFont()
{
    return StartMenuStyle::font(12);
}

QFont captionFont()
{
    return StartMenuStyle::font(11);
}

// A new set of pins settles with a spring.
Motion pinsMotion()
{
    return Motion::spring(0.3, 1.0);
}

} // namespace

StartMenuSidebar::StartMenuSidebar(StartMenuViewModel &model, Animator &animator, FileIcons &icons, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_animator(animator)
    , m_icons(icons)
{
    syncTiles();
    syncRecents();
    syncFavourites();
}

StartMenuSidebar::~StartMenuSidebar()
{
    // The tiles' animated positions go before the tiles they move.
    for (auto &[id, tile] : m_tiles) {
        tile.x.reset();
        tile.y.reset();
    }
}

void StartMenuSidebar::setAvailableWidth(int width)
{
    if (width == m_width)
        return;
    m_width = width;
    layOut(std::nullopt);
}

void StartMenuSidebar::apply(quint32 changes)
{
    if (changes & StartMenuViewModel::Pins)
        syncTiles();
    if (changes & StartMenuViewModel::Recents)
        syncRecents();
    if (changes & StartMenuViewModel::Favourites)
        syncFavourites();
    if (!(changes & (StartMenuViewModel::Pins | StartMenuViewModel::Drag | StartMenuViewModel::Recents
                     | StartMenuViewModel::Favourites)))
        return;
    std::optional<Motion> motion;
    if (changes & StartMenuViewModel::Drag)
        motion = m_model.dragMotion();
    else if (changes & StartMenuViewModel::Pins)
        motion = pinsMotion();
    layOut(motion);
}

PinnedAppButton *StartMenuSidebar::tile(const QString &appID) const
{
    const auto found = m_tiles.find(appID);
    return found == m_tiles.end() ? nullptr : found->second.button.data();
}

QList<PinnedAppButton *> StartMenuSidebar::tiles() const
{
    QList<PinnedAppButton *> tiles;
    for (const AppItem &app : m_pins) {
        if (PinnedAppButton *button = tile(app.id))
            tiles << button;
    }
    return tiles;
}

QList<StartAppRow *> StartMenuSidebar::recentRows() const
{
    return m_recentRows;
}

QList<FavouriteButton *> StartMenuSidebar::favouriteButtons() const
{
    return m_favourites;
}

QStringList StartMenuSidebar::texts() const
{
    QStringList texts;
    for (const Text &text : m_texts)
        texts << text.text;
    return texts;
}

void StartMenuSidebar::syncTiles()
{
    m_pins = m_model.pinnedApps();
    std::map<QString, Tile> kept;
    for (const AppItem &app : std::as_const(m_pins)) {
        auto found = m_tiles.find(app.id);
        if (found != m_tiles.end() && found->second.button) {
            found->second.button->setApp(app);
            kept.emplace(app.id, std::move(found->second));
            m_tiles.erase(found);
            continue;
        }
        Tile tile;
        tile.button = new PinnedAppButton(m_model, m_icons, app, this);
        PinnedAppButton *button = tile.button;
        auto place = [this, button, id = app.id] {
            const auto entry = m_tiles.find(id);
            if (entry != m_tiles.end() && entry->second.x && entry->second.y)
                button->move(int(std::lround(entry->second.x->value())), int(std::lround(entry->second.y->value())));
        };
        tile.x = std::make_unique<AnimatedValue>(m_animator, button, 0, place);
        tile.y = std::make_unique<AnimatedValue>(m_animator, button, 0, place);
        button->hide();
        kept.emplace(app.id, std::move(tile));
    }
    for (auto &[id, tile] : m_tiles) {
        tile.x.reset();
        tile.y.reset();
        delete tile.button;
    }
    m_tiles = std::move(kept);
    for (auto &[id, tile] : m_tiles)
        tile.button->setDragging(m_model.drag().isDragging(id));
}

void StartMenuSidebar::syncRecents()
{
    const QList<AppItem> recents = m_model.recentApps();
    QList<StartAppRow *> rows;
    QHash<QString, StartAppRow *> old;
    for (StartAppRow *row : std::as_const(m_recentRows))
        old.insert(row->app().id, row);
    for (const AppItem &app : recents) {
        StartAppRow *row = old.take(app.id);
        if (row)
            row->setApp(app);
        else
            row = new StartAppRow(m_model, m_icons, app, StartAppRow::recentIconSize, this);
        rows << row;
    }
    qDeleteAll(old);
    m_recentRows = rows;
}

void StartMenuSidebar::syncFavourites()
{
    const QList<FinderFavorite> favourites = m_model.favourites();
    QList<FavouriteButton *> buttons;
    QHash<QString, FavouriteButton *> old;
    for (FavouriteButton *button : std::as_const(m_favourites))
        old.insert(button->favourite().id, button);
    for (const FinderFavorite &favourite : favourites) {
        FavouriteButton *button = old.take(favourite.id);
        if (button)
            button->setFavourite(favourite);
        else
            button = new FavouriteButton(m_model, m_icons, favourite, this);
        buttons << button;
    }
    qDeleteAll(old);
    m_favourites = buttons;
}

qreal StartMenuSidebar::addHeading(qreal y, const QString &title)
{
    const QFont font = headingFont();
    const qreal height = std::ceil(QFontMetricsF(font).height());
    m_texts.append({QRectF(padding, y, m_width - 2 * padding, height), title, font, StartMenuStyle::primaryText(),
                    Qt::AlignHCenter | Qt::AlignVCenter});
    return y + height;
}

qreal StartMenuSidebar::addHint(qreal y, const QString &hint)
{
    const QFont font = hintFont();
    const qreal width = m_width - 2 * padding;
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    const QRectF bounds = QFontMetricsF(font).boundingRect(QRectF(0, 0, width, 1e6), flags, hint);
    m_texts.append({QRectF(padding, y + hintPadding, width, std::ceil(bounds.height())), hint, font,
                    StartMenuStyle::secondaryText(), flags});
    return y + hintPadding + std::ceil(bounds.height()) + hintPadding;
}

void StartMenuSidebar::layOut(const std::optional<Motion> &tileMotion)
{
    if (m_width <= 0)
        return;
    m_texts.clear();
    const qreal contentWidth = m_width - 2 * padding;
    qreal y = padding;

    // Pinned Apps.
    y = addHeading(y, StartMenuTexts::pinnedTitle()) + pinnedSpacing;
    if (m_pins.isEmpty()) {
        y = addHint(y, StartMenuTexts::pinnedHint());
    } else {
        m_model.setPinnedGridWidth(contentWidth);
        m_model.setPinnedCellHeight(StartMenuLayout::pinnedTileSide(contentWidth));
        for (qsizetype i = 0; i < m_pins.size(); ++i) {
            const QString &id = m_pins.at(i).id;
            Tile &tile = m_tiles[id];
            if (!tile.button)
                continue;
            const QRectF cell = StartMenuLayout::pinnedTileRect(i, contentWidth).translated(padding, y);
            const QSizeF offset = m_model.drag().offset(id);
            const QRectF frame = cell.adjusted(-PinnedAppButton::margin, -PinnedAppButton::margin,
                                               PinnedAppButton::margin, PinnedAppButton::margin)
                                     .translated(offset.width(), offset.height());
            tile.button->resize(frame.size().toSize());
            const bool fresh = tile.button->isHidden();
            // The dragged tile stays under the pointer; the others glide.
            if (fresh || !tileMotion || m_model.drag().isDragging(id)) {
                tile.x->setValue(frame.x());
                tile.y->setValue(frame.y());
            } else {
                tile.x->animateTo(frame.x(), *tileMotion);
                tile.y->animateTo(frame.y(), *tileMotion);
            }
            tile.button->setDragging(m_model.drag().isDragging(id));
            tile.button->show();
        }
        y += StartMenuLayout::pinnedGridHeight(m_pins.size(), contentWidth);
    }

    // Recent Apps, only when there are any.
    if (!m_recentRows.isEmpty()) {
        y = addHeading(y + sectionSpacing, StartMenuTexts::recentTitle()) + listSpacing;
        const qreal rowHeight = StartAppRow::height(StartAppRow::recentIconSize);
        for (qsizetype i = 0; i < m_recentRows.size(); ++i) {
            if (i > 0)
                y += recentRowSpacing;
            m_recentRows.at(i)->setGeometry(QRectF(padding, y, contentWidth, rowHeight).toRect());
            m_recentRows.at(i)->show();
            y += rowHeight;
        }
    }

    // Favourites.
    y = addHeading(y + sectionSpacing, StartMenuTexts::favouritesTitle(m_model.spelling())) + captionSpacing;
    const QFont caption = captionFont();
    const qreal captionHeight = std::ceil(QFontMetricsF(caption).height());
    m_texts.append({QRectF(padding, y, contentWidth, captionHeight), StartMenuTexts::favouritesCaption(), caption,
                    StartMenuStyle::secondaryText(), Qt::AlignHCenter | Qt::AlignVCenter});
    y += captionHeight + listSpacing;
    if (m_favourites.isEmpty()) {
        y = addHint(y, StartMenuTexts::favouritesHint(m_model.spelling()));
    } else {
        const qreal columnWidth = (contentWidth - favouriteColumnSpacing) / 2;
        const qreal rowHeight = FavouriteButton::rowHeight();
        for (qsizetype i = 0; i < m_favourites.size(); ++i) {
            const qsizetype row = i / 2;
            const qsizetype column = i % 2;
            const QRectF rect(padding + column * (columnWidth + favouriteColumnSpacing),
                              y + row * (rowHeight + favouriteRowSpacing), columnWidth, rowHeight);
            m_favourites.at(i)->setGeometry(rect.toRect());
            m_favourites.at(i)->show();
        }
        const qsizetype rows = (m_favourites.size() + 1) / 2;
        y += rows * rowHeight + (rows - 1) * favouriteRowSpacing;
    }
    y += padding;
    resize(m_width, int(std::ceil(y)));
    update();
}

void StartMenuSidebar::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const Text &text : std::as_const(m_texts)) {
        if (!text.rect.intersects(event->rect()))
            continue;
        painter.setFont(text.font);
        painter.setPen(text.colour);
        painter.drawText(text.rect, text.flags, text.text);
    }
}

} // namespace Velmora
