#include "store/velmoraicon.h"

#include <QPainter>
#include <QTest>

#include <thread>
#include <vector>

using Velmora::VelmoraIcon;

Q_DECLARE_METATYPE(Velmora::VelmoraIcon::Drawing)

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

    // The slab's top face reaches exactly its half-width left and right of
    // its centre and 0.565 of that up, and the slot crosses it, at 512 points
    // (tile 412 wide from 50; slab centre (256, 239.5), half-width 141.3).
    void appIconTopFaceAndSlot()
    {
        const QImage image = VelmoraIcon::appIconImage(512);
        auto isLight = [&](int x, int y) { return image.pixelColor(x, y).red() > 200; };
        QVERIFY(isLight(119, 239));  // 4 points inside the left extreme at 114.7
        QVERIFY(!isLight(110, 239)); // 5 points outside it
        QVERIFY(isLight(392, 239));
        QVERIFY(!isLight(402, 239));
        QVERIFY(isLight(256, 164)); // the top extreme lies at 159.7
        QVERIFY(!isLight(256, 154));
        QVERIFY(isLight(256, 300)); // the face's lower half
        QCOMPARE(image.pixelColor(219, 260), QColor(43, 37, 70)); // the slot's middle
    }

    // The application icon at the size lists show it.
    void appIconAt64()
    {
        const QImage image = VelmoraIcon::appIconImage(VelmoraIcon::ownAppIconSize);
        QCOMPARE(image.pixelColor(2, 32).alpha(), 0); // the 6.25-point margin
        QCOMPARE(image.pixelColor(32, 10).alpha(), 255);
        QVERIFY(image.pixelColor(32, 24).red() > 200); // the top face
        QVERIFY(image.pixelColor(27, 32).red() < 80);  // the slot
    }

    // The one-colour mark at 18 points: an opaque top face, the slot cut
    // clean through it, the sides at 55 %, nothing in the corners.
    void templateMarkAt18_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("1x") << 1.0;
        QTest::newRow("2x") << 2.0;
    }
    void templateMarkAt18()
    {
        QFETCH(qreal, ratio);
        const QImage image = VelmoraIcon::image(VelmoraIcon::menuBarSize, ratio);
        QCOMPARE(image.size(), QSize(18, 18) * ratio);
        auto alpha = [&](qreal x, qreal y) { return image.pixelColor(int(x * ratio), int(y * ratio)).alpha(); };
        QCOMPARE(alpha(9, 6), 255);
        QVERIFY2(alpha(6.82, 8.45) < 64, qPrintable(QString::number(alpha(6.82, 8.45))));
        QVERIFY(qAbs(alpha(9, 13.5) - 140) <= 2);
        for (const QPointF corner : { QPointF(0, 0), QPointF(17.5, 0), QPointF(0, 17.5), QPointF(17.5, 17.5) })
            QCOMPARE(alpha(corner.x(), corner.y()), 0);
        QCOMPARE(image.pixelColor(int(9 * ratio), int(6 * ratio)).rgb() & 0xffffff, 0u); // black
    }

    // The slot is cut out of the shapes, not cleared: drawn over anything,
    // the mark leaves what lies beneath showing through its slot.
    void templateMarkNeverClearsWhatIsBeneath()
    {
        QImage canvas(18, 18, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::red);
        QPainter painter(&canvas);
        QVERIFY(VelmoraIcon::drawTemplateMark(&painter, QRectF(0, 0, 18, 18)));
        painter.end();
        // The slot's middle pixel: still the red beneath, fully opaque.
        QCOMPARE(canvas.pixelColor(6, 8).alpha(), 255);
        QVERIFY(canvas.pixelColor(6, 8).red() > 200);
        QCOMPARE(canvas.pixelColor(9, 6), QColor(Qt::black)); // the top face
    }

    // The Start glyph at 28 points: a house outline with its ridge at the top.
    void startGlyphAt28()
    {
        const QImage image = VelmoraIcon::startImage(VelmoraIcon::startSize);
        auto alpha = [&](int x, int y) { return image.pixelColor(x, y).alpha(); };
        QVERIFY(alpha(14, 4) > 200);  // the ridge at (9, 2.6) of 18
        QVERIFY(alpha(14, 23) > 200); // the base at 15.4 of 18
        QVERIFY(alpha(4, 18) > 200);  // the left wall at 3 of 18
        QCOMPARE(alpha(14, 14), 0);   // an outline only
        QCOMPARE(alpha(1, 1), 0);
        QCOMPARE(alpha(14, 1), 0);
    }

    // The bar asks again and again for the sizes it shows: each is drawn once
    // per resolution and then comes from the cache.
    void rastersAreCachedPerSizeAndRatio()
    {
        const QImage first = VelmoraIcon::appIconImage(34, 2);
        QCOMPARE(VelmoraIcon::appIconImage(34, 2).cacheKey(), first.cacheKey());
        const QImage other = VelmoraIcon::appIconImage(34, 1);
        QVERIFY(other.cacheKey() != first.cacheKey());
        QCOMPARE(other.size(), QSize(34, 34));
        QVERIFY(VelmoraIcon::tileImage(34, 2).cacheKey() != first.cacheKey());
        VelmoraIcon::clearCache();
        const QImage redrawn = VelmoraIcon::appIconImage(34, 2);
        QVERIFY(redrawn.cacheKey() != first.cacheKey());
        QCOMPARE(redrawn, first);
    }

    // Lists fetch icons on worker threads too: the cache serves them all.
    void rastersCanBeAskedForFromSeveralThreads()
    {
        VelmoraIcon::clearCache();
        QList<QImage> images(8);
        std::vector<std::thread> workers;
        for (int i = 0; i < 8; ++i)
            workers.emplace_back([&images, i] { images[i] = VelmoraIcon::appIconImage(24 + (i % 2) * 8, 2); });
        for (std::thread &worker : workers)
            worker.join();
        for (int i = 2; i < 8; ++i)
            QCOMPARE(images[i], images[i % 2]);
    }

    void templatesAreMasks()
    {
        QVERIFY(VelmoraIcon::menuBarImage().isMask());
        QVERIFY(VelmoraIcon::icon(VelmoraIcon::Drawing::StartGlyph).isMask());
        QVERIFY(!VelmoraIcon::ownAppIcon().isMask());
        QVERIFY(!VelmoraIcon::icon(VelmoraIcon::Drawing::Tile).isMask());
    }

    void drawingWithoutAPainterDoesNothing_data()
    {
        QTest::addColumn<VelmoraIcon::Drawing>("drawing");
        QTest::newRow("app icon") << VelmoraIcon::Drawing::AppIcon;
        QTest::newRow("tile") << VelmoraIcon::Drawing::Tile;
        QTest::newRow("mark") << VelmoraIcon::Drawing::TemplateMark;
        QTest::newRow("start") << VelmoraIcon::Drawing::StartGlyph;
    }
    void drawingWithoutAPainterDoesNothing()
    {
        QFETCH(VelmoraIcon::Drawing, drawing);
        QVERIFY(!VelmoraIcon::draw(drawing, nullptr, QRectF(0, 0, 64, 64)));
        QPainter inactive;
        QVERIFY(!VelmoraIcon::draw(drawing, &inactive, QRectF(0, 0, 64, 64)));
        QVERIFY(VelmoraIcon::render(drawing, 0).isNull());
        QVERIFY(VelmoraIcon::render(drawing, -5, 2).isNull());
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
