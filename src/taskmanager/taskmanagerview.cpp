#include "taskmanager/taskmanagerview.h"

#include "taskmanager/metriccardwidget.h"
#include "taskmanager/metricoverlay.h"
#include "taskmanager/model/taskmanagerpalette.h"
#include "taskmanager/model/taskmanagerviewmodel.h"
#include "taskmanager/model/taskmanagerviewtexts.h"
#include "taskmanager/processfooter.h"
#include "taskmanager/processheaderwidget.h"
#include "taskmanager/processlistview.h"
#include "taskmanager/processtoolbar.h"
#include "taskmanager/taskmanagerstyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace Velmora {

TaskManagerView::TaskManagerView(
    TaskManagerViewModel &model, AppIconCache &appIcons, ProcessIconCache &processIcons, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
{
    TaskManagerStyle::applyDarkPalette(this);
    // It fills all of itself: the window's own background beneath it would
    // only be painted over.
    setAttribute(Qt::WA_OpaquePaintEvent);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto *header = new QVBoxLayout;
    header->setContentsMargins(24, 24, 24, 24);
    header->setSpacing(4);
    header->addWidget(TaskManagerStyle::label(TaskManagerViewText::windowTitle,
        TaskManagerStyle::font(23, QFont::DemiBold), TaskManagerPalette::primary(), this));
    header->addWidget(TaskManagerStyle::label(
        TaskManagerViewText::subtitle, TaskManagerStyle::font(12), TaskManagerPalette::secondary(), this));
    column->addLayout(header);

    auto *cards = new QHBoxLayout;
    cards->setContentsMargins(24, 0, 24, 22);
    cards->setSpacing(12);
    for (int i = 0; i < 4; ++i)
        cards->addWidget(new MetricCardWidget(m_model, i, this), 1);
    column->addLayout(cards);

    auto *toolbar = new ProcessToolbar(m_model.processList(), this);
    m_searchField = toolbar->searchField();
    column->addWidget(toolbar);

    auto *listArea = new QVBoxLayout;
    listArea->setContentsMargins(16, 0, 16, 0);
    listArea->setSpacing(0);
    listArea->addWidget(new ProcessHeaderWidget(m_model.processList(), this));
    m_list = new ProcessListView(m_model.processList(), m_model.actions(), processIcons, this);
    listArea->addWidget(m_list, 1);
    column->addLayout(listArea, 1);

    column->addWidget(new ProcessFooter(m_model.processList(), m_model.actions(), this));

    m_overlay = new MetricOverlay(m_model, appIcons, this);

    ProcessActionsViewModel &actions = m_model.actions();
    connect(&actions, &ProcessActionsViewModel::pendingChanged, this, &TaskManagerView::showNextAlert);
    connect(&actions, &ProcessActionsViewModel::finderErrorChanged, this, &TaskManagerView::showNextAlert);
    connect(&actions, &ProcessActionsViewModel::endErrorChanged, this, &TaskManagerView::showNextAlert);
}

void TaskManagerView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), TaskManagerPalette::window());
}

void TaskManagerView::mousePressEvent(QMouseEvent *event)
{
    // Clicks that no control took land on the background.
    if (event->button() == Qt::LeftButton)
        m_model.backgroundTapped();
    if (m_searchField->hasFocus())
        m_searchField->clearFocus();
    event->accept();
}

void TaskManagerView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_overlay->setGeometry(rect());
}

void TaskManagerView::showNextAlert()
{
    if (m_alert)
        return;
    // One alert at a time, in this order: the Finder failure, the
    // confirmation, the failure to end.
    ProcessActionsViewModel &actions = m_model.actions();
    ProcessActionsViewModel::Alert alert;
    std::function<void(bool destructive)> done;
    if (const auto &error = actions.finderError()) {
        alert = ProcessActionsViewModel::finderFailure(*error);
        done = [&actions](bool) { actions.dismissFinderError(); };
    } else if (const auto &pending = actions.pending()) {
        alert = ProcessActionsViewModel::confirmation(pending, actions.isForce());
        done = [&actions](bool destructive) {
            if (destructive)
                actions.confirmPending();
            else
                actions.cancelPending();
        };
    } else if (const auto error = actions.endError()) {
        alert = ProcessActionsViewModel::endFailure(*error);
        done = [&actions](bool) { actions.dismissEndError(); };
    } else {
        return;
    }

    auto *box = new TaskManagerAlert(alert, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QDialog::finished, this, [this, done](int result) {
        // Any way of closing the alert but its destructive button cancels.
        done(result == QDialog::Accepted);
        m_alert = nullptr;
        QMetaObject::invokeMethod(this, &TaskManagerView::showNextAlert, Qt::QueuedConnection);
    });
    m_alert = box;
    box->open();
}

} // namespace Velmora
