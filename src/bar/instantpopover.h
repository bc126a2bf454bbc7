#pragma once

#include "bar/model/instantpopovercontroller.h"
#include "bar/model/instantpopoverhost.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace Velmora {

class InstantPopoverWindow;

// A flyout of the bar: `content` shown in a popover window at an edge of
// `anchor` (the bar passes the top edge, so flyouts open above the bar).
//
// The bar makes one per flyout and keeps it as long as the anchor button:
//
//     auto *popover = new InstantPopover(services, presenter, button, content);
//     popover->setBinding({[&] { return isOpenHere(); }, [&](bool) { store.dismissFlyouts(); }});
//     connect(&flyouts, &Flyouts::...Changed, popover, &InstantPopover::update);
//
// and opens or closes it by its flag (update()), or at once through the
// presenter (presenter.show() / presenter.close()), which also holds it back
// while the mouse is down. The popover owns `content`; it is built once and
// kept current by the state it observes. Main thread only.
class InstantPopover : public QObject, private InstantPopoverHost
{
    Q_OBJECT
public:
    using Options = InstantPopoverController::Options;
    using Binding = InstantPopoverController::Binding;

    // The popover is a child of `anchor` unless `parent` says otherwise.
    InstantPopover(PopoverServices services, InstantPopoverPresenter &presenter, QWidget *anchor, QWidget *content,
                   Options options = {}, QObject *parent = nullptr);
    ~InstantPopover() override;

    void setBinding(Binding binding) { m_controller->setBinding(std::move(binding)); }
    void setShouldClose(std::function<bool()> shouldClose) { m_controller->setShouldClose(std::move(shouldClose)); }
    // Shows or closes to match the binding.
    void update() { m_controller->update(); }

    bool isShown() const { return m_controller->isShown(); }
    InstantPopoverController &controller() const { return *m_controller; }
    QWidget *content() const { return m_content; }
    // The window showing the content now.
    InstantPopoverWindow *window() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // InstantPopoverHost
    std::unique_ptr<PopoverSurface> makeSurface(const QSizeF &contentSize) override;
    bool hasAnchor() const override { return !m_anchor.isNull(); }
    std::optional<QRectF> anchorFrame() const override;
    QSizeF idealSize() override;
    void cancelMenuTracking(QObject *menu) override;

    void scheduleSizeReport();

    PopoverServices m_services;
    QPointer<QWidget> m_anchor;
    QPointer<QWidget> m_content;
    std::unique_ptr<InstantPopoverController> m_controller;
    std::optional<QSizeF> m_reportedIdealSize;
    Scheduler::JobId m_sizeReport = 0;
};

} // namespace Velmora
