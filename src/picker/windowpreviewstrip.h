#pragma once

#include "picker/newwindowplaceholdercard.h"
#include "picker/windowpreviewcard.h"

#include <QHash>
#include <QIcon>
#include <QPointer>
#include <QWidget>

namespace Velmora {

class WindowPreviewStripModel;

// The row of window cards inside the picker's scroller: one card per window
// of the open picker, plus the placeholder while a new window is awaited.
// Cards are kept per preview id and reused; sync() brings them in line with
// the model: new cards rise in, gone ones are taken out, and each is told
// whether it is lifted, closing or dragged and placed in its slot.
class WindowPreviewStrip : public QWidget
{
    Q_OBJECT
public:
    WindowPreviewStrip(WindowPreviewStripModel &model, const WindowPreviewCard::Environment &environment,
        const AppItem &app, const QIcon &appIcon, QWidget *parent = nullptr);
    ~WindowPreviewStrip() override;

    void sync();

    WindowPreviewCard *card(const QString &previewID) const;
    NewWindowPlaceholderCard *placeholder() const { return m_placeholder; }
    QList<WindowPreviewCard *> cards() const;

protected:
    void hideEvent(QHideEvent *event) override;

private:
    WindowPreviewCard *makeCard(const WindowPreviewItem &preview, qint64 appearDelayMs, bool hasAppeared);
    // Takes a card out: hidden first, so a press on it ends and the drag it
    // may carry is reported ended.
    static void retire(QWidget *card);

    WindowPreviewStripModel &m_model;
    WindowPreviewCard::Environment m_environment;
    const AppItem m_app;
    const QIcon m_appIcon;
    QHash<QString, QPointer<WindowPreviewCard>> m_cards;
    QPointer<NewWindowPlaceholderCard> m_placeholder;
};

} // namespace Velmora
