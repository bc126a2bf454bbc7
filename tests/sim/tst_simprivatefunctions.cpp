#include "support/desktopworld.h"

#include "platform/sim/simoperations.h"

#include <QTest>
#include <QtEndian>

using namespace Velmora;
using namespace Velmora::Sim;
using Velmora::Test::InterleavedWorld;

class TestSimPrivateFunctions : public QObject
{
    Q_OBJECT
private slots:
    void anAbsentFunctionIsEmptyAndTheOthersStay()
    {
        InterleavedWorld world;
        auto &functions = world.platform.privateFunctions;
        QVERIFY(functions.getProcessForPID());
        world.desktop.setPrivateFunctionAvailable(PrivateFunctions::GetProcessForPIDName, false);
        world.desktop.setPrivateFunctionAvailable(PrivateFunctions::SLPSPostEventRecordToName, false);

        QVERIFY(!functions.isAvailable(PrivateFunctions::GetProcessForPIDName));
        QVERIFY(!functions.getProcessForPID());
        QVERIFY(functions.slpsSetFrontProcessWithOptions());
        // Systems export the event-record poster under one of two names.
        QVERIFY(!functions.slpsPostEventRecordTo(PrivateFunctions::SLPSPostEventRecordToName));
        QVERIFY(functions.slpsPostEventRecordTo(PrivateFunctions::SLPSPostEventRecordToAlternateName));
        QVERIFY(!functions.slpsPostEventRecordTo("SomethingElse"));
    }

    // Asked to show the front application's windows, the Dock brings all of
    // them forward, behind one another in the application's order.
    void theDockShowsTheFrontApplicationsWindows()
    {
        InterleavedWorld world;
        world.desktop.makeFrontmost(world.alpha);
        QCOMPARE(world.stackAndFrontmost(), (QStringList{"b1", "a1", "b2", "a2", "alpha"}));
        world.platform.privateFunctions.coreDockSendNotification()(QStringLiteral("com.apple.expose.front.awake"), 0);
        world.clock.advance(2000);
        QCOMPARE(world.stackAndFrontmost().mid(0, 2), (QStringList{"a1", "a2"}));

        // Other notifications change nothing.
        world.desktop.makeFrontmost(world.beta);
        const QStringList before = world.stackAndFrontmost();
        world.platform.privateFunctions.coreDockSendNotification()(QStringLiteral("com.apple.expose.awake"), 0);
        world.clock.advance(2000);
        QCOMPARE(world.stackAndFrontmost(), before);
    }

    void presentFunctionsAnswerAndCanFail()
    {
        InterleavedWorld world;
        auto &functions = world.platform.privateFunctions;
        quint32 number = 0;
        QCOMPARE(functions.axUIElementGetWindow()(world.desktop.windowElement(world.a2), &number), AXError::Success);
        QCOMPARE(number, world.a2);
        QCOMPARE(functions.axUIElementGetWindow()(world.platform.accessibility.applicationElement(world.alpha),
                                                   &number),
                 AXError::IllegalArgument);
        QCOMPARE(number, 0u);

        world.desktop.injectFailure(SimFailure::on(SimOperations::CallPrivateFunction,
                                                   PrivateFunctions::GetProcessForPIDName)
                                        .withStatus(-50)
                                        .once());
        ProcessSerialNumber psn;
        QCOMPARE(functions.getProcessForPID()(world.alpha, &psn), -50);
        QCOMPARE(functions.getProcessForPID()(world.alpha, &psn), 0);
        QCOMPARE(functions.getProcessForPID()(4242, &psn), SimPrivateFunctions::ProcessNotFound);

        // A window on another Space is found by its remote token.
        world.desktop.updateWindow(world.a2, [](SimWindow &w) {
            w.space = 2;
            w.remoteElementId = 1234;
        });
        QByteArray token(20, '\0');
        auto *bytes = reinterpret_cast<uchar *>(token.data());
        qToLittleEndian<qint32>(world.alpha, bytes);
        qToLittleEndian<quint32>(SimPrivateFunctions::RemoteTokenMagic, bytes + 8);
        qToLittleEndian<quint64>(1233, bytes + 12);
        QVERIFY(!functions.axUIElementCreateWithRemoteToken()(token));
        qToLittleEndian<quint64>(1234, bytes + 12);
        QCOMPARE(functions.axUIElementCreateWithRemoteToken()(token), world.desktop.windowElement(world.a2));
        const auto spaces = functions.slsCopySpacesForWindows()(functions.slsMainConnectionID()(), 7, {world.a2});
        QCOMPARE(spaces->toList(), QVariantList{2});
    }
};

QTEST_GUILESS_MAIN(TestSimPrivateFunctions)
#include "tst_simprivatefunctions.moc"
