#pragma once

#include <QStringList>
#include <QWidget>

namespace Velmora {

// A row of segments of which exactly one is selected, like the button
// alignment choice. A click or the arrow keys choose a segment.
class SegmentedPicker : public QWidget
{
    Q_OBJECT
public:
    explicit SegmentedPicker(const QStringList &titles, QWidget *parent = nullptr);

    int currentIndex() const { return m_current; }
    // Selects without telling: what the owner's state says.
    void setCurrentIndex(int index);
    QStringList titles() const { return m_titles; }
    QRect segmentRect(int index) const;

    QSize sizeHint() const override;

signals:
    // The person chose a segment.
    void activated(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void choose(int index);

    QStringList m_titles;
    int m_current = -1;
};

} // namespace Velmora
