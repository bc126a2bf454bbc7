#include "taskmanager/taskmanagerstyle.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTest>

using namespace Velmora;

namespace {

// Translucent drawing of the kinds the graph and the backdrop paint in bands:
// thin lines between pixels, a gradient area under a jagged line, a dimmed
// rectangle.
void drawTranslucent(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(255, 255, 255, 20), 1));
    for (qreal x : { 20.3, 61.5, 102.8 })
        painter.drawLine(QPointF(x, 6), QPointF(x, 150));
    QPainterPath area;
    area.moveTo(10, 150);
    for (int i = 0; i <= 24; ++i)
        area.lineTo(10 + i * 5.3, 20 + (i * 37 % 11) * 11.7);
    area.lineTo(137.2, 150);
    area.closeSubpath();
    QLinearGradient fill(0, 6, 0, 150);
    fill.setColorAt(0, QColor(80, 160, 255, 64));
    fill.setColorAt(1, QColor(80, 160, 255, 3));
    painter.fillPath(area, fill);
    painter.fillRect(QRect(0, 40, 160, 70), QColor(0, 0, 0, 82));
}

QImage canvas(qreal ratio)
{
    QImage image(QSize(160, 160) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(40, 42, 50));
    return image;
}

} // namespace

class TestTaskManagerStyle : public QObject
{
    Q_OBJECT

private slots:
    void paintingInBandsDrawsAsAtOnce_data()
    {
        QTest::addColumn<QRegion>("region");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("the whole canvas") << QRegion(0, 0, 160, 160) << 1.0;
        QTest::newRow("rows that are no multiple of a band") << QRegion(3, 7, 150, 141) << 1.0;
        QTest::newRow("two parts, as of a card and a row beneath the backdrop")
            << (QRegion(0, 0, 160, 45) + QRegion(30, 90, 90, 61)) << 1.0;
        QTest::newRow("twice the pixels per point") << QRegion(3, 7, 150, 141) << 2.0;
    }

    // Bands neither overlap, which would blend a translucent row twice, nor
    // leave rows out, and each stays small enough for the engine to blend it
    // in place.
    void paintingInBandsDrawsAsAtOnce()
    {
        QFETCH(QRegion, region);
        QFETCH(qreal, ratio);
        QImage once = canvas(ratio);
        {
            QPainter painter(&once);
            painter.setClipRegion(region);
            drawTranslucent(painter);
        }
        QImage banded = canvas(ratio);
        qreal tallest = 0;
        {
            QPainter painter(&banded);
            TaskManagerStyle::paintInBands(painter, region, [&] {
                tallest = std::max(tallest, painter.clipBoundingRect().height() * ratio);
                drawTranslucent(painter);
            });
            QVERIFY(!painter.hasClipping());
        }
        QCOMPARE(banded, once);
        QVERIFY(tallest > 0);
        QVERIFY2(tallest <= 40, qPrintable(QString::number(tallest)));
    }
};

QTEST_MAIN(TestTaskManagerStyle)
#include "tst_taskmanagerstyle.moc"
