#include "picker/windowpreviewcard.h"

#include "app/model/velmorapalette.h"
#include "bar/appmenuitem.h"
#include "picker/cardsymbolbutton.h"
#include "picker/cardsymbols.h"
#include "picker/windowpreviewpointerview.h"
#include "picker/windowrenameeditor.h"
#include "store/taskbarstore.h"

#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace Velmora {

namespace {

using Model = WindowPreviewCardModel;

// The picker is always dark, whatever the desktop's colour scheme, so the
// card's colours are fixed rather than taken from the palette; only the
// accent follows the desktop.
QColor white(qreal opacity)
{
    return QColor::fromRgbF(1, 1, 1, float(std::clamp(opacity, 0.0, 1.0)));
}
QColor black(qreal opacity)
{
    return QColor::fromRgbF(0, 0, 0, float(std::clamp(opacity, 0.0, 1.0)));
}
const QColor primaryText = white(0.92);
const QColor secondaryText = white(0.55);

constexpr qreal pictureRadius = 5;
constexpr qreal bodyRadius = 7;
constexpr int closeButtonCorner = 0;  // flush with the body's top trailing corner
constexpr int renameButtonPadding = 4;

QFont titleFont()
{
    QFont font;
    font.setPixelSize(12);
    font.setWeight(QFont::Medium);
    return font;
}

QFont captionFont()
{
    QFont font;
    font.setPixelSize(11);
    return font;
}

} // namespace

WindowPreviewCard::WindowPreviewCard(const Environment &environment, const AppItem &app, const QIcon &appIcon,
    const WindowPreviewItem &preview, qint64 appearDelayMs, bool hasAppeared, QWidget *parent)
    : WindowPreviewCardFrame(
        environment.animator, environment.store.environment().scheduler, appearDelayMs, hasAppeared, parent)
    , m_model(environment.store, environment.actions, environment.tooltip, environment.store.environment().scheduler,
          app, preview)
    , m_animator(environment.animator)
    , m_appIcon(appIcon)
    , m_thumbnail(preview.thumbnail.value_or(QImage()))
    , m_thumbnailPresence(environment.animator, this, preview.thumbnail ? 1 : 0, [this] { update(); })
    , m_pointerView(new WindowPreviewPointerView(environment.store.environment().scheduler, this))
    , m_closeButton(new CardSymbolButton(CardSymbolButton::Style::Close, QStringLiteral("xmark"), m_animator, this))
    , m_renameButton(new CardSymbolButton(CardSymbolButton::Style::Plain, QStringLiteral("pencil"), m_animator, this))
    , m_editor(new WindowRenameEditor(m_animator, this))
{
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);
    const QRect body = bodyRect();

    m_pointerView->setGeometry(body);
    m_pointerView->setMouseTracking(true);
    m_pointerView->setCallbacks({
        .clicked = [this] { m_model.click(); },
        .pressChanged = [this](bool lifted) { if (m_strip.pressChanged) m_strip.pressChanged(lifted); },
        .dragChanged = [this](qreal x) { if (m_strip.dragChanged) m_strip.dragChanged(x); },
        .dragEnded = [this] { if (m_strip.dragEnded) m_strip.dragEnded(); },
        .dragRefused = [this] { if (m_strip.dragRefused) m_strip.dragRefused(); },
    });
    connect(m_pointerView, &WindowPreviewPointerView::pressed, &m_model, &WindowPreviewCardModel::pressed);

    // The close button's visible square sits flush in the body's top
    // trailing corner; its widget leaves room for the hover growth.
    const QRectF closeFace = m_closeButton->face();
    m_closeButton->move(body.topRight().x() + 1 - closeButtonCorner - int(closeFace.right()),
        body.top() + closeButtonCorner - int(closeFace.top()));
    connect(m_closeButton, &QAbstractButton::clicked, &m_model, &WindowPreviewCardModel::close);
    connect(m_closeButton, &CardSymbolButton::hoveredChanged, &m_model, &WindowPreviewCardModel::setCloseButtonHovered);

    m_renameButton->move(body.right() + 1 - renameButtonPadding - m_renameButton->width(),
        body.bottom() + 1 - renameButtonPadding - m_renameButton->height());
    m_renameButton->setToolTip(Model::renameHelp);
    connect(m_renameButton, &QAbstractButton::clicked, &m_model, &WindowPreviewCardModel::beginRenaming);
    connect(
        m_renameButton, &CardSymbolButton::hoveredChanged, &m_model, &WindowPreviewCardModel::setRenameButtonHovered);

    m_editor->move(body.left() + int(Model::padding), body.bottom() + 1 - 4 - WindowRenameEditor::height);
    connect(m_editor, &WindowRenameEditor::textEdited, &m_model, &WindowPreviewCardModel::setEditedName);
    connect(m_editor, &WindowRenameEditor::committed, &m_model, &WindowPreviewCardModel::commitRename);
    connect(m_editor, &WindowRenameEditor::cancelled, &m_model, &WindowPreviewCardModel::cancelRename);
    connect(&m_model, &WindowPreviewCardModel::nameFieldFocusRequested, m_editor, &WindowRenameEditor::focusField);

    connect(&m_model, &WindowPreviewCardModel::changed, this, [this] {
        syncChildren();
        update();
    });
    syncChildren();
}

