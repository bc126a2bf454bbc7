#include "picker/windowpickerview.h"

#include "bar/visualeffectview.h"
#include "picker/model/storewindowcardactions.h"
#include "picker/model/windowpreviewstripmodel.h"
#include "picker/newwindowbutton.h"
#include "picker/windowpreviewscroller.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

#include <algorithm>

namespace Velmora {

const QString WindowPickerView::dragHintText = QStringLiteral("Windows can only be dragged in Fixed order");
const QString WindowPickerView::screenRecordingText = QStringLiteral("Allow Screen Recording for live thumbnails.");
const QString WindowPickerView::allowButtonTitle = QStringLiteral("Allow\u2026");

namespace {

// The picker is always dark, whatever the desktop's scheme.
const QColor tint = QColor::fromRgbF(0.08f, 0.09f, 0.12f, 0.8f);
const QColor hintColour = QColor::fromRgb(255, 159, 10);

QColor secondary()
{
    return QColor::fromRgbF(1, 1, 1, 0.55f);
}

QPalette darkPalette(QPalette palette)
{
    palette.setColor(QPalette::Window, QColor::fromRgb(30, 31, 36));
    palette.setColor(QPalette::WindowText, Qt::white);
    palette.setColor(QPalette::Text, Qt::white);
    palette.setColor(QPalette::ButtonText, Qt::white);
    palette.setColor(QPalette::Button, QColor::fromRgb(62, 63, 70));
    palette.setColor(QPalette::Base, QColor::fromRgb(24, 25, 30));
    palette.setColor(QPalette::Light, QColor::fromRgb(90, 91, 98));
    palette.setColor(QPalette::Midlight, QColor::fromRgb(76, 77, 84));
    palette.setColor(QPalette::Mid, QColor::fromRgb(50, 51, 58));
    palette.setColor(QPalette::Dark, QColor::fromRgb(20, 20, 24));
    palette.setColor(QPalette::Shadow, Qt::black);
    palette.setColor(QPalette::PlaceholderText, secondary());
    return palette;
}

QFont pickerFont(qreal pixelSize, QFont::Weight weight)
{
    QFont f;
    f.setPixelSize(int(pixelSize));
    f.setWeight(weight);
    return f;
}

QFont captionFont()
{
    return pickerFont(11, QFont::Normal);
}

} // namespace

WindowPickerView::WindowPickerView(const WindowPreviewCard::Environment &environment, const AppItem &app,
    const QIcon &appIcon, std::optional<quint32> displayID, qreal previewCardHeight, QWidget *parent)
    : QWidget(parent)
    , m_model(environment.store, app, displayID, previewCardHeight, environment.animator)
    , m_appIcon(appIcon)
    , m_hintOpacity(environment.animator, this, 0,
          [this] { update(0, 0, width(), WindowPickerLayout::padding + WindowPickerLayout::headerHeight); })
    , m_scroller(new WindowPreviewScroller(m_model, environment, appIcon, this))
    , m_newWindowButton(new NewWindowButton(environment.animator, environment.tooltip, this))
    , m_allowButton(new QPushButton(allowButtonTitle, this))
{
    setPalette(darkPalette(palette()));
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::StrongFocus);
    // The loop asks the store only while the picker is on screen.
    m_model.setShown(false);

    m_newWindowButton->hide();
    connect(m_newWindowButton, &QAbstractButton::clicked, this, [this] { m_model.openNewWindow(); });
    m_allowButton->setFont(captionFont());
    m_allowButton->setFocusPolicy(Qt::NoFocus);
    m_allowButton->setCursor(Qt::ArrowCursor);
    connect(m_allowButton, &QPushButton::clicked, this, [this] { m_model.requestScreenCapturePermission(); });

    connect(&m_model, &WindowPickerViewModel::changed, this, &WindowPickerView::modelChanged);
    m_model.flush();
    modelChanged(ViewModel::everything);
}

WindowPickerView::WindowPickerView(std::unique_ptr<WindowCardActions> actions, TaskbarStore &store,
    Animator &animator, CardTooltip &tooltip, const AppItem &app, const QIcon &appIcon, std::optional<quint32> displayID,
    qreal previewCardHeight, QWidget *parent)
    : WindowPickerView(WindowPreviewCard::Environment { store, animator, *actions, tooltip },
          app, appIcon, displayID, previewCardHeight, parent)
{
    m_ownedActions = std::move(actions);
}

WindowPickerContent::Factory WindowPickerView::contentFactory(Animator &animator, FileIcons &icons, CardTooltip &tooltip)
{
    return [&animator, &icons, &tooltip](const WindowPickerContent::Context &context, QWidget *parent) -> QWidget * {
        return new WindowPickerView(std::make_unique<StoreWindowCardActions>(context.store), context.store, animator,
            tooltip, context.app, context.app.icon(icons), context.displayID, context.previewCardHeight, parent);
    };
}

WindowPickerView::~WindowPickerView()
{
    // The cards report their last press and drag to the model as they go;
    // they go while it is still there.
    delete m_scroller;
}

