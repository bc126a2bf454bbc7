#include "../store/storeworld.h"
#include "bar/model/animator.h"
#include "cardfakes.h"
#include "picker/cardsymbolbutton.h"
#include "picker/newwindowplaceholdercard.h"
#include "picker/windowpreviewcard.h"
#include "picker/windowpreviewpointerview.h"
#include "picker/windowrenameeditor.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using namespace Velmora;

namespace {

QIcon squareIcon(const QColor &colour)
{
    QPixmap pixmap(48, 48);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

// One card of an editor with two windows, in a dark host widget, on a
// virtual clock. Motion is instant unless a test wants to watch it.
struct Fixture : Test::StoreWorld
{
    qint32 editor = addAppWithTwoWindows("Editor");
    std::unique_ptr<TaskbarStore> store = make(false);
    Animator animator { clock, clock };
    Test::RecordingCardActions actions;
    Test::RecordingTooltip tooltip;
    QWidget host;
    WindowPreviewCard *card = nullptr;
    QStringList strip;

    explicit Fixture(std::function<void(WindowPreviewItem &)> adjust = {})
    {
        animator.setInstant(true);
        store->windowPicker().prepareWindowPicker(appItem("Editor"), 1);
        background.runAll();
        WindowPreviewItem preview = store->windowPicker().windowPreviews().constLast();
        if (adjust)
            adjust(preview);
        host.resize(WindowPreviewCardFrame::outerSize() + QSize(20, 20));
        host.setAutoFillBackground(true);
        QPalette palette = host.palette();
        palette.setColor(QPalette::Window, QColor(38, 38, 43));
        host.setPalette(palette);
        card = new WindowPreviewCard({ *store, animator, actions, tooltip }, appItem("Editor"),
            squareIcon(QColor(40, 120, 220)), preview, 0, false, &host);
        card->placeBody(QPoint(10, 10) + QPoint(card->overhang().left(), card->overhang().top()));
        card->setStripCallbacks({
            .pressChanged = [this](bool lifted) { strip << (lifted ? "lift" : "drop"); },
            .dragChanged = [this](qreal x) { strip << QStringLiteral("drag %1").arg(x); },
            .dragEnded = [this] { strip << "end"; },
            .dragRefused = [this] { strip << "refused"; },
        });
        host.show();
    }

    void mouse(QEvent::Type type, QPointF pos, qint64 timestampMs, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *target = card->pointerView();
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, modifiers);
        event.setTimestamp(quint64(timestampMs));
        QApplication::sendEvent(target, &event);
    }
};

} // namespace

class TestWindowPreviewCard : public QObject
{
    Q_OBJECT
private slots:
    void isTheSizeOfACard()
    {
        Fixture f;
        QCOMPARE(f.card->bodyRect().size(), QSize(224, 159));
        QCOMPARE(f.card->pointerView()->geometry(), f.card->bodyRect());
        QCOMPARE(f.card->bodyPosition(), QPoint(10, 10) + QPoint(16, 12));
    }

