#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace Velmora {

class InstantPopoverPresenter;

// One flyout of the bar (an app's window picker) shown above its anchor
// button. It follows the store's state through `isPresented`, shows only
// while its presenter does not hold the show back, and serves the presenter's
// show and close requests. The content is made afresh each time it opens and
// dropped when it closes.
class BarPopoverHost : public QObject
{
    Q_OBJECT
public:
    using MakeContent = std::function<QWidget *(QWidget *parent)>;

    // The gap between the anchor's top and the popover's bottom edge.
    static constexpr int anchorGap = 8;
    static constexpr int contentInset = 6;

    BarPopoverHost(InstantPopoverPresenter &presenter, QWidget *anchor, std::function<bool()> isPresented,
                   MakeContent makeContent, QObject *parent = nullptr);
    ~BarPopoverHost() override;

    // The store's state changed: opens or closes to match it.
    void sync();
    bool isShown() const;
    QWidget *window() const { return m_window; }
    QWidget *content() const { return m_content; }

    // Where a popover of `size` goes above `anchorRect` (global, y down),
    // kept inside `screen` left and right.
    static QRect placement(const QRect &anchorRect, const QSize &size, const QRect &screen);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void show();
    void close();
    void place();

    QPointer<InstantPopoverPresenter> m_presenter;
    QPointer<QWidget> m_anchor;
    std::function<bool()> m_isPresented;
    MakeContent m_makeContent;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_content;
};

} // namespace Velmora
