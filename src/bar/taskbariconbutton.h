#pragma once

#include "bar/model/taskbariconbuttonmodel.h"

#include <QAbstractButton>
#include <QIcon>
#include <QImage>
#include <QPointer>

namespace Velmora {

// The 44-point square button of the bar's fixed items (Start, Search, "Show
// more apps") and of the overflow list's cells. It paints from its model and
// hands its mouse input to it (see TaskbarIconButtonModel for what a press
// does). It is a QAbstractButton only so that assistive technologies can press
// it: their press arrives as clicked() and runs the model's action; the
// mouse never goes through QAbstractButton's own click logic.
class TaskbarIconButton : public QAbstractButton
{
    Q_OBJECT
public:
    // What the button shows in its middle. A template icon (QIcon::isMask) is
    // painted in the label colour, like a symbol; any other is shown as is.
    struct Label
    {
        QIcon icon;
        QSizeF size;
    };

    // A button with a model of its own.
    explicit TaskbarIconButton(Animator &animator, QWidget *parent = nullptr);
    // A button over a model kept by someone else (a view-model), which must
    // outlive it.
    explicit TaskbarIconButton(TaskbarIconButtonModel &model, QWidget *parent = nullptr);
    ~TaskbarIconButton() override;

    TaskbarIconButtonModel &model() const { return *m_model; }

    void setLabel(const Label &label);
    Label label() const { return m_label; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    void setUp();
    void syncFromModel();
    void paintLabel(QPainter &painter, qreal scale);
    QImage tintedLabel(qreal devicePixelRatio, const QColor &colour);

    QPointer<TaskbarIconButtonModel> m_model;
    Label m_label;
    // The template label in the label colour, redrawn only when its size,
    // resolution or colour change.
    QImage m_tinted;
    QColor m_tintedColour;
};

} // namespace Velmora
