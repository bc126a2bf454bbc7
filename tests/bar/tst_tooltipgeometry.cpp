#include "bar/model/tooltipgeometry.h"

#include <QTest>

using namespace Velmora;

class TestTooltipGeometry : public QObject
{
    Q_OBJECT
private slots:
    void frame_data()
    {
        QTest::addColumn<QList<QRectF>>("screens");
        QTest::addColumn<QPointF>("pointer");
        QTest::addColumn<QPointF>("origin");

        // Screen convention: y up. The main screen, and one to its right.
        const QRectF main(0, 0, 1440, 900);
        const QRectF right(1440, 0, 1920, 1080);
        const QList<QRectF> two { main, right };
        // The tooltip is 100 by 30 points.
        QTest::newRow("centred above the pointer") << two << QPointF(700, 40) << QPointF(650, 58);
        QTest::newRow("left edge: 6 points in") << two << QPointF(2, 40) << QPointF(6, 58);
        QTest::newRow("right edge: ends 6 points before it") << two << QPointF(1438, 40) << QPointF(1334, 58);
        QTest::newRow("second screen, its own left edge") << two << QPointF(1442, 40) << QPointF(1446, 58);
        QTest::newRow("second screen, its own right edge") << two << QPointF(3358, 40) << QPointF(3254, 58);
        QTest::newRow("too narrow a screen: the right edge wins")
            << QList<QRectF> { QRectF(0, 0, 80, 600) } << QPointF(40, 10) << QPointF(-26, 28);
        QTest::newRow("overlapping screens: the first in order holds it")
            << QList<QRectF> { QRectF(0, 0, 1000, 800), QRectF(0, 0, 500, 800) } << QPointF(490, 10)
            << QPointF(440, 28);
        QTest::newRow("pointer on no screen: the nearest one bounds it")
            << two << QPointF(3500, 40) << QPointF(3254, 58);
        QTest::newRow("at the top of a screen it stays on it") << two << QPointF(700, 895) << QPointF(650, 870);
        QTest::newRow("no screens: nothing to clamp to") << QList<QRectF> {} << QPointF(2, 40) << QPointF(-48, 58);
    }
    void frame()
    {
        QFETCH(QList<QRectF>, screens);
        QFETCH(QPointF, pointer);
        QFETCH(QPointF, origin);
        QCOMPARE(TooltipGeometry::frame(pointer, QSizeF(100, 30), screens), QRectF(origin, QSizeF(100, 30)));
    }

    void panelIsTheTextWithItsPadding()
    {
        QCOMPARE(TooltipGeometry::panelSize(QSizeF(40.2, 15)), QSizeF(61, 29));
    }
};

QTEST_GUILESS_MAIN(TestTooltipGeometry)
#include "tst_tooltipgeometry.moc"
