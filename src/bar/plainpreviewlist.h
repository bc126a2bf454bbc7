#pragma once

#include "bar/windowpickercontent.h"
#include "services/windowpreviewitem.h"

#include <QWidget>

namespace Velmora {

// The simplest picker content: one row per window of the open picker, by
// title (or the name the user gave it). A click on a row brings that window
// forward. Shown until the window picker's own view is installed.
class PlainPreviewList : public QWidget
{
    Q_OBJECT
public:
    static constexpr int rowHeight = 30;
    static constexpr int width = 280;
    static constexpr int padding = 8;

    PlainPreviewList(const WindowPickerContent::Context &context, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    // The row under `position`, if any.
    int rowAt(const QPoint &position) const;
    QList<WindowPreviewItem> previews() const { return m_previews; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void reload();
    void choose(int row);

    WindowPickerContent::Context m_context;
    QList<WindowPreviewItem> m_previews;
    int m_hoveredRow = -1;
};

} // namespace Velmora
