#pragma once

#include "store/appitem.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace Velmora {

class Animator;
class FileIcons;
class TaskbarIconButton;
class TaskbarOverflowModel;
class TaskbarStore;

// The content of the overflow flyout: a compact grid of the app buttons
// that did not fit on the bar, each cell the bar's own icon button. It keeps
// no state: it draws the apps of the bar's TaskbarOverflowModel, marks the
// running ones, and hands a clicked app to `onChoose`. Its size hint is the
// grid's size, so the popover that holds it follows the list.
class TaskbarOverflowView : public QWidget
{
    Q_OBJECT
public:
    using Choose = std::function<void(const AppItem &app)>;

    TaskbarOverflowView(TaskbarStore &store, TaskbarOverflowModel &model, Animator &animator, FileIcons &icons,
                        Choose onChoose, QWidget *parent = nullptr);
    ~TaskbarOverflowView() override;

    QSize sizeHint() const override;
    // The cell of `appID`, if it is listed.
    TaskbarIconButton *cell(const QString &appID) const { return m_cells.value(appID); }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void rebuild();
    void updateRunning();

    TaskbarStore &m_store;
    TaskbarOverflowModel &m_model;
    Animator &m_animator;
    FileIcons &m_icons;
    Choose m_onChoose;
    QWidget *m_background = nullptr;
    QWidget *m_tint = nullptr;
    // Cells are kept per app id, so a changed list reuses them.
    QHash<QString, TaskbarIconButton *> m_cells;
};

} // namespace Velmora
