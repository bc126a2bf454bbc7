#include "picker/newwindowplaceholdercard.h"

#include "picker/model/windowpreviewcardmodel.h"

#include <QPainter>
#include <QPainterPath>

namespace Velmora {

namespace {
using Model = WindowPreviewCardModel;
}

const QString NewWindowPlaceholderCard::title = QStringLiteral("New Window");
const QString NewWindowPlaceholderCard::accessibleLabel = QStringLiteral("Opening new window");

NewWindowPlaceholderCard::NewWindowPlaceholderCard(
    Animator &animator, Scheduler &scheduler, const QIcon &appIcon, QWidget *parent)
    : WindowPreviewCardFrame(animator, scheduler, 0, false, parent)
    , m_appIcon(appIcon)
{
    setAccessibleName(accessibleLabel);
    // Nothing to press: clicks fall through to the strip.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

NewWindowPlaceholderCard::~NewWindowPlaceholderCard() = default;

void NewWindowPlaceholderCard::paintBody(QPainter &painter)
{
    const QRectF body(QPointF(0, 0), Model::size);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgbF(1, 1, 1, 0.05f));
    painter.drawRoundedRect(body, 7, 7);

    const QRectF picture(QPointF(Model::padding, Model::padding), Model::pictureSize);
    QPainterPath clip;
    clip.addRoundedRect(picture, 5, 5);
    painter.fillPath(clip, QColor::fromRgbF(0, 0, 0, 0.36f));
    const QRectF icon(picture.center() - QPointF(Model::iconSide / 2, Model::iconSide / 2),
        QSizeF(Model::iconSide, Model::iconSide));
    m_appIcon.paint(&painter, icon.toRect());

    QFont font;
    font.setPixelSize(12);
    font.setWeight(QFont::Medium);
    painter.setFont(font);
    painter.setPen(QColor::fromRgbF(1, 1, 1, 0.55f));
    const QRectF row(Model::padding, picture.bottom() + Model::rowSpacing, Model::pictureSize.width(),
        Model::titleRowHeight);
    painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, title);

    painter.setPen(QPen(QColor::fromRgbF(1, 1, 1, 0.08f), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), 6.5, 6.5);
}

} // namespace Velmora
