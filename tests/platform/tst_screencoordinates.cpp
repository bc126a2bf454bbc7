#include "platform/screencoordinates.h"

#include <QTest>

using Velmora::ScreenCoordinates;

class TestScreenCoordinates : public QObject
{
    Q_OBJECT
private slots:
    // Primary display 1512 by 982; a second display to its right whose top
    // lies 100 points above the primary's (negative y in global coordinates).
    void flipsAroundThePrimaryDisplay_data()
    {
        QTest::addColumn<QRectF>("screen"); // bottom-left origin, y up
        QTest::addColumn<QRectF>("global"); // top-left origin, y down
        QTest::newRow("primary display") << QRectF(0, 0, 1512, 982) << QRectF(0, 0, 1512, 982);
        QTest::newRow("a bar along the bottom") << QRectF(0, 0, 1512, 57) << QRectF(0, 925, 1512, 57);
        QTest::newRow("window near the top") << QRectF(100, 700, 400, 250) << QRectF(100, 32, 400, 250);
        QTest::newRow("display above-right") << QRectF(1512, -18, 1920, 1100) << QRectF(1512, -100, 1920, 1100);
    }
    void flipsAroundThePrimaryDisplay()
    {
        QFETCH(QRectF, screen);
        QFETCH(QRectF, global);
        const ScreenCoordinates coordinates(982);
        QCOMPARE(coordinates.toGlobal(screen), global);
        QCOMPARE(coordinates.toScreen(global), screen);
        QCOMPARE(coordinates.toGlobal(screen.topLeft()), QPointF(global.left(), global.bottom()));
        QCOMPARE(coordinates.toQt(screen), global.toRect());
        QCOMPARE(coordinates.fromQt(global.toRect()), screen);
    }

    // Rounding each edge, not origin and size, keeps neighbours touching.
    void fractionalRectanglesThatTouchStillTouchInQt()
    {
        const ScreenCoordinates coordinates(900.5);
        const QRect lower = coordinates.toQt(QRectF(0.4, 0, 100.3, 57.6));
        const QRect upper = coordinates.toQt(QRectF(0.4, 57.6, 100.3, 200));
        QCOMPARE(upper.bottom() + 1, lower.top());
        QCOMPARE(lower.right(), upper.right());
    }
};

QTEST_GUILESS_MAIN(TestScreenCoordinates)
#include "tst_screencoordinates.moc"
