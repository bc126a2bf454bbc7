#pragma once

#include <QWidgetAction>

#include <functional>

class QMenu;

namespace Velmora {

// A menu item that runs a callback when chosen, enabled until its builder
// says otherwise. A long title may be shown over several lines by a
// WrappedMenuRow; the item's own text stays the plain title.
class AppMenuItem : public QWidgetAction
{
    Q_OBJECT
public:
    AppMenuItem(const QString &title, std::function<void()> handler, QObject *parent);

    // Runs the handler.
    void invoke();

    // Appends an item to `menu` (or inserts it before `before`): the title is
    // wrapped in the menu's font, and when that breaks it the item shows a
    // WrappedMenuRow with `icon`.
    static AppMenuItem *add(QMenu *menu, const QString &title, const QIcon &icon, std::function<void()> handler,
                            QAction *before = nullptr);

private:
    std::function<void()> m_handler;
};

} // namespace Velmora
