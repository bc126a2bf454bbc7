#include "taskmanager/processtoolbar.h"

#include "taskmanager/model/processlistviewmodel.h"
#include "taskmanager/model/taskmanagerpalette.h"
#include "taskmanager/model/taskmanagersymbols.h"
#include "taskmanager/model/taskmanagerviewtexts.h"
#include "taskmanager/taskmanagerstyle.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

namespace Velmora {

namespace {

// The field's rounded backdrop with the magnifier in front. It paints the
// window's colour around its corners and is opaque, and it is drawn once per
// size: the caret blinks twice a second while the field has focus, and each
// blink then copies a few pixels of it instead of repainting the window
// beneath and filling the rounded shape again.
class SearchBox final : public QWidget
{
public:
    explicit SearchBox(QWidget *parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        if (TaskManagerStyle::roundedPanel(
                m_picture, *this, 7, TaskManagerPalette::primary(0.06), TaskManagerPalette::window())) {
            QPainter painter(&m_picture);
            TaskManagerSymbols::draw(painter, QStringLiteral("magnifyingglass"),
                QRectF(8, (height() - 14) / 2.0, 14, 14), TaskManagerPalette::secondary());
        }
        const qreal ratio = m_picture.devicePixelRatio();
        QPainter painter(this);
        const QRect area = event->rect();
        painter.drawPixmap(area, m_picture, QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
    }

private:
    QPixmap m_picture;
};

} // namespace

ProcessToolbar::ProcessToolbar(ProcessListViewModel &list, QWidget *parent)
    : QWidget(parent)
    , m_list(list)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(24, 0, 24, 12);
    row->setSpacing(12);

    auto *title = TaskManagerStyle::label(TaskManagerViewText::processes, TaskManagerStyle::font(16, QFont::DemiBold),
        TaskManagerPalette::primary(), this);
    m_count = TaskManagerStyle::label(
        QString(), TaskManagerStyle::font(11, QFont::Medium), TaskManagerPalette::secondary(), this);
    row->addWidget(title, 0, Qt::AlignVCenter);
    row->addWidget(m_count, 0, Qt::AlignVCenter);
    row->addStretch(1);

    m_box = new SearchBox(this);
    m_box->setFixedSize(220, 32);
    auto *boxRow = new QHBoxLayout(m_box);
    boxRow->setContentsMargins(8 + 14 + 7, 0, 8, 0);
    boxRow->setSpacing(7);
    m_field = new QLineEdit(m_box);
    m_field->setFrame(false);
    m_field->setPlaceholderText(TaskManagerViewText::searchPlaceholder);
    m_field->setFont(TaskManagerStyle::font(13));
    m_field->setAttribute(Qt::WA_MacShowFocusRect, false);
    QPalette fieldPalette = m_field->palette();
    fieldPalette.setColor(QPalette::Base, Qt::transparent);
    fieldPalette.setColor(QPalette::Text, TaskManagerPalette::primary());
    fieldPalette.setColor(QPalette::PlaceholderText, TaskManagerPalette::secondary());
    m_field->setPalette(fieldPalette);
    m_field->installEventFilter(this);
    m_clear = new QToolButton(m_box);
    m_clear->setAutoRaise(true);
    m_clear->setIcon(TaskManagerSymbols::icon(QStringLiteral("xmark.circle.fill"), TaskManagerPalette::secondary()));
    m_clear->setIconSize(QSize(14, 14));
    m_clear->setFixedSize(18, 18);
    m_clear->setCursor(Qt::ArrowCursor);
    m_clear->setFocusPolicy(Qt::NoFocus);
    m_clear->setAccessibleName(TaskManagerViewText::clearSearch);
    m_clear->setToolTip(TaskManagerViewText::clearSearch);
    m_clear->setStyleSheet(QStringLiteral("QToolButton { border: none; background: transparent; }"));
    boxRow->addWidget(m_field, 1);
    boxRow->addWidget(m_clear);
    row->addWidget(m_box, 0, Qt::AlignVCenter);

    connect(m_field, &QLineEdit::textEdited, &m_list, &ProcessListViewModel::setSearch);
    connect(m_clear, &QToolButton::clicked, this, [this] { m_list.setSearch(QString()); });
    connect(&m_list, &ProcessListViewModel::searchChanged, this, &ProcessToolbar::showSearch);
    connect(&m_list, &ProcessListViewModel::listChanged, this, &ProcessToolbar::showCount);
    connect(&m_list, &ProcessListViewModel::searchFocusedChanged, this, [this] {
        if (!m_list.isSearchFocused() && m_field->hasFocus())
            m_field->clearFocus();
    });
    showSearch();
    showCount();
}

bool ProcessToolbar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field) {
        if (event->type() == QEvent::FocusIn)
            m_list.setSearchFocused(true);
        else if (event->type() == QEvent::FocusOut)
            m_list.setSearchFocused(false);
    }
    return QWidget::eventFilter(watched, event);
}

void ProcessToolbar::showSearch()
{
    if (m_field->text() != m_list.search())
        m_field->setText(m_list.search());
    m_clear->setVisible(!m_list.search().isEmpty());
}

void ProcessToolbar::showCount()
{
    m_count->setText(QString::number(m_list.displayedCount()));
}

} // namespace Velmora
