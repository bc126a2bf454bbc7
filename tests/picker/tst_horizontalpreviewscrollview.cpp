#include "bar/model/animator.h"
#include "picker/horizontalpreviewscrollview.h"
#include "picker/model/windowpreviewscrollermodel.h"
#include "picker/previewscrollknobview.h"
#include "picker/thinpreviewscroller.h"
#include "platform/sim/virtualclock.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

using namespace Velmora;

namespace {

QStringList cards(int count)
{
    QStringList ids;
    for (int i = 0; i < count; ++i)
        ids << QStringLiteral("card-%1").arg(i);
    return ids;
}

struct View
{
    Sim::VirtualClock clock;
    Animator animator { clock, clock };
    WindowPreviewScrollerModel model { animator, clock };
    HorizontalPreviewScrollView view { model };
    QWidget *document = new QWidget;

    explicit View(int count)
    {
        view.setDocument(document);
        model.update(cards(count), std::nullopt);
        view.resize(704, count >= 4 ? 197 : 183);
        view.show();
    }
};

} // namespace

class TestHorizontalPreviewScrollView : public QObject
{
    Q_OBJECT
private slots:
    void documentFollowsTheModel()
    {
        View v(6);
        QCOMPARE(v.view.viewport()->size(), QSize(704, 183));
        QCOMPARE(v.model.visibleWidth(), 704.0);
        QCOMPARE(v.document->geometry(), QRect(0, 0, 1394, 183));
        v.model.scrollTo(300);
        QCOMPARE(v.document->geometry(), QRect(-300, 0, 1394, 183));
        // A card dragged against the edge scrolls the area the generic way.
        v.view.horizontalScrollBar()->setValue(120);
        QCOMPARE(v.model.offset(), 120.0);
        QCOMPARE(v.document->x(), -120);
    }

    // The knob shows from four cards on, over the bar 16 points above the
    // bottom edge, 5 points below the bar's top and 7 high.
    void knob_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("shown");
        QTest::newRow("three") << 3 << false;
        QTest::newRow("four") << 4 << true;
    }
    void knob()
    {
        QFETCH(int, count);
        QFETCH(bool, shown);
        View v(count);
        QCOMPARE(v.view.knobView()->isVisible(), shown);
        QCOMPARE(v.view.scroller()->isVisible(), shown);
        if (!shown) {
            QCOMPARE(v.view.viewport()->height(), 183);
            return;
        }
        QCOMPARE(v.view.scroller()->geometry(), QRect(0, 197 - 16 - 14, 704, 14));
        const QRect knob = v.view.knobView()->geometry();
        QCOMPARE(knob.top(), 197 - 16 - 14 + 5);
        QCOMPARE(knob.height(), 7);
        QCOMPARE(knob.left(), 2);
        // The knob never takes a click; the bar under it does.
        QVERIFY(v.view.knobView()->testAttribute(Qt::WA_TransparentForMouseEvents));
    }

    void draggingTheKnobScrolls()
    {
        View v(6);
        ThinPreviewScroller *bar = v.view.scroller();
        const QRectF knob = *bar->knobRect();
        const QPoint grab = knob.center().toPoint();
        QTest::mousePress(bar, Qt::LeftButton, {}, grab);
        QTest::mouseMove(bar, grab + QPoint(100, 0));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, grab + QPoint(100, 0));
        // The knob travels the bar less its length over the whole scroll range.
        const double travel = 704 - (knob.width() + 4);
        QVERIFY(qAbs(v.model.offset() - 100 * 690 / travel) < 1);
        // A press beside the knob pages towards it.
        v.model.scrollTo(0);
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(690, 7));
        QCOMPARE(v.model.offset(), 690.0);
    }

    void verticalWheelScrollsSideways()
    {
        View v(6);
        QWheelEvent notch(QPointF(100, 100), v.view.mapToGlobal(QPointF(100, 100)), QPoint(), QPoint(0, -120),
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(v.view.viewport(), &notch);
        QCOMPARE(v.model.offset(), 28.0);
        QCOMPARE(v.document->x(), -28);
        QWheelEvent swipe(QPointF(100, 100), v.view.mapToGlobal(QPointF(100, 100)), QPoint(0, -40), QPoint(0, -120),
            Qt::NoButton, Qt::NoModifier, Qt::ScrollUpdate, false);
        QApplication::sendEvent(v.view.viewport(), &swipe);
        QCOMPARE(v.model.offset(), 68.0);
    }
};

QTEST_MAIN(TestHorizontalPreviewScrollView)
#include "tst_horizontalpreviewscrollview.moc"