void WindowPickerView::modelChanged(quint32 changes)
{
    if (changes & WindowPickerViewModel::HintChanged)
        m_hintOpacity.animateTo(m_model.dragHint().isShowing() ? 1 : 0, Motion::easeOut(hintFadeMs, Motion::Kind::Fade));
    if (changes & WindowPickerViewModel::HeaderChanged) {
        const auto command = m_model.newWindowAction();
        if (command)
            m_newWindowButton->setTitle(command->action.title);
        m_newWindowButton->setVisible(command.has_value());
    }
    if (changes & WindowPickerViewModel::PermissionChanged)
        m_allowButton->setVisible(m_model.showsScreenRecordingRow());
    if (changes & (WindowPickerViewModel::SizeChanged | WindowPickerViewModel::PermissionChanged))
        updateGeometry();
    // The strip follows its own changes (a drag sends one per move); the
    // view lays out and repaints only for what it shows itself.
    if (changes
        & (WindowPickerViewModel::HeaderChanged | WindowPickerViewModel::HintChanged | WindowPickerViewModel::SizeChanged
            | WindowPickerViewModel::PermissionChanged)) {
        layOut();
        update();
    }
}

WindowPickerLayout WindowPickerView::layout() const
{
    const QFontMetrics metrics(captionFont());
    return WindowPickerLayout({
        .width = width(),
        .previewCardHeight = m_model.previewCardHeight(),
        .previewScrollerHeight = m_model.previewScrollerHeight(),
        .showsScreenRecordingRow = m_model.showsScreenRecordingRow(),
        .newWindowButtonSide = NewWindowButton::side,
        .screenRecordingTextWidth = metrics.horizontalAdvance(screenRecordingText),
        .allowTitleWidth = metrics.horizontalAdvance(allowButtonTitle),
    });
}

QSize WindowPickerView::sizeHint() const
{
    return QSize(int(m_model.pickerWidth()), layout().contentHeight());
}

QSize WindowPickerView::minimumSizeHint() const
{
    return QSize(0, layout().contentHeight());
}

void WindowPickerView::layOut()
{
    const WindowPickerLayout layout = this->layout();
    m_scroller->setGeometry(layout.scrollerRect());
    m_newWindowButton->move(layout.newWindowButtonPosition());
    m_allowButton->setGeometry(layout.allowButtonRect());
}

void WindowPickerView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void WindowPickerView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        m_model.dismiss();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void WindowPickerView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_model.setShown(true);
}

void WindowPickerView::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_model.setShown(false);
}

void WindowPickerView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), VisualEffectView::fill(VisualEffectView::Material::Popover));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.fillRect(rect(), tint);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintHeader(painter);
    if (m_model.showsScreenRecordingRow())
        paintScreenRecordingRow(painter);
}

void WindowPickerView::paintHeader(QPainter &painter)
{
    using Layout = WindowPickerLayout;
    const Layout layout = this->layout();
    const QRect row = layout.headerRect();
    const QRect icon = layout.iconRect();
    m_appIcon.paint(&painter, icon);

    int right = row.right() + 1;
    if (m_newWindowButton->isVisible())
        right = m_newWindowButton->x() - Layout::hintLeastGap;
    else
        right -= Layout::hintLeastGap;

    // The name keeps its room; the hint takes what is left.
    const QFont nameFont = pickerFont(13, QFont::DemiBold);
    const QFontMetrics nameMetrics(nameFont);
    const int nameLeft = icon.right() + 1 + Layout::headerSpacing;
    // A pixel of slack: the advance is rounded, and a name that fits must not be elided.
    const int nameWidth
        = std::clamp(nameMetrics.horizontalAdvance(m_model.app().name) + 1, 0, std::max(0, right - nameLeft));
    painter.setFont(nameFont);
    painter.setPen(Qt::white);
    painter.drawText(QRect(nameLeft, row.top(), nameWidth, row.height()), Qt::AlignLeft | Qt::AlignVCenter,
        nameMetrics.elidedText(m_model.app().name, Qt::ElideRight, nameWidth));

    const qreal hint = m_hintOpacity.value();
    const int hintLeft = nameLeft + nameWidth + Layout::headerSpacing;
    if (hint <= 0 || hintLeft >= right)
        return;
    const QFont hintFont = pickerFont(11, QFont::Medium);
    const QFontMetrics hintMetrics(hintFont);
    painter.setFont(hintFont);
    painter.setOpacity(hint);
    painter.setPen(hintColour);
    painter.drawText(QRect(hintLeft, row.top(), right - hintLeft, row.height()), Qt::AlignLeft | Qt::AlignVCenter,
        hintMetrics.elidedText(dragHintText, Qt::ElideRight, right - hintLeft));
    painter.setOpacity(1);
}

void WindowPickerView::paintScreenRecordingRow(QPainter &painter)
{
    const WindowPickerLayout layout = this->layout();
    const QRectF symbol = layout.recordingSymbolRect();
    // A dashed frame with a recording dot: "record the screen".
    QPen dashed(secondary());
    dashed.setWidthF(1.2);
    dashed.setStyle(Qt::DashLine);
    painter.setPen(dashed);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(symbol.adjusted(0, 0, -3, -3), 2, 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(secondary());
    painter.drawEllipse(QPointF(symbol.right() - 2.5, symbol.bottom() - 2.5), 3.2, 3.2);

    painter.setFont(captionFont());
    painter.setPen(secondary());
    painter.drawText(layout.screenRecordingTextRect(), Qt::AlignLeft | Qt::AlignVCenter, screenRecordingText);
}

} // namespace Velmora
