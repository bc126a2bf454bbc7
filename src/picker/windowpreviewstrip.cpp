#include "picker/windowpreviewstrip.h"

#include "picker/model/windowpreviewstripmodel.h"
#include "picker/newwindowplaceholdercard.h"
#include "store/taskbarstore.h"

#include <QHideEvent>

#include <cmath>

namespace Velmora {

WindowPreviewStrip::WindowPreviewStrip(WindowPreviewStripModel &model,
    const WindowPreviewCard::Environment &environment, const AppItem &app, const QIcon &appIcon, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_environment(environment)
    , m_app(app)
    , m_appIcon(appIcon)
{
    setAttribute(Qt::WA_NoSystemBackground);
    sync();
}

WindowPreviewStrip::~WindowPreviewStrip() = default;

WindowPreviewCard *WindowPreviewStrip::card(const QString &previewID) const
{
    return m_cards.value(previewID);
}

QList<WindowPreviewCard *> WindowPreviewStrip::cards() const
{
    QList<WindowPreviewCard *> cards;
    for (const QPointer<WindowPreviewCard> &card : m_cards) {
        if (card)
            cards.append(card);
    }
    return cards;
}

void WindowPreviewStrip::retire(QWidget *card)
{
    if (!card)
        return;
    card->hide();
    card->deleteLater();
}

WindowPreviewCard *WindowPreviewStrip::makeCard(const WindowPreviewItem &preview, qint64 appearDelayMs, bool hasAppeared)
{
    auto *card = new WindowPreviewCard(m_environment, m_app, m_appIcon, preview, appearDelayMs, hasAppeared, this);
    const QString id = preview.id;
    // The model outlives the strip's cards; the callbacks reach only it.
    WindowPreviewStripModel &model = m_model;
    card->setStripCallbacks({
        [&model, id](bool pressed) { model.pressChanged(id, pressed); },
        [&model, id](qreal translation) { model.dragChanged(id, translation); },
        [&model] { model.dragEnded(); },
        [&model] { model.dragRefused(); },
    });
    return card;
}

void WindowPreviewStrip::sync()
{
    const QList<WindowPreviewStripModel::Item> items = m_model.items();
    const QList<WindowPreviewItem> &previews = m_environment.store.windowPicker().windowPreviews();

    QSet<QString> kept;
    bool placeholderShown = false;
    for (const WindowPreviewStripModel::Item &item : items) {
        if (item.kind == WindowPreviewStripModel::Item::Kind::Placeholder)
            placeholderShown = true;
        else
            kept.insert(item.id);
    }
    for (auto it = m_cards.begin(); it != m_cards.end();) {
        if (!it.value() || !kept.contains(it.key())) {
            retire(it.value());
            it = m_cards.erase(it);
        } else {
            ++it;
        }
    }
    if (!placeholderShown && m_placeholder) {
        retire(m_placeholder);
        m_placeholder = nullptr;
    }

    const bool dragging = m_model.isDragging();
    QWidget *dragged = nullptr;
    for (qsizetype position = 0; position < items.size(); ++position) {
        const WindowPreviewStripModel::Item &item = items.at(position);
        const QPoint slot = WindowPreviewStripModel::itemRect(position).topLeft().toPoint();
        if (item.kind == WindowPreviewStripModel::Item::Kind::Placeholder) {
            if (!m_placeholder) {
                m_placeholder = new NewWindowPlaceholderCard(
                    m_environment.animator, m_environment.store.environment().scheduler, m_appIcon, this);
                m_placeholder->show();
            }
            m_placeholder->placeBody(slot);
            continue;
        }
        const WindowPreviewItem &preview = previews.at(item.previewIndex);
        WindowPreviewCard *card = m_cards.value(item.id);
        if (!card) {
            card = makeCard(preview, item.appearDelayMs, item.startsAppeared);
            m_cards.insert(item.id, card);
            card->show();
        } else {
            card->setPreview(preview);
        }
        card->setDragging(dragging);
        card->setLifted(m_model.isLifted(item.id));
        card->setClosing(item.isClosing);
        const int offset = int(std::lround(m_model.offset(item.id)));
        card->placeBody(slot + QPoint(offset, 0));
        if (m_model.zIndex(item.id) > 0)
            dragged = card;
    }
    // The dragged card is drawn above its neighbours.
    if (dragged)
        dragged->raise();
}

void WindowPreviewStrip::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        m_model.disappeared();
}

} // namespace Velmora
