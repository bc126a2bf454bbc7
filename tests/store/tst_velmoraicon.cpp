#include "store/velmoraicon.h"

#include <QPainter>
#include <QTest>

using Velmora::VelmoraIcon;

class TestVelmoraIcon : public QObject
{
    Q_OBJECT
private slots:
    // At 512 points the tile sits inside a 50-point transparent margin with a
    // soft shadow below it, and the slab's top face is light.
    void appIconHasItsMarginShadowAndSlab_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("1x") << 1.0;
        QTest::newRow("2x") << 2.0;
    }
    void appIconHasItsMarginShadowAndSlab()
    {
        QFETCH(qreal, ratio);
        const QImage image = VelmoraIcon::appIconImage(512, ratio);
        QCOMPARE(image.size(), QSize(512, 512) * ratio);
        auto at = [&](int x, int y) { return image.pixelColor(int(x * ratio), int(y * ratio)); };
        for (const QPoint margin : { QPoint(25, 256), QPoint(256, 25), QPoint(487, 256), QPoint(5, 5) })
            QCOMPARE(at(margin.x(), margin.y()).alpha(), 0);
        const int shadowBelow = at(256, 468).alpha();
        QVERIFY2(shadowBelow > 0 && shadowBelow < 128, qPrintable(QString::number(shadowBelow)));
        QCOMPARE(at(256, 100).alpha(), 255);
        QVERIFY(at(256, 100).red() < 120); // the dark tile
        const QColor topFace = at(256, 239);
        QVERIFY2(topFace.red() > 200 && topFace.green() > 190, qPrintable(topFace.name()));
    }

    void drawingWithoutAPainterDoesNothing()
    {
        QVERIFY(!VelmoraIcon::drawAppIcon(nullptr, 64));
        QImage image(8, 8, QImage::Format_ARGB32);
        QPainter inactive;
        QVERIFY(!VelmoraIcon::drawAppIcon(&inactive, 64));
        QVERIFY(VelmoraIcon::appIconImage(0).isNull());
    }

    void iconPaintsThroughQIcon()
    {
        const QIcon &icon = VelmoraIcon::ownAppIcon();
        QCOMPARE(icon.name(), QString("velmora"));
        QVERIFY(!icon.isNull());
        QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        icon.paint(&painter, QRect(0, 0, 64, 64));
        painter.end();
        QCOMPARE(image.pixelColor(32, 12).alpha(), 255);
        QCOMPARE(image.pixelColor(1, 32).alpha(), 0);

        const QPixmap pixmap = icon.pixmap(QSize(48, 48));
        QCOMPARE(pixmap.size(), QSize(48, 48));
        QCOMPARE(icon.pixmap(QSize(48, 48)).cacheKey(), pixmap.cacheKey()); // rasterised once per size
    }

    void ownBundleIsRecognisedAfterStandardizing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("own");
        QTest::newRow("same") << "/Applications/Velmora.app" << true;
        QTest::newRow("trailing slash") << "/Applications/Velmora.app/" << true;
        QTest::newRow("dot components") << "/Applications/./Velmora.app/." << true;
        QTest::newRow("parent component") << "/Applications/Other/../Velmora.app" << true;
        QTest::newRow("doubled slash") << "/Applications//Velmora.app" << true;
        QTest::newRow("similar name") << "/Applications/Velmora.app.bak" << false;
        QTest::newRow("empty") << "" << false;
    }
    void ownBundleIsRecognisedAfterStandardizing()
    {
        QFETCH(QString, path);
        QFETCH(bool, own);
        QCOMPARE(VelmoraIcon::isOwnBundle(path, "/Applications/Velmora.app"), own);
    }
};

QTEST_MAIN(TestVelmoraIcon)
#include "tst_velmoraicon.moc"
