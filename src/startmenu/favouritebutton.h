#pragma once

#include "store/finderfavorite.h"

#include <QIcon>
#include <QWidget>

namespace Velmora {

class FileIcons;
class StartMenuViewModel;

// One favourite folder of the Start menu's sidebar: its icon and its name on
// one line, cut at the end when long. A click closes every flyout, then
// opens the folder.
class FavouriteButton : public QWidget
{
    Q_OBJECT
public:
    static constexpr qreal iconSide = 26;
    static constexpr qreal padding = 6;
    static constexpr qreal spacing = 8;
    static constexpr qreal cornerRadius = 8;

    FavouriteButton(StartMenuViewModel &model, FileIcons &icons, const FinderFavorite &favourite,
                    QWidget *parent = nullptr);

    const FinderFavorite &favourite() const { return m_favourite; }
    void setFavourite(const FinderFavorite &favourite);
    bool isHovering() const { return m_hovering; }

    static qreal rowHeight() { return iconSide + 2 * padding; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    StartMenuViewModel &m_model;
    FileIcons &m_icons;
    FinderFavorite m_favourite;
    QIcon m_icon;
    bool m_hovering = false;
};

} // namespace Velmora
