#pragma once

#include "bar/model/animator.h"

#include <QWidget>

class QLineEdit;

namespace Velmora {

class CardSymbolButton;

// The inline editor that covers a card's title row while its window is
// renamed: a name field with a save and a cancel button. Return saves,
// Escape cancels; Escape is taken here, so it never reaches the picker's
// popover and closes it.
class WindowRenameEditor : public QWidget
{
    Q_OBJECT
public:
    static constexpr int height = 22;
    static constexpr int width = 210;
    static constexpr int spacing = 4;

    explicit WindowRenameEditor(Animator &animator, QWidget *parent = nullptr);
    ~WindowRenameEditor() override;

    void setText(const QString &text);
    QString text() const;
    // Makes the window key, so the field can take the keyboard, and focuses
    // the field with its text selected.
    void focusField();

    QLineEdit *field() const { return m_field; }
    CardSymbolButton *saveButton() const { return m_save; }
    CardSymbolButton *cancelButton() const { return m_cancel; }

signals:
    void textEdited(const QString &text);
    void committed();
    void cancelled();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *m_field;
    CardSymbolButton *m_save;
    CardSymbolButton *m_cancel;
};

} // namespace Velmora
