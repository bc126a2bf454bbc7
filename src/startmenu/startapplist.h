#pragma once

#include "startmenu/model/appsection.h"

#include <QHash>
#include <QIcon>
#include <QWidget>

#include <optional>
#include <vector>

namespace Velmora {

class FileIcons;
class StartMenuViewModel;

// The Start menu's list of applications in letter sections: each section's
// letter, then its apps' rows (StartAppRow's look). Only the rows in view
// are painted, and icons are fetched as rows come into view, so a list of
// hundreds of apps costs no more than the rows a person sees. It sits in a
// scroll area, which it tells its full height through sizeHint().
class StartAppList : public QWidget
{
    Q_OBJECT
public:
    static constexpr qreal inset = 20;
    static constexpr qreal bottomPadding = 16;
    static constexpr qreal itemSpacing = 2;
    static constexpr qreal headerTop = 10;
    static constexpr qreal headerBottom = 4;
    static constexpr qreal headerInset = 12;

    StartAppList(StartMenuViewModel &model, FileIcons &icons, QWidget *parent = nullptr);

    // Shows `sections`; the same sections as before change nothing.
    void setSections(const QList<AppSection> &sections);

    // Where the row of `appID` is, if it is listed.
    std::optional<QRectF> rowRect(const QString &appID) const;
    std::optional<QString> hoveredID() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    struct Item
    {
        qreal top = 0;
        qreal height = 0;
        qsizetype section = 0;
        // -1 for the section's header.
        qsizetype app = -1;
    };

    void layOutItems();
    qsizetype itemAt(const QPointF &point) const;
    QRectF itemRect(const Item &item) const;
    const AppItem &appOf(const Item &item) const { return m_sections.at(item.section).apps.at(item.app); }
    const QIcon &iconFor(const AppItem &app);
    void setHovered(qsizetype index);

    StartMenuViewModel &m_model;
    FileIcons &m_icons;
    QList<AppSection> m_sections;
    std::vector<Item> m_items;
    qreal m_height = 0;
    qreal m_headerHeight = 0;
    qsizetype m_hovered = -1;
    qsizetype m_pressed = -1;
    // Fetched as rows are first painted, kept per id while listed.
    QHash<QString, QIcon> m_iconCache;
};

} // namespace Velmora
