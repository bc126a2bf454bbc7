#pragma once

#include "store/appitem.h"

#include <QWidget>

namespace Velmora {

class FileIcons;
class StartMenuViewModel;

// One application entry of the Start menu: its icon, its name on one line
// and the rest of the row, all of which opens the app. The pointer lights
// the row; a right-click opens the entry's context menu. Recent Apps shows
// these with 30-point icons; the app list paints the same rows with
// 34-point icons through paint(), building only the rows in view.
class StartAppRow : public QWidget
{
    Q_OBJECT
public:
    static constexpr qreal listIconSize = 34;
    static constexpr qreal recentIconSize = 30;
    static constexpr qreal horizontalPadding = 10;
    static constexpr qreal verticalPadding = 6;
    static constexpr qreal spacing = 14;
    static constexpr qreal cornerRadius = 8;

    StartAppRow(StartMenuViewModel &model, FileIcons &icons, const AppItem &app, qreal iconSize,
                QWidget *parent = nullptr);

    const AppItem &app() const { return m_app; }
    // Takes a changed item (a rename, an app that started running); an equal
    // one changes nothing and repaints nothing.
    void setApp(const AppItem &app);
    qreal iconSize() const { return m_iconSize; }
    bool isHovering() const { return m_hovering; }

    static qreal height(qreal iconSize) { return iconSize + 2 * verticalPadding; }
    // Draws a row into `rect`.
    static void paint(QPainter &painter, const QRectF &rect, const QIcon &icon, const QString &name, qreal iconSize,
                      bool hovering);

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
    AppItem m_app;
    QIcon m_icon;
    qreal m_iconSize;
    bool m_hovering = false;
};

} // namespace Velmora
