#include "startmenu/startmenusearchfield.h"

#include "startmenu/model/startmenulayout.h"
#include "startmenu/model/startmenutexts.h"
#include "startmenu/model/startmenuviewmodel.h"
#include "startmenu/startmenustyle.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace Velmora {

namespace {

// The clear button: a filled circle in the secondary colour with a cross
// cut out of it.
class ClearButton : public QWidget
{
public:
    explicit ClearButton(std::function<void()> action, QWidget *parent)
        : QWidget(parent)
        , m_action(std::move(action))
    {
        setCursor(Qt::ArrowCursor);
        setAccessibleName(QStringLiteral("Clear"));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal side = std::min(width(), height()) - 2;
        const QRectF circle(QPointF(width() - side, height() - side) / 2, QSizeF(side, side));
        painter.setPen(Qt::NoPen);
        painter.setBrush(StartMenuStyle::secondaryText());
        painter.drawEllipse(circle);
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        const qreal arm = side * 0.2;
        const QPointF c = circle.center();
        painter.setPen(QPen(Qt::black, 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(c + QPointF(-arm, -arm), c + QPointF(arm, arm));
        painter.drawLine(c + QPointF(-arm, arm), c + QPointF(arm, -arm));
    }
    void mousePressEvent(QMouseEvent *event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && m_action)
            m_action();
    }

private:
    std::function<void()> m_action;
};

} // namespace

StartMenuSearchField::StartMenuSearchField(StartMenuViewModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_field(new QLineEdit(this))
    , m_clear(new ClearButton([&model] { model.clearSearch(); }, this))
{
    setAttribute(Qt::WA_NoSystemBackground);
    m_field->setFrame(false);
    m_field->setPlaceholderText(StartMenuTexts::searchPlaceholder());
    m_field->setFont(StartMenuStyle::font(14));
    m_field->setAttribute(Qt::WA_MacShowFocusRect, false);
    QPalette palette = m_field->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::Text, StartMenuStyle::primaryText());
    palette.setColor(QPalette::PlaceholderText, StartMenuStyle::secondaryText());
    palette.setColor(QPalette::Highlight, QColor(70, 120, 220));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    m_field->setPalette(palette);
    m_field->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; border: none; }"));
    m_field->installEventFilter(this);
    // Return does nothing of its own here.
    connect(m_field, &QLineEdit::textEdited, this, [this](const QString &text) { m_model.setSearchText(text); });
    syncText();
}

QSize StartMenuSearchField::sizeHint() const
{
    return {int(StartMenuLayout::listColumnWidth - 2 * StartMenuLayout::searchInset),
            int(StartMenuLayout::searchHeight)};
}

void StartMenuSearchField::syncText()
{
    const QString text = m_model.searchText();
    if (m_field->text() != text)
        m_field->setText(text);
    m_clear->setVisible(m_model.showsClearButton());
    layOut();
}

void StartMenuSearchField::focusField()
{
    if (QWidget *w = window(); w && !w->isActiveWindow())
        w->activateWindow();
    m_field->setFocus(Qt::OtherFocusReason);
}

bool StartMenuSearchField::eventFilter(QObject *watched, QEvent *event)
{
    // The popover came up without the keyboard: a click asks for it.
    if (watched == m_field && event->type() == QEvent::MouseButtonPress)
        focusField();
    return QWidget::eventFilter(watched, event);
}

void StartMenuSearchField::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void StartMenuSearchField::layOut()
{
    const int left = capsuleInset + glyphSide + spacing;
    int right = width() - capsuleInset;
    if (m_clear->isVisible()) {
        const int side = 16;
        m_clear->setGeometry(right - side, (height() - side) / 2, side, side);
        right -= side + spacing;
    }
    m_field->setGeometry(left, 0, std::max(0, right - left), height());
}

void StartMenuSearchField::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath capsule;
    const qreal radius = height() / 2.0;
    capsule.addRoundedRect(QRectF(rect()), radius, radius);
    painter.fillPath(capsule, StartMenuStyle::white(0.08));

    const QRect glyph(capsuleInset, (height() - glyphSide) / 2, glyphSide, glyphSide);
    const QPixmap symbol = StartMenuStyle::symbol(QStringLiteral("magnifyingglass"), glyphSide,
                                                  StartMenuStyle::secondaryText(), devicePixelRatioF());
    if (!symbol.isNull())
        painter.drawPixmap(glyph, symbol);
}

} // namespace Velmora
