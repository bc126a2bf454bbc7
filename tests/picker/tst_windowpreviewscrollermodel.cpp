#include "bar/model/animator.h"
#include "picker/model/windowpreviewscrollermodel.h"
#include "picker/model/windowpreviewstripmodel.h"
#include "platform/sim/virtualclock.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;

namespace {

// The picker's widest scroll view: 740 points less its padding.
constexpr double visible = 704;

QStringList cards(int count, int first = 0)
{
    QStringList ids;
    for (int i = first; i < first + count; ++i)
        ids << QStringLiteral("card-%1").arg(i);
    return ids;
}

struct Scroller
{
    Sim::VirtualClock clock;
    Animator animator { clock, clock };
    WindowPreviewScrollerModel model { animator, clock };

    explicit Scroller(int count)
    {
        model.setVisibleWidth(visible);
        model.update(cards(count), std::nullopt);
    }

    // Lets a scroll run to its end, one frame at a time.
    QList<double> settle()
    {
        QList<double> offsets;
        for (int frame = 0; frame < 40 && !animator.isIdle(); ++frame) {
            clock.advance(Animator::frameIntervalMs);
            offsets << model.offset();
        }
        return offsets;
    }
};

} // namespace

class TestWindowPreviewScrollerModel : public QObject
{
    Q_OBJECT
private slots:
    void stripIsExactlyAsWideAsItsCards_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("scroller");
        QTest::addColumn<bool>("knob");
        QTest::newRow("none") << 0 << false << false;
        QTest::newRow("one") << 1 << false << false;
        QTest::newRow("three") << 3 << false << false;
        QTest::newRow("four") << 4 << true << true;
        QTest::newRow("ten") << 10 << true << true;
    }
    void stripIsExactlyAsWideAsItsCards()
    {
        QFETCH(int, count);
        QFETCH(bool, scroller);
        QFETCH(bool, knob);
        Scroller s(count);
        QCOMPARE(s.model.documentWidth(), WindowPreviewStripModel::width(count));
        QCOMPARE(s.model.showsScroller(), scroller);
        const QRectF bar = WindowPreviewScrollerModel::scrollerRect(QSizeF(visible, 197));
        QCOMPARE(bar, QRectF(0, 197 - 16 - 14, visible, 14));
        const std::optional<QRectF> rect = s.model.knobRect(bar);
        QCOMPARE(rect.has_value(), knob);
        if (!rect)
            return;
        // 7 points high, 5 below the bar's top, 2 shorter than the bar's knob at each end.
        QCOMPARE(rect->top(), bar.top() + 5);
        QCOMPARE(rect->height(), 7.0);
        const double proportion = visible / s.model.documentWidth();
        QCOMPARE(rect->left(), 2.0);
        QVERIFY(qAbs(rect->width() - (visible * proportion - 4)) < 0.01);
        // Scrolled to the end, the knob ends 2 points short of the bar's end.
        s.model.scrollTo(1e9);
        QCOMPARE(s.model.offset(), s.model.maxOffset());
        QVERIFY(qAbs(s.model.knobRect(bar)->right() - (visible - 2)) < 0.01);
    }

    // Closing the last card while scrolled to the end: the others slide into
    // place over 0.26 s, and only then the strip narrows.
    void shrinkAnimatesBeforeNarrowing()
    {
        Scroller s(5);
        s.model.scrollTo(1e9);
        QCOMPARE(s.model.offset(), 1160 - visible);
        s.model.update(cards(4), std::nullopt);
        QCOMPARE(s.model.documentWidth(), 1160.0);
        QCOMPARE(s.model.pendingDocumentWidth(), std::optional<double>(926));
        s.clock.advance(130);
        QVERIFY(s.model.offset() < 456 && s.model.offset() > 926 - visible);
        QCOMPARE(s.model.documentWidth(), 1160.0);
        const QList<double> offsets = s.settle();
        QVERIFY(std::is_sorted(offsets.crbegin(), offsets.crend()));
        QCOMPARE(s.model.offset(), 926 - visible);
        QCOMPARE(s.model.documentWidth(), 926.0);
        QCOMPARE(s.model.pendingDocumentWidth(), std::nullopt);
    }

    void reduceMotionNarrowsAtOnce()
    {
        Scroller s(5);
        s.animator.setReducesMotion(true);
        s.model.scrollTo(1e9);
        s.model.update(cards(4), std::nullopt);
        QCOMPARE(s.model.documentWidth(), 926.0);
        QCOMPARE(s.model.offset(), 926 - visible);
        QVERIFY(s.animator.isIdle());
    }

    // A new card during a shrink: if it still fits the old width only the
    // pending width changes; if it is wider, the width applies at once. A
    // strip still scrolled past its new end retargets the running scroll.
    void newCardDuringShrink_data()
    {
        QTest::addColumn<qint64>("after");
        QTest::addColumn<int>("then");
        QTest::addColumn<double>("widthDuring");
        QTest::addColumn<std::optional<double>>("pending");
        QTest::addColumn<double>("endOffset");
        QTest::newRow("still fits") << qint64(200) << 5 << 1394.0 << std::optional<double>(1160) << 926 - visible;
        QTest::newRow("wider") << qint64(200) << 7 << 1628.0 << std::optional<double>() << 926 - visible;
        QTest::newRow("still past the new end") << qint64(64) << 5 << 1394.0 << std::optional<double>(1160)
                                                << 1160 - visible;
    }
    void newCardDuringShrink()
    {
        QFETCH(qint64, after);
        QFETCH(int, then);
        QFETCH(double, widthDuring);
        QFETCH(std::optional<double>, pending);
        QFETCH(double, endOffset);
        Scroller s(6);
        s.model.scrollTo(1e9);
        s.model.update(cards(4), std::nullopt);
        QCOMPARE(s.model.pendingDocumentWidth(), std::optional<double>(926));
        s.clock.advance(after);
        s.model.update(cards(then, 10), std::nullopt);
        QCOMPARE(s.model.documentWidth(), widthDuring);
        QCOMPARE(s.model.pendingDocumentWidth(), pending);
        s.settle();
        // The running scroll ends at its target, within the document it has then.
        QCOMPARE(s.model.offset(), endOffset);
        QCOMPARE(s.model.documentWidth(), pending.value_or(widthDuring));
        QCOMPARE(s.model.pendingDocumentWidth(), std::nullopt);
    }

    void revealBringsTheCardIntoView_data()
    {
        QTest::addColumn<double>("startOffset");
        QTest::addColumn<int>("index");
        QTest::addColumn<double>("target");
        QTest::newRow("hidden on the right: right edges align") << 0.0 << 4 << 1160 - visible;
        QTest::newRow("partly hidden on the right") << 0.0 << 3 << 926 - visible;
        QTest::newRow("hidden on the left: left edges align") << 690.0 << 1 << 234.0;
        QTest::newRow("fully visible: no scroll") << 0.0 << 2 << 0.0;
        QTest::newRow("last card: at most to the end") << 100.0 << 5 << 1394 - visible;
    }
    void revealBringsTheCardIntoView()
    {
        QFETCH(double, startOffset);
        QFETCH(int, index);
        QFETCH(double, target);
        Scroller s(6);
        s.model.scrollTo(startOffset);
        const QStringList ids = cards(6);
        s.model.update(ids, ids.at(index));
        // On the next turn, once the layout has sized the strip.
        QCOMPARE(s.model.offset(), startOffset);
        s.clock.runPending();
        s.settle();
        QCOMPARE(s.model.offset(), target);
    }

    void eachRequestIsActedOnOnce()
    {
        Scroller s(6);
        const QStringList ids = cards(6);
        s.model.update(ids, ids.at(5));
        s.clock.runPending();
        s.settle();
        QCOMPARE(s.model.offset(), 1394 - visible);
        s.model.scrollTo(0);
        s.model.update(ids, ids.at(5));
        s.clock.runPending();
        s.settle();
        QCOMPARE(s.model.offset(), 0.0);
        // Cleared and asked again, it counts as a new request.
        s.model.update(ids, std::nullopt);
        s.model.update(ids, ids.at(5));
        s.clock.runPending();
        s.settle();
        QCOMPARE(s.model.offset(), 1394 - visible);
    }

    void revealWaitsForItsCard()
    {
        Scroller s(4);
        const QString newcomer = QStringLiteral("card-9");
        s.model.update(cards(4), newcomer);
        s.clock.runPending();
        QVERIFY(s.animator.isIdle());
        s.model.update(cards(4) << newcomer, newcomer);
        s.clock.runPending();
        s.settle();
        QCOMPARE(s.model.offset(), 1160 - visible);
    }

    // A reveal asked for while a shrink is still running places the card in
    // the strip as it is going to be, not in the wider strip still shown.
    void revealDuringShrinkUsesTheNewWidth()
    {
        Scroller s(6);
        s.model.scrollTo(1e9);
        QCOMPARE(s.model.offset(), 690.0);
        const QStringList five = cards(5, 1);
        s.model.update(five, std::nullopt);
        QCOMPARE(s.model.pendingDocumentWidth(), std::optional<double>(1160));
        s.clock.advance(32);
        // The second remaining card is partly hidden on the left.
        s.model.update(five, five.at(1));
        s.clock.runPending();
        s.settle();
        QCOMPARE(s.model.documentWidth(), 1160.0);
        QCOMPARE(s.model.offset(), 234.0);
    }

    void completionsRunOnceInOrder()
    {
        Scroller s(6);
        QStringList ran;
        PreviewScrollAnimation &animation = s.model.scrollAnimation();
        animation.scroll(400, [&] { ran << "first"; });
        s.clock.advance(100);
        animation.scroll(200, [&] { ran << "second"; });
        QVERIFY(ran.isEmpty());
        s.settle();
        QCOMPARE(ran, QStringList({ "first", "second" }));
        QCOMPARE(s.model.offset(), 200.0);
        // Less than half a point: lands at once.
        animation.scroll(200.3, [&] { ran << "third"; });
        QCOMPARE(ran.size(), 3);
    }

    void easing()
    {
        QCOMPARE(PreviewScrollAnimation::easeInOutCubic(0), 0.0);
        QCOMPARE(PreviewScrollAnimation::easeInOutCubic(0.25), 0.0625);
        QCOMPARE(PreviewScrollAnimation::easeInOutCubic(0.5), 0.5);
        QCOMPARE(PreviewScrollAnimation::easeInOutCubic(0.75), 0.9375);
        QCOMPARE(PreviewScrollAnimation::easeInOutCubic(1), 1.0);
    }

    void wheelScrollsSideways_data()
    {
        QTest::addColumn<double>("dx");
        QTest::addColumn<double>("dy");
        QTest::addColumn<bool>("precise");
        QTest::addColumn<double>("offset");
        QTest::newRow("one notch down: 28 points right") << 0.0 << -1.0 << false << 128.0;
        QTest::newRow("one notch up: 28 points left") << 0.0 << 1.0 << false << 72.0;
        QTest::newRow("trackpad, exact deltas") << 2.0 << -13.5 << true << 113.5;
        QTest::newRow("horizontal swipe scrolls as it comes") << -20.0 << 3.0 << true << 120.0;
        QTest::newRow("clamped at the start") << 0.0 << 10.0 << false << 0.0;
        QTest::newRow("clamped at the end") << 0.0 << -100.0 << false << 1394 - visible;
    }
    void wheelScrollsSideways()
    {
        QFETCH(double, dx);
        QFETCH(double, dy);
        QFETCH(bool, precise);
        QFETCH(double, offset);
        Scroller s(6);
        s.model.scrollTo(100);
        QVERIFY(s.model.scrollWheel(dx, dy, precise));
        QCOMPARE(s.model.offset(), offset);
    }
};

QTEST_GUILESS_MAIN(TestWindowPreviewScrollerModel)
#include "tst_windowpreviewscrollermodel.moc"
