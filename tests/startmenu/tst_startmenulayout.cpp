#include "startmenu/model/startmenulayout.h"

#include <QTest>

using namespace Velmora;

namespace {

// A screen at the origin with its visible frame's top at `visibleTop`
// (screen frames are y-up) and its bottom at `visibleBottom`.
DisplayInfo screen(quint32 id, qreal height, qreal visibleTop, qreal visibleBottom = 0)
{
    DisplayInfo display;
    display.displayId = id;
    display.frame = QRectF(0, 0, 1440, height);
    display.visibleFrame = QRectF(0, visibleBottom, 1440, visibleTop - visibleBottom);
    return display;
}

} // namespace

class TestStartMenuLayout : public QObject
{
    Q_OBJECT
private slots:
    void menuHeight_data()
    {
        QTest::addColumn<QList<DisplayInfo>>("screens");
        QTest::addColumn<qreal>("height");
        QTest::newRow("tall screen: half of it") << QList<DisplayInfo>{screen(1, 982, 949)} << qreal(491);
        QTest::newRow("700 high: the least cap") << QList<DisplayInfo>{screen(1, 700, 675)} << qreal(420);
        QTest::newRow("500 high: what is left above the bar") << QList<DisplayInfo>{screen(1, 500, 480)} << qreal(399);
        QTest::newRow("fractions are taken down") << QList<DisplayInfo>{screen(1, 500, 480.9)} << qreal(399);
        QTest::newRow("a tiny visible frame gives zero, not less")
            << QList<DisplayInfo>{screen(1, 500, 60, 20)} << qreal(0);
        QTest::newRow("the display's own screen among others")
            << QList<DisplayInfo>{screen(2, 700, 675), screen(1, 982, 949)} << qreal(491);
        QTest::newRow("a display that is gone") << QList<DisplayInfo>{screen(2, 982, 949)} << qreal(700);
    }
    void menuHeight()
    {
        QFETCH(QList<DisplayInfo>, screens);
        QFETCH(qreal, height);
        QCOMPARE(StartMenuLayout::menuHeight(1, screens), height);
    }

    void fivePinsLayOutAsFourAndOne()
    {
        // The sidebar's grid: 359 points less 22 on each side.
        const qreal width = StartMenuLayout::sidebarWidth - 44;
        const qreal side = StartMenuLayout::pinnedTileSide(width);
        QCOMPARE(side, (width - 42) / 4);
        QList<QRectF> rects;
        for (int i = 0; i < 5; ++i)
            rects << StartMenuLayout::pinnedTileRect(i, width);
        for (int i = 1; i < 4; ++i) {
            QCOMPARE(rects[i].top(), rects[0].top());
            QCOMPARE(rects[i].left() - rects[i - 1].left(), (width + 14) / 4);
        }
        QCOMPARE(rects[4].left(), rects[0].left());
        QCOMPARE(rects[4].top(), side + 14);
        QCOMPARE(StartMenuLayout::pinnedGridHeight(5, width), 2 * side + 14);
        // A wide grid keeps its icons at 64 points, centred in their columns.
        QCOMPARE(StartMenuLayout::pinnedTileSide(1000), qreal(72));
        QCOMPARE(StartMenuLayout::pinnedTileRect(0, 1000).center().x(), (1000 - 42) / 8.0);
    }
};

QTEST_GUILESS_MAIN(TestStartMenuLayout)
#include "tst_startmenulayout.moc"
