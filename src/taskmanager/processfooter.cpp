#include "taskmanager/processfooter.h"

#include "taskmanager/model/processactionsviewmodel.h"
#include "taskmanager/model/processlistviewmodel.h"
#include "taskmanager/model/taskmanagerpalette.h"
#include "taskmanager/model/taskmanagerviewtexts.h"
#include "taskmanager/taskmanagerbutton.h"
#include "taskmanager/taskmanagerstyle.h"

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace Velmora {

namespace {

constexpr int pathLines = 2;

} // namespace

ProcessFooter::ProcessFooter(ProcessListViewModel &list, ProcessActionsViewModel &actions, QWidget *parent)
    : QWidget(parent)
    , m_list(list)
    , m_actions(actions)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(24, 14 + 1, 24, 14);
    row->setSpacing(12);

    auto *texts = new QVBoxLayout;
    texts->setSpacing(4);
    m_title = new QLabel(this);
    m_title->setFont(TaskManagerStyle::font(11, QFont::Medium));
    m_title->setTextFormat(Qt::PlainText);
    m_title->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_path = new QPlainTextEdit(this);
    m_path->setReadOnly(true);
    m_path->setFrameShape(QFrame::NoFrame);
    m_path->setFont(TaskManagerStyle::font(10));
    m_path->setWordWrapMode(QTextOption::WrapAnywhere);
    m_path->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_path->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_path->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_path->document()->setDocumentMargin(0);
    m_path->viewport()->setAutoFillBackground(false);
    QPalette pathPalette = m_path->palette();
    pathPalette.setColor(QPalette::Base, Qt::transparent);
    pathPalette.setColor(QPalette::Text, TaskManagerPalette::secondary());
    m_path->setPalette(pathPalette);
    m_path->setFixedHeight(qCeil(QFontMetricsF(m_path->font()).lineSpacing() * pathLines) + 2);
    texts->addWidget(m_title);
    texts->addWidget(m_path);
    row->addLayout(texts, 1);

    m_forceQuit
        = new TaskManagerButton(TaskManagerViewText::forceQuitEllipsis, TaskManagerButton::Kind::Standard, this);
    m_endTask = new TaskManagerButton(TaskManagerViewText::endTaskEllipsis, TaskManagerButton::Kind::Prominent, this);
    row->addWidget(m_forceQuit, 0, Qt::AlignVCenter);
    row->addWidget(m_endTask, 0, Qt::AlignVCenter);

    connect(m_forceQuit, &QPushButton::clicked, this, [this] {
        if (const auto process = m_list.selected())
            m_actions.requestEnd(*process, true);
    });
    connect(m_endTask, &QPushButton::clicked, this, [this] {
        if (const auto process = m_list.selected())
            m_actions.requestEnd(*process, false);
    });
    connect(&m_list, &ProcessListViewModel::selectionChanged, this, &ProcessFooter::refresh);
    connect(&m_list, &ProcessListViewModel::listChanged, this, &ProcessFooter::refresh);
    connect(&m_actions, &ProcessActionsViewModel::selectedExecutablePathChanged, this, &ProcessFooter::showPath);
    refresh();
}

void ProcessFooter::refresh()
{
    const auto process = m_list.selected();
    setVisible(process.has_value());
    if (!process)
        return;
    const QString title = m_actions.footerTitle(*process);
    if (m_title->text() != title)
        m_title->setText(title);
    const bool isProtected = m_actions.isProtected(*process);
    m_forceQuit->setEnabled(!isProtected);
    m_endTask->setEnabled(!isProtected);
    showPath();
}

void ProcessFooter::showPath()
{
    const QString path = m_actions.footerPath();
    // Two lines at most, shortened in the middle where the folders are.
    const QFontMetricsF metrics(m_path->font());
    const qreal room = std::max<qreal>(0, m_path->viewport()->width() * pathLines - metrics.averageCharWidth() * 4);
    const QString shown = metrics.elidedText(path, Qt::ElideMiddle, room);
    if (m_path->toPlainText() != shown)
        m_path->setPlainText(shown);
    m_path->setToolTip(path);
}

void ProcessFooter::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(QRectF(0, 0, width(), 1), TaskManagerPalette::primary(0.1));
}

void ProcessFooter::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    showPath();
}

} // namespace Velmora
