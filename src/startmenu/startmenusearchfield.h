#pragma once

#include <QWidget>

class QLineEdit;

namespace Velmora {

class StartMenuViewModel;

// The Start menu's search row: a magnifying glass, the field bound to the
// store's search text, and, while there is any text, a button that clears
// it, all in a light capsule. The menu's popover is shown without taking the
// keyboard; a click in the field takes it, so typing reaches the field.
class StartMenuSearchField : public QWidget
{
    Q_OBJECT
public:
    static constexpr int capsuleInset = 12;
    static constexpr int spacing = 8;
    static constexpr int glyphSide = 15;

    explicit StartMenuSearchField(StartMenuViewModel &model, QWidget *parent = nullptr);

    QLineEdit *field() const { return m_field; }
    QWidget *clearButton() const { return m_clear; }
    // Follows the store's text (another display's menu, a closing menu).
    void syncText();
    // Gives the field the keyboard, making its window the active one.
    void focusField();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layOut();

    StartMenuViewModel &m_model;
    QLineEdit *m_field;
    QWidget *m_clear;
};

} // namespace Velmora
