#include "picker/windowrenameeditor.h"

#include "picker/cardsymbolbutton.h"
#include "picker/model/windowpreviewcardmodel.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>

namespace Velmora {

WindowRenameEditor::WindowRenameEditor(Animator &animator, QWidget *parent)
    : QWidget(parent)
    , m_field(new QLineEdit(this))
    , m_save(new CardSymbolButton(CardSymbolButton::Style::Plain, QStringLiteral("checkmark"), animator, this))
    , m_cancel(new CardSymbolButton(CardSymbolButton::Style::Plain, QStringLiteral("xmark"), animator, this))
{
    setFixedSize(width, height);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(spacing);
    row->addWidget(m_field, 1);
    row->addWidget(m_save);
    row->addWidget(m_cancel);

    m_field->setPlaceholderText(WindowPreviewCardModel::nameFieldPlaceholder);
    m_field->setToolTip(WindowPreviewCardModel::nameFieldHelp);
    m_field->setFrame(false);
    m_field->setFixedHeight(height);
    QFont font = m_field->font();
    font.setPixelSize(12);
    m_field->setFont(font);
    // The picker is dark whatever the desktop's scheme: light text on a
    // darker well.
    m_field->setStyleSheet(QStringLiteral("QLineEdit { background: rgba(0, 0, 0, 77); color: white;"
                                          " border: none; border-radius: 4px; padding: 0 4px;"
                                          " selection-background-color: palette(highlight); }"));
    QPalette palette = m_field->palette();
    palette.setColor(QPalette::PlaceholderText, QColor::fromRgbF(1, 1, 1, 0.45f));
    m_field->setPalette(palette);
    m_field->installEventFilter(this);

    m_save->setToolTip(WindowPreviewCardModel::saveHelp);
    m_save->setAccessibleName(WindowPreviewCardModel::saveHelp);
    m_cancel->setToolTip(WindowPreviewCardModel::cancelHelp);
    m_cancel->setAccessibleName(WindowPreviewCardModel::cancelHelp);

    connect(m_field, &QLineEdit::textEdited, this, &WindowRenameEditor::textEdited);
    connect(m_save, &QAbstractButton::clicked, this, &WindowRenameEditor::committed);
    connect(m_cancel, &QAbstractButton::clicked, this, &WindowRenameEditor::cancelled);
}

WindowRenameEditor::~WindowRenameEditor() = default;

void WindowRenameEditor::setText(const QString &text)
{
    m_field->setText(text);
}

QString WindowRenameEditor::text() const
{
    return m_field->text();
}

void WindowRenameEditor::focusField()
{
    // The picker's panel is shown without taking the keyboard; typing needs
    // it to become the active window first.
    if (QWidget *w = window(); w && !w->isActiveWindow())
        w->activateWindow();
    m_field->setFocus(Qt::OtherFocusReason);
    m_field->selectAll();
}

void WindowRenameEditor::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (QWidget *w = window(); w && !w->isActiveWindow())
        w->activateWindow();
}

bool WindowRenameEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field) {
        const auto key = [event] { return static_cast<QKeyEvent *>(event)->key(); };
        const auto isReturn = [&key] { return key() == Qt::Key_Return || key() == Qt::Key_Enter; };
        // Return and Escape end the edit here and travel no further: the
        // field would pass them on to the picker, which must stay open.
        if (event->type() == QEvent::ShortcutOverride && (key() == Qt::Key_Escape || isReturn())) {
            event->accept();
            return true;
        }
        if (event->type() == QEvent::KeyPress && key() == Qt::Key_Escape) {
            emit cancelled();
            return true;
        }
        if (event->type() == QEvent::KeyPress && isReturn()) {
            emit committed();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace Velmora
