#pragma once

#include <QList>
#include <QPair>
#include <QVariant>
#include <QWidget>

#include <optional>

namespace Velmora {

// A segmented control whose segments light up under the pointer: the
// selected one is filled with the accent colour, a hovered one that is not
// selected gets a faint highlight. Values are compared as QVariants.
class HoverSegmentedPicker : public QWidget
{
    Q_OBJECT
public:
    using Option = QPair<QVariant, QString>;

    HoverSegmentedPicker(const QList<Option> &options, const QVariant &selection, QWidget *parent = nullptr);

    QVariant selection() const { return m_selection; }
    void setSelection(const QVariant &value);
    // The value of the hovered segment, if any.
    std::optional<QVariant> hovered() const { return m_hovered; }
    // A segment is highlighted while hovered, unless it is the selected one.
    bool isHighlighted(int index) const;
    QRectF segmentRect(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void selectionChanged(const QVariant &value);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    int segmentAt(const QPointF &point) const;
    qreal segmentWidth(int index) const;
    void hover(int index);

    QList<Option> m_options;
    QVariant m_selection;
    std::optional<QVariant> m_hovered;
    int m_pressed = -1;
};

} // namespace Velmora