    void pointerEventsWithTimestamps()
    {
        // A click focuses the window through the store, after closing the picker.
        {
            Fixture f;
            f.mouse(QEvent::MouseButtonPress, { 50, 50 }, 1000);
            f.mouse(QEvent::MouseMove, { 52, 51 }, 1040);
            f.mouse(QEvent::MouseButtonRelease, { 52, 51 }, 1100);
            QCOMPARE(f.actions.log.size(), 3);
            QCOMPARE(f.actions.log.first(), QStringLiteral("dismiss"));
            QCOMPARE(f.actions.log.last(), QStringLiteral("focus First native=0"));
            QVERIFY(f.strip.isEmpty());
            QCOMPARE(f.tooltip.log, QStringList({ "hide" }));
        }
        // Held still: lifted at 0.25 s, dropped at the release, no click.
        {
            Fixture f;
            f.mouse(QEvent::MouseButtonPress, { 50, 50 }, 1000);
            f.clock.advance(250);
            QCOMPARE(f.strip, QStringList({ "lift" }));
            f.mouse(QEvent::MouseButtonRelease, { 50, 50 }, 1300);
            QCOMPARE(f.strip, QStringList({ "lift", "drop" }));
            QVERIFY(f.actions.log.isEmpty());
        }
        // A drag in document coordinates (the host here), then its end.
        {
            Fixture f;
            f.mouse(QEvent::MouseButtonPress, { 50, 50 }, 1000);
            f.mouse(QEvent::MouseMove, { 53, 50 }, 1010);
            f.mouse(QEvent::MouseMove, { 60, 50 }, 1020);
            f.mouse(QEvent::MouseMove, { 90, 52 }, 1030);
            f.mouse(QEvent::MouseButtonRelease, { 90, 52 }, 1100);
            QCOMPARE(f.strip, QStringList({ "drag 10", "drag 40", "end" }));
            QVERIFY(f.actions.log.isEmpty());
        }
        // Not in the fixed order: the drag is refused once, and is no click.
        {
            Fixture f;
            f.store->setWindowPreviewSortOrder(WindowPreviewSortOrder::Alphabetical);
            f.mouse(QEvent::MouseButtonPress, { 50, 50 }, 1000);
            f.mouse(QEvent::MouseMove, { 60, 50 }, 1010);
            f.mouse(QEvent::MouseMove, { 90, 50 }, 1020);
            f.mouse(QEvent::MouseButtonRelease, { 90, 50 }, 2000);
            QCOMPARE(f.strip, QStringList({ "refused" }));
            QVERIFY(f.actions.log.isEmpty());
        }
        // Control-click opens the card's menu and reports nothing.
        {
            Fixture f;
            f.mouse(QEvent::MouseButtonPress, { 50, 50 }, 1000, Qt::ControlModifier);
            f.mouse(QEvent::MouseButtonRelease, { 50, 50 }, 1050, Qt::ControlModifier);
            QMenu *menu = f.card->findChild<QMenu *>();
            QVERIFY(menu);
            QCOMPARE(menu->actions().size(), 1);
            QVERIFY(f.strip.isEmpty());
            QVERIFY(f.actions.log.isEmpty());
            menu->close();
        }
        // The picker closes while the card is held and lifted.
        {
            Fixture f;
            f.mouse(QEvent::MouseButtonPress, { 50, 50 }, 1000);
            f.clock.advance(300);
            f.host.hide();
            QCOMPARE(f.strip, QStringList({ "lift", "drop", "end" }));
            f.mouse(QEvent::MouseButtonRelease, { 50, 50 }, 1400);
            QCOMPARE(f.strip.size(), 3);
        }
    }

    void dragsInTheScrolledDocumentAndScrollsAtTheEdge()
    {
        // A card in a strip wider than its scroller, the strip scrolled 100
        // points: distances are the document's, and a drag past the right
        // edge scrolls the strip and counts the scroll.
        Fixture f;
        QScrollArea area;
        area.resize(400, 260);
        area.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        auto *strip = new QWidget;
        strip->resize(1200, 200);
        f.card->setParent(strip);
        f.card->placeBody(QPoint(250, 8));
        f.card->show();
        area.setWidget(strip);
        area.show();
        area.horizontalScrollBar()->setValue(100);
        QVERIFY(f.card->isVisible());
        QCOMPARE(f.card->pointerView()->documentPoint(QPointF(10, 10)), QPointF(260, 18));

        f.mouse(QEvent::MouseButtonPress, { 20, 50 }, 1000);
        f.mouse(QEvent::MouseMove, { 40, 50 }, 1010);
        QCOMPARE(f.strip, QStringList({ "drag 20" }));
        // 250 - 100 = 150 in the viewport; 20 points of the card lie beyond
        // its 400-point width less the 16-point edge.
        const int viewportWidth = area.viewport()->width();
        const qreal beyond = viewportWidth - 150 + 4;
        f.mouse(QEvent::MouseMove, { beyond, 50 }, 1020);
        const int scrolled = area.horizontalScrollBar()->value() - 100;
        QCOMPARE(scrolled, int(beyond + 150 - (viewportWidth - 16)));
        QCOMPARE(f.strip.last(), QStringLiteral("drag %1").arg(beyond - 20 + scrolled));
        f.mouse(QEvent::MouseButtonRelease, { beyond, 50 }, 1100);
        QCOMPARE(f.strip.last(), QStringLiteral("end"));
    }

