#pragma once

#include "bar/model/wrappedmenurowlayout.h"

#include <QFont>
#include <QIcon>
#include <QPointer>
#include <QWidget>

namespace Velmora {

class AppMenuItem;

// Shows a menu item whose title wraps over several lines the way an ordinary
// item looks: its symbol and text in the menu's own columns, the symbol level
// with the first line, the style's selection behind it while it is the
// current item, greyed out while disabled. Clicking it (or
// pressing it through accessibility) closes the menu and runs the item once.
class WrappedMenuRow : public QWidget
{
    Q_OBJECT
public:
    // `title` is already wrapped; `item` is held weakly.
    WrappedMenuRow(const QString &title, const QIcon &icon, AppMenuItem *item, const QFont &font,
                   QWidget *parent = nullptr);

    AppMenuItem *item() const { return m_item; }
    QString title() const { return m_title; }
    bool isHighlighted() const;

    // What a click does: closes the menu, then runs the item's handler. Does
    // nothing and answers false when the item is disabled or gone.
    bool performPress();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    WrappedMenuRowLayout layout() const;

    QPointer<AppMenuItem> m_item;
    QString m_title;
    QIcon m_icon;
    WrappedMenuRowLayout::Columns m_columns;
    QSize m_size;
};

} // namespace Velmora
