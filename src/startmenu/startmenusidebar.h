#pragma once

#include "bar/model/motion.h"
#include "store/appitem.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>

namespace Velmora {

class AnimatedValue;
class Animator;
class FavouriteButton;
class FileIcons;
class PinnedAppButton;
class StartAppRow;
class StartMenuViewModel;

// The right-hand column of the Start menu, from top to bottom: "Pinned Apps"
// as a grid of four columns of icon tiles (or a hint while nothing is
// pinned), "Recent Apps" only when there are any, and the user's favourite
// folders "From Finder" in two columns (or a hint). Tiles, rows and folders
// are kept per id and moved, not rebuilt; tiles glide to a new order.
// It sits in a scroll area and sizes itself to the width it is given.
class StartMenuSidebar : public QWidget
{
    Q_OBJECT
public:
    static constexpr qreal padding = 22;
    static constexpr qreal sectionSpacing = 26;
    static constexpr qreal pinnedSpacing = 16;
    static constexpr qreal listSpacing = 10;
    static constexpr qreal recentRowSpacing = 2;
    static constexpr qreal captionSpacing = 2;
    static constexpr qreal hintPadding = 8;
    static constexpr qreal favouriteColumnSpacing = 12;
    static constexpr qreal favouriteRowSpacing = 4;

    StartMenuSidebar(StartMenuViewModel &model, Animator &animator, FileIcons &icons, QWidget *parent = nullptr);
    ~StartMenuSidebar() override;

    // Lays out for `width` and takes the height that needs.
    void setAvailableWidth(int width);
    // Brings what the model changed on screen: `changes` are the model's.
    void apply(quint32 changes);

    PinnedAppButton *tile(const QString &appID) const;
    // The tiles in grid order.
    QList<PinnedAppButton *> tiles() const;
    QList<StartAppRow *> recentRows() const;
    QList<FavouriteButton *> favouriteButtons() const;
    // The section headings and hints drawn now, top to bottom.
    QStringList texts() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Tile
    {
        QPointer<PinnedAppButton> button;
        std::unique_ptr<AnimatedValue> x;
        std::unique_ptr<AnimatedValue> y;
    };
    struct Text
    {
        QRectF rect;
        QString text;
        QFont font;
        QColor colour;
        int flags = 0;
    };

    void syncTiles();
    void syncRecents();
    void syncFavourites();
    void layOut(const std::optional<Motion> &tileMotion);
    qreal addHeading(qreal y, const QString &title);
    qreal addHint(qreal y, const QString &hint);

    StartMenuViewModel &m_model;
    Animator &m_animator;
    FileIcons &m_icons;
    int m_width = 0;
    QList<AppItem> m_pins;
    std::map<QString, Tile> m_tiles;
    QList<StartAppRow *> m_recentRows;
    QList<FavouriteButton *> m_favourites;
    QList<Text> m_texts;
};

} // namespace Velmora