    void childWidgetsFollowTheCardsState()
    {
        Fixture f([](WindowPreviewItem &p) { p.isClosable = true; });
        WindowPreviewCard &card = *f.card;
        QVERIFY(card.closeButton()->isHidden());
        QVERIFY(card.renameButton()->isVisible());
        QVERIFY(card.editor()->isHidden());

        card.model().setHovering(true);
        QVERIFY(card.closeButton()->isVisible());
        QCOMPARE(card.closeButton()->toolTip(), QStringLiteral("Close First"));
        card.setLifted(true);
        QVERIFY(card.closeButton()->isHidden());
        QVERIFY(card.renameButton()->isHidden());
        card.setLifted(false);
        card.setDragging(true);
        QVERIFY(card.closeButton()->isHidden());
        QVERIFY(card.renameButton()->isVisible());
        card.setDragging(false);

        card.closeButton()->click();
        QCOMPARE(f.actions.log, QStringList({ "close First" }));
        // The buttons do not take part in the card's motion: they leave as
        // the closing card starts to fade.
        card.setClosing(true);
        QVERIFY(card.closeButton()->isHidden());
        QVERIFY(card.renameButton()->isHidden());
        card.setClosing(false);
        QVERIFY(card.closeButton()->isVisible());

        // The close button sits flush in the top trailing corner, the pencil
        // 4 points in from the bottom trailing one.
        const QRect body = card.bodyRect();
        const QRectF closeFace = card.closeButton()->face().translated(card.closeButton()->pos());
        QCOMPARE(closeFace.topRight(), QPointF(body.right() + 1, body.top()));
        QCOMPARE(card.renameButton()->geometry().bottomRight() + QPoint(1, 1),
            body.bottomRight() + QPoint(1, 1) - QPoint(4, 4));
    }

    void renameWithReturnAndEscape()
    {
        Fixture f;
        // An Escape that reached the card would close the picker's popover.
        struct KeySpy : QObject
        {
            int escapes = 0;
            bool eventFilter(QObject *, QEvent *event) override
            {
                if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
                    ++escapes;
                return false;
            }
        } spy;
        f.card->installEventFilter(&spy);
        f.host.installEventFilter(&spy);

        f.card->renameButton()->click();
        QLineEdit *field = f.card->editor()->field();
        QVERIFY(f.card->editor()->isVisible());
        QVERIFY(f.card->renameButton()->isHidden());
        QCOMPARE(field->text(), QStringLiteral("First"));
        f.clock.advance(60);
        QVERIFY(f.card->model().isNameFieldFocused());

        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, "Notes");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(f.actions.log, QStringList({ "rename First 'Notes'" }));
        QVERIFY(f.card->editor()->isHidden());
        QCOMPARE(f.card->model().name(), QStringLiteral("Notes"));

        f.card->beginRenaming();
        QCOMPARE(field->text(), QStringLiteral("Notes"));
        QTest::keyClicks(field, " draft");
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(f.card->editor()->isHidden());
        QCOMPARE(f.actions.log.size(), 1);
        QCOMPARE(f.card->model().name(), QStringLiteral("Notes"));
        QCOMPARE(spy.escapes, 0);