WindowPreviewCard::~WindowPreviewCard() = default;

void WindowPreviewCard::setPreview(const WindowPreviewItem &preview)
{
    const bool had = m_model.preview().thumbnail.has_value();
    const bool has = preview.thumbnail.has_value();
    if (has)
        m_thumbnail = *preview.thumbnail;
    m_model.setPreview(preview);
    if (had != has)
        m_thumbnailPresence.animateTo(has ? 1 : 0, Motion::easeOut(180, Motion::Kind::Fade));
}

void WindowPreviewCard::setAppIcon(const QIcon &icon)
{
    m_appIcon = icon;
    update();
}

void WindowPreviewCard::setDragging(bool dragging)
{
    m_model.setDragging(dragging);
}

void WindowPreviewCard::setLifted(bool lifted)
{
    m_model.setLifted(lifted);
    motion().setLifted(lifted);
}

void WindowPreviewCard::setStripCallbacks(StripCallbacks callbacks)
{
    m_strip = std::move(callbacks);
}

QRectF WindowPreviewCard::badgeRect()
{
    const qreal side = 12;
    const qreal rowTop = Model::padding + Model::pictureSize.height() + Model::rowSpacing;
    const qreal right = Model::padding + Model::pictureSize.width() - Model::titleTrailingPadding;
    return QRectF(right - side, rowTop + (Model::titleRowHeight - side) / 2, side, side);
}

void WindowPreviewCard::syncChildren()
{
    const Model::Children c = m_model.children();
    syncButtonVisibility();
    m_pointerView->setCanDrag(m_model.canDrag());
    m_closeButton->setToolTip(m_model.closeHelp());
    m_renameButton->setAccessibleName(m_model.renameAccessibleName());
    if (c.editor && m_editor->isHidden())
        m_editor->setText(m_model.editedName());
    m_editor->setVisible(c.editor);
    if (c.editor)
        m_editor->raise();
    m_model.setMinimizedBadgeFrame(c.badge ? std::optional<QRectF>(badgeRect()) : std::nullopt);
    setAccessibleName(m_model.name());
    setAccessibleDescription(m_model.accessibilityValue());
}

void WindowPreviewCard::syncButtonVisibility()
{
    // The child widgets do not take part in the card's motion, so they wait
    // until the card has risen into place and leave as it starts closing.
    const Model::Children c = m_model.children();
    const bool settled = isSettled();
    m_closeButton->setVisible(settled && c.closeButton);
    m_renameButton->setVisible(settled && c.renameButton);
}

// Every frame of the card's motion: only what waits for the card to settle.
void WindowPreviewCard::motionChanged()
{
    syncButtonVisibility();
}

void WindowPreviewCard::paintBody(QPainter &painter)
{
    const QRectF body(QPointF(0, 0), Model::size);
    const Model::Border border = m_model.border();

    painter.setPen(Qt::NoPen);
    painter.setBrush(white(m_model.backgroundOpacity()));
    painter.drawRoundedRect(body, bodyRadius, bodyRadius);

    paintPicture(painter, QRectF(QPointF(Model::padding, Model::padding), Model::pictureSize));
    if (m_model.children().titleRow)
        paintTitleRow(painter);

    // Stroked inside the edge.
    QColor stroke = border.accent ? palette().color(QPalette::Highlight) : white(1);
    stroke.setAlphaF(float(border.opacity));
    const qreal inset = border.width / 2;
    painter.setPen(QPen(stroke, border.width));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(body.adjusted(inset, inset, -inset, -inset), bodyRadius - inset, bodyRadius - inset);
}

