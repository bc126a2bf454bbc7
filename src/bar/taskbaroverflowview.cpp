#include "bar/taskbaroverflowview.h"

#include "bar/model/taskbaroverflowlayout.h"
#include "bar/taskbariconbutton.h"
#include "bar/visualeffectview.h"
#include "store/taskbaroverflowmodel.h"
#include "store/taskbarstore.h"

#include <QPainter>

namespace Velmora {

namespace {

// The flyout's dark veil over its frosted background.
class OverflowTint : public QWidget
{
public:
    explicit OverflowTint(QWidget *parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor::fromRgbF(0.08f, 0.09f, 0.12f, 0.8f));
    }
};

} // namespace

TaskbarOverflowView::TaskbarOverflowView(TaskbarStore &store, TaskbarOverflowModel &model, Animator &animator,
                                         FileIcons &icons, Choose onChoose, QWidget *parent)
    : QWidget(parent)
    , m_store(store)
    , m_model(model)
    , m_animator(animator)
    , m_icons(icons)
    , m_onChoose(std::move(onChoose))
{
    auto *background = new VisualEffectView(this);
    background->setMaterial(VisualEffectView::Material::Popover);
    background->setBlendingMode(VisualEffectView::BlendingMode::BehindWindow);
    m_background = background;
    m_tint = new OverflowTint(this);
    // Made before any cell, so both stay beneath the cells.
    connect(&m_model, &TaskbarOverflowModel::appsChanged, this, &TaskbarOverflowView::rebuild);
    connect(&m_store, &TaskbarStore::runningAppsChanged, this, &TaskbarOverflowView::updateRunning);
    rebuild();
    resize(sizeHint());
}

TaskbarOverflowView::~TaskbarOverflowView() = default;

QSize TaskbarOverflowView::sizeHint() const
{
    return TaskbarOverflowLayout::contentSize(int(m_model.apps().size())).toSize();
}

void TaskbarOverflowView::rebuild()
{
    const QList<AppItem> &apps = m_model.apps();
    QHash<QString, TaskbarIconButton *> kept;
    for (int i = 0; i < apps.size(); ++i) {
        const AppItem &app = apps.at(i);
        TaskbarIconButton *cell = m_cells.take(app.id);
        if (!cell) {
            cell = new TaskbarIconButton(m_animator, this);
            cell->model().setActive(false);
            cell->model().setShowsSystemHelp(true);
            cell->show();
        }
        // A plain button: the choice runs when a click is released inside.
        cell->model().setTitle(app.name);
        cell->model().setAction([this, app] {
            if (m_onChoose)
                m_onChoose(app);
        });
        cell->setLabel({app.icon(m_icons), QSizeF(TaskbarOverflowLayout::iconSide, TaskbarOverflowLayout::iconSide)});
        cell->setGeometry(TaskbarOverflowLayout::cellRect(i, int(apps.size())).toRect());
        kept.insert(app.id, cell);
    }
    qDeleteAll(m_cells);
    m_cells = kept;
    updateRunning();
    // The popover holding this view takes the new size.
    updateGeometry();
}

void TaskbarOverflowView::updateRunning()
{
    for (const AppItem &app : m_model.apps()) {
        if (TaskbarIconButton *cell = m_cells.value(app.id))
            cell->model().setRunning(m_store.isAppRunning(app));
    }
}

void TaskbarOverflowView::resizeEvent(QResizeEvent *event)
{
    m_background->setGeometry(rect());
    m_tint->setGeometry(rect());
    QWidget::resizeEvent(event);
}

} // namespace Velmora
