#include "services/activationparking.h"

#include "platform/runningapplication.h"

#include <QGuiApplication>
#include <QWindow>
#include <QtTest>

using namespace Velmora;

namespace {

struct Parking
{
    ActivationPolicy policy = ActivationPolicy::Accessory;
    int policyReads = 0;
    ActivationParking parking { [this] {
        ++policyReads;
        return policy;
    } };

    Parking() { parking.install(); }
};

void resign()
{
    Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
}

std::unique_ptr<QWindow> window(Qt::WindowFlags flags, bool visible)
{
    auto made = std::make_unique<QWindow>();
    made->setFlags(flags);
    made->setGeometry(100, 100, 300, 200);
    if (visible)
        made->show();
    return made;
}

} // namespace

class TestActivationParking : public QObject
{
    Q_OBJECT

private slots:
    void noParkingWithoutAVisibleTitledWindow_data()
    {
        QTest::addColumn<int>("policy");
        QTest::addColumn<int>("flags");
        QTest::addColumn<bool>("visible");
        QTest::newRow("regular application") << int(ActivationPolicy::Regular) << int(Qt::Window) << true;
        QTest::newRow("untitled window")
            << int(ActivationPolicy::Accessory) << int(Qt::Window | Qt::FramelessWindowHint) << true;
        QTest::newRow("popup") << int(ActivationPolicy::Accessory) << int(Qt::ToolTip) << true;
        QTest::newRow("hidden titled window") << int(ActivationPolicy::Accessory) << int(Qt::Window) << false;
    }

    void noParkingWithoutAVisibleTitledWindow()
    {
        QFETCH(int, policy);
        QFETCH(int, flags);
        QFETCH(bool, visible);
        Parking parking;
        parking.policy = ActivationPolicy(policy);
        const auto own = window(Qt::WindowFlags(flags), visible);
        resign();
        QVERIFY(!parking.parking.parkingWindow());
    }

    void parksOnAVisibleTitledWindowAndKeepsTheParkingWindow()
    {
        Parking parking;
        const auto settings = window(Qt::Window, true);
        resign();
        QWindow *parked = parking.parking.parkingWindow();
        QVERIFY(parked);
        QVERIFY(parked->isVisible());
        QCOMPARE(parked->geometry().size(), QSize(1, 1));
        QCOMPARE(parked->opacity(), 0.0);
        QVERIFY(parked->flags().testFlag(Qt::WindowTransparentForInput));

        parked->hide();
        resign();
        QCOMPARE(parking.parking.parkingWindow(), parked);
        QVERIFY(parked->isVisible());
    }

    // Parking happens when another application has just become active: the
    // parking window asks the window system for no focus, neither when it is
    // shown nor by activation (which a window that does not accept focus
    // cannot ask for).
    void parkingTakesNoFocus()
    {
        Parking parking;
        const auto settings = window(Qt::Window, true);
        resign();
        QWindow *parked = parking.parking.parkingWindow();
        QVERIFY(parked);
        QVERIFY(parked->flags().testFlag(Qt::WindowDoesNotAcceptFocus));
        QVERIFY(parked->property("_q_showWithoutActivating").toBool());
    }

    void becomingActiveParksNothing()
    {
        Parking parking;
        const auto settings = window(Qt::Window, true);
        Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationActive);
        QVERIFY(!parking.parking.parkingWindow());
    }

    void installingTwiceWatchesOnce()
    {
        Parking parking;
        parking.parking.install();
        resign();
        QCOMPARE(parking.policyReads, 1);
    }
};

int main(int argc, char **argv)
{
    QGuiApplication application(argc, argv);
    TestActivationParking test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_activationparking.moc"