void WindowPreviewCard::paintPicture(QPainter &painter, const QRectF &rect)
{
    painter.save();
    QPainterPath clip;
    clip.addRoundedRect(rect, pictureRadius, pictureRadius);
    painter.setClipPath(clip);
    painter.fillPath(clip, black(0.36));

    const qreal presence = std::clamp(m_thumbnailPresence.value(), 0.0, 1.0);
    const qreal opacity = painter.opacity();
    if (presence < 1) {
        painter.setOpacity(opacity * (1 - presence));
        const bool caption = m_model.preview().isMinimized;
        const QFont font = captionFont();
        const qreal captionHeight = caption ? QFontMetricsF(font).height() : 0;
        const qreal stackHeight = Model::iconSide + (caption ? 9 + captionHeight : 0);
        const qreal top = rect.center().y() - stackHeight / 2;
        const QRectF iconRect(rect.center().x() - Model::iconSide / 2, top, Model::iconSide, Model::iconSide);
        m_appIcon.paint(&painter, iconRect.toRect());
        if (caption) {
            painter.setFont(font);
            painter.setPen(secondaryText);
            painter.drawText(QRectF(rect.left(), iconRect.bottom() + 9, rect.width(), captionHeight), Qt::AlignCenter,
                Model::minimizedCaption);
        }
    }
    if (presence > 0 && !m_thumbnail.isNull()) {
        painter.setOpacity(opacity * presence);
        // Fitted, keeping the window's proportions, in the middle of the picture.
        QSizeF fitted = QSizeF(m_thumbnail.size()).scaled(rect.size(), Qt::KeepAspectRatio);
        const QRectF target(rect.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, m_thumbnail);
    }
    painter.restore();
}

void WindowPreviewCard::paintTitleRow(QPainter &painter)
{
    const qreal top = Model::padding + Model::pictureSize.height() + Model::rowSpacing;
    const QRectF row(Model::padding, top, Model::pictureSize.width() - Model::titleTrailingPadding,
        Model::titleRowHeight);
    qreal textWidth = row.width();
    if (m_model.preview().isMinimized) {
        const QRectF badge = badgeRect();
        CardSymbols::draw(painter, QStringLiteral("minus.square"), badge, secondaryText);
        textWidth = badge.left() - 6 - row.left();
    }
    const QFont font = titleFont();
    painter.setFont(font);
    painter.setPen(primaryText);
    const QString text = QFontMetricsF(font).elidedText(m_model.name(), Qt::ElideRight, textWidth);
    painter.drawText(QRectF(row.left(), row.top(), textWidth, row.height()), Qt::AlignLeft | Qt::AlignVCenter, text);
}

bool WindowPreviewCard::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::HoverEnter:
        m_model.setHovering(true);
        break;
    case QEvent::HoverLeave:
        m_model.updateBadgeHover(std::nullopt);
        m_model.setHovering(false);
        break;
    case QEvent::HoverMove: {
        const QPointF local = static_cast<QHoverEvent *>(event)->position();
        m_model.updateBadgeHover(local - QPointF(bodyRect().topLeft()));
        break;
    }
    default:
        break;
    }
    return WindowPreviewCardFrame::event(event);
}

void WindowPreviewCard::mousePressEvent(QMouseEvent *event)
{
    // A Control-click travels here from the pointer layer: the menu opens.
    if (event->button() == Qt::LeftButton && event->modifiers().testFlag(Qt::ControlModifier)) {
        popUpMenu(event->globalPosition().toPoint());
        event->accept();
        return;
    }
    WindowPreviewCardFrame::mousePressEvent(event);
}

void WindowPreviewCard::contextMenuEvent(QContextMenuEvent *event)
{
    popUpMenu(event->globalPos());
    event->accept();
}

QMenu *WindowPreviewCard::popUpMenu(const QPoint &globalPosition)
{
    m_model.pressed();
    // Built as it opens; it lives until it closes. The picker stays open
    // behind it.
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setPalette(VelmoraPalette::menu());
    for (const Model::MenuEntry &entry : m_model.menuEntries())
        AppMenuItem::add(menu, entry.title, QIcon(), entry.action);
    connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    menu->popup(globalPosition);
    return menu;
}

void WindowPreviewCard::hideEvent(QHideEvent *event)
{
    WindowPreviewCardFrame::hideEvent(event);
    m_model.disappeared();
}

} // namespace Velmora
