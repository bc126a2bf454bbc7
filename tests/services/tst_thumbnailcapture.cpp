#include "services/thumbnailcapture.h"

#include <QTest>

using Velmora::ThumbnailCapture;

class TestThumbnailCapture : public QObject
{
    Q_OBJECT
private slots:
    void captureSize_data()
    {
        QTest::addColumn<double>("aspectRatio");
        QTest::addColumn<QSize>("size");
        QTest::newRow("very wide") << 4.0 << QSize(440, 180);
        QTest::newRow("wide") << 2.0 << QSize(440, 220);
        QTest::newRow("truncated, not rounded") << 3.0 << QSize(440, 180);
        QTest::newRow("just above the floor") << 2.4 << QSize(440, 183);
        QTest::newRow("square") << 1.0 << QSize(440, 440);
        QTest::newRow("tall window never exceeds square") << 0.5 << QSize(440, 440);
    }
    void captureSize()
    {
        QFETCH(double, aspectRatio);
        QFETCH(QSize, size);
        QCOMPARE(ThumbnailCapture::thumbnailSize(aspectRatio), size);
    }
};

QTEST_GUILESS_MAIN(TestThumbnailCapture)
#include "tst_thumbnailcapture.moc"
