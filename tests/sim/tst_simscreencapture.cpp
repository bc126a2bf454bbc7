#include "support/desktopworld.h"

#include "platform/sim/simoperations.h"

#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;
using Velmora::Test::InterleavedWorld;

class TestSimScreenCapture : public QObject
{
    Q_OBJECT
private slots:
    void aCaptureAnswersFailsOrNeverAnswers_data()
    {
        QTest::addColumn<int>("permission");
        QTest::addColumn<QString>("failure"); // "", "error" or "hang"
        QTest::addColumn<int>("answers");
        QTest::addColumn<bool>("hasImage");
        QTest::newRow("granted") << int(SimDesktop::Permission::Granted) << "" << 1 << true;
        QTest::newRow("denied") << int(SimDesktop::Permission::Denied) << "" << 1 << false;
        QTest::newRow("capture fails") << int(SimDesktop::Permission::Granted) << "error" << 1 << false;
        QTest::newRow("capture hangs") << int(SimDesktop::Permission::Granted) << "hang" << 0 << false;
    }
    void aCaptureAnswersFailsOrNeverAnswers()
    {
        QFETCH(int, permission);
        QFETCH(QString, failure);
        QFETCH(int, answers);
        QFETCH(bool, hasImage);
        InterleavedWorld world;
        world.desktop.setScreenCaptureAccess(SimDesktop::Permission(permission));
        if (failure == "error")
            world.desktop.injectFailure(SimFailure::on(SimOperations::CaptureWindowImage));
        else if (failure == "hang")
            world.desktop.injectFailure(SimFailure::on(SimOperations::CaptureWindowImage).hanging());

        QList<QImage> images;
        world.platform.screenCapture.captureWindowImage(world.a1, {440, 220}, {}, this,
                                                        [&](QImage image) { images.append(image); });
        QVERIFY(images.isEmpty()); // always asynchronous
        world.clock.advance(10'000);
        QCOMPARE(images.size(), answers);
        if (answers) {
            QCOMPARE(!images.first().isNull(), hasImage);
            if (hasImage)
                QCOMPARE(images.first().size(), QSize(440, 220));
        }
    }

    void permissionIsAskedForOnce()
    {
        InterleavedWorld world;
        auto &capture = world.platform.screenCapture;
        world.desktop.setScreenCaptureAccess(SimDesktop::Permission::NotDetermined);
        world.desktop.setGrantsScreenCaptureOnRequest(false);
        QVERIFY(!capture.preflightAccess());
        QVERIFY(!capture.requestAccess());
        world.desktop.setGrantsScreenCaptureOnRequest(true);
        QVERIFY(!capture.requestAccess()); // the user already answered

        std::optional<ShareableContent> content;
        QString error;
        capture.shareableContent(false, true, this, [&](std::optional<ShareableContent> c, QString e) {
            content = c;
            error = e;
        });
        world.clock.advance(1000);
        QVERIFY(!content);
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSimScreenCapture)
#include "tst_simscreencapture.moc"