        // Saving the prefilled name unchanged stores nothing.
        f.card->beginRenaming();
        f.card->editor()->saveButton()->click();
        QCOMPARE(f.actions.log.size(), 1);
    }

    void paintsThumbnailOrIcon()
    {
        Fixture withIcon;
        const QPoint pictureCentre = withIcon.card->bodyRect().topLeft() + QPoint(7 + 105, 7 + 61);
        QImage shot = withIcon.card->grab().toImage();
        QCOMPARE(shot.pixelColor(pictureCentre), QColor(40, 120, 220));

        QImage red(300, 200, QImage::Format_ARGB32);
        red.fill(Qt::red);
        Fixture withThumbnail([&red](WindowPreviewItem &p) { p.thumbnail = red; });
        shot = withThumbnail.card->grab().toImage();
        QCOMPARE(shot.pixelColor(pictureCentre), QColor(Qt::red));

        // The thumbnail fades in when it arrives.
        withIcon.animator.setInstant(false);
        WindowPreviewItem preview = withIcon.card->preview();
        preview.thumbnail = red;
        withIcon.card->setPreview(preview);
        withIcon.clock.advance(90);
        const QColor midway = withIcon.card->grab().toImage().pixelColor(pictureCentre);
        QVERIFY(midway != QColor(Qt::red) && midway != QColor(40, 120, 220));
        withIcon.clock.advance(120);
        QCOMPARE(withIcon.card->grab().toImage().pixelColor(pictureCentre), QColor(Qt::red));
    }

    void placeholderIsACardThatTakesNoInput()
    {
        Fixture f;
        NewWindowPlaceholderCard placeholder(f.animator, f.clock, squareIcon(Qt::green));
        QCOMPARE(placeholder.size(), WindowPreviewCardFrame::outerSize());
        QCOMPARE(placeholder.accessibleName(), QStringLiteral("Opening new window"));
        QVERIFY(placeholder.testAttribute(Qt::WA_TransparentForMouseEvents));
        placeholder.show();
        const QPoint iconCentre = placeholder.bodyRect().topLeft() + QPoint(7 + 105, 7 + 61);
        QCOMPARE(placeholder.grab().toImage().pixelColor(iconCentre), QColor(Qt::green));
    }

    // Pictures for a person to look at: VELMORA_PICKER_SHOTS=<folder>.
    void screenshots()
    {
        const QString folder = qEnvironmentVariable("VELMORA_PICKER_SHOTS");
        if (folder.isEmpty())
            QSKIP("set VELMORA_PICKER_SHOTS to a folder to write the card's pictures");
        const auto thumbnail = [] {
            QImage image(640, 400, QImage::Format_ARGB32);
            image.fill(QColor(235, 235, 240));
            QPainter p(&image);
            p.fillRect(0, 0, 640, 36, QColor(200, 200, 210));
            p.setPen(Qt::black);
            p.setFont(QFont(QString(), 22));
            p.drawText(QRect(20, 60, 600, 300), Qt::TextWordWrap, "Dear team,\nthe quarterly notes are attached.");
            return image;
        }();
        struct Shot
        {
            const char *name;
            std::function<void(WindowPreviewItem &)> adjust;
            std::function<void(Fixture &)> act;
        };
        const QList<Shot> shots {
            { "thumbnail", [&](WindowPreviewItem &p) { p.thumbnail = thumbnail; }, {} },
            { "hovered", [&](WindowPreviewItem &p) {
                 p.thumbnail = thumbnail;
                 p.isClosable = true;
                 p.title = "A very long window title that does not fit on the card";
             }, [](Fixture &f) { f.card->model().setHovering(true); } },
            { "minimized", [](WindowPreviewItem &p) { p.isMinimized = true; }, {} },
            { "renaming", {}, [](Fixture &f) { f.card->beginRenaming(); } },
            { "lifted", [&](WindowPreviewItem &p) { p.thumbnail = thumbnail; },
                [](Fixture &f) { f.card->setLifted(true); } },
        };
        for (const bool dark : { true, false }) {
            QPalette palette = dark ? QPalette(QColor(53, 53, 53)) : QPalette(QColor(239, 239, 239));
            QApplication::setPalette(palette);
            for (const Shot &shot : shots) {
                Fixture f(shot.adjust);
                if (shot.act)
                    shot.act(f);
                f.clock.advance(500);
                const QString path = QStringLiteral("%1/card-%2-%3.png").arg(folder, shot.name, dark ? "dark" : "light");
                QVERIFY(f.host.grab().save(path));
            }
        }
    }
};

QTEST_MAIN(TestWindowPreviewCard)
#include "tst_windowpreviewcard.moc"
