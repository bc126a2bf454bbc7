#include "services/windowvisibility.h"

#include <QTest>

using Velmora::WindowVisibility;

class TestWindowVisibility : public QObject
{
    Q_OBJECT
private slots:
    void subtraction_data()
    {
        QTest::addColumn<QRectF>("bounds");
        QTest::addColumn<QList<QRectF>>("displays");
        QTest::addColumn<QList<QRectF>>("covers");
        QTest::addColumn<bool>("visible");

        const QList<QRectF> screen{{0, 0, 1000, 800}};
        const QRectF window(100, 100, 400, 300);
        QTest::newRow("uncovered") << window << screen << QList<QRectF>{} << true;
        QTest::newRow("half covered") << window << screen << QList<QRectF>{{300, 0, 800, 800}} << true;
        QTest::newRow("covered whole") << window << screen << QList<QRectF>{{50, 50, 600, 600}} << false;
        QTest::newRow("covered exactly") << window << screen << QList<QRectF>{window} << false;
        QTest::newRow("two covers together") << window << screen
                                             << QList<QRectF>{{0, 0, 300, 800}, {300, 0, 700, 800}} << false;
        QTest::newRow("four covers around a hole")
            << window << screen
            << QList<QRectF>{{100, 100, 400, 100}, {100, 300, 400, 100}, {100, 200, 150, 100}, {260, 200, 240, 100}}
            << true;
        QTest::newRow("four covers closing the hole")
            << window << screen
            << QList<QRectF>{{100, 100, 400, 100}, {100, 300, 400, 100}, {100, 200, 150, 100}, {250, 200, 250, 100}}
            << false;
        QTest::newRow("fraction of a point left") << window << screen << QList<QRectF>{{100, 100, 399.5, 300}}
                                                  << true;
        QTest::newRow("cover only touches") << window << screen << QList<QRectF>{{500, 100, 100, 300}} << true;
        QTest::newRow("off every display") << QRectF(1200, 100, 300, 200) << screen << QList<QRectF>{} << false;
        QTest::newRow("no display") << window << QList<QRectF>{} << QList<QRectF>{} << false;
        // The visible part lies on the second display only; covering it hides the window.
        QTest::newRow("part on the other display covered")
            << QRectF(900, 100, 300, 200) << QList<QRectF>{{0, 0, 1000, 800}, {1000, 0, 800, 600}}
            << QList<QRectF>{{0, 0, 1000, 800}, {1000, 0, 800, 600}} << false;
        QTest::newRow("covered on one display, open on the other")
            << QRectF(900, 100, 300, 200) << QList<QRectF>{{0, 0, 1000, 800}, {1000, 0, 800, 600}}
            << QList<QRectF>{{0, 0, 1000, 800}} << true;
    }
    void subtraction()
    {
        QFETCH(QRectF, bounds);
        QFETCH(QList<QRectF>, displays);
        QFETCH(QList<QRectF>, covers);
        QFETCH(bool, visible);
        QCOMPARE(WindowVisibility::isVisible(bounds, displays, covers), visible);
    }

    void subtractKeepsBandsInOrder()
    {
        const auto rest = WindowVisibility::subtract({0, 0, 100, 100}, {40, 30, 20, 10});
        QCOMPARE(rest, (QList<QRectF>{{0, 0, 100, 30}, {0, 40, 100, 60}, {0, 30, 40, 10}, {60, 30, 40, 10}}));
    }
};

QTEST_GUILESS_MAIN(TestWindowVisibility)
#include "tst_windowvisibility.moc"
