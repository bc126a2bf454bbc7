#include "simview/maprequestretry.h"

#include <QTest>

using namespace Velmora::SimView;

class TestMapRequestRetry : public QObject
{
    Q_OBJECT

private slots:
    // The window manager answers after `answeredAfter` requests (-1: never).
    // Each request hides and shows the window, as a withdraw-and-map would,
    // which must not restart the count.
    void asksAgainUntilTheWindowIsOnScreen_data()
    {
        QTest::addColumn<int>("answeredAfter");
        QTest::addColumn<bool>("hiddenAtOnce");
        QTest::addColumn<int>("requests");
        QTest::newRow("on screen in time") << 0 << false << 0;
        QTest::newRow("map held until the next request") << 1 << false << 1;
        QTest::newRow("held through two requests") << 2 << false << 2;
        QTest::newRow("never answered: gives up") << -1 << false << MapRequestRetry::maxRetries;
        QTest::newRow("hidden before the grace period") << -1 << true << 0;
    }

    void asksAgainUntilTheWindowIsOnScreen()
    {
        QFETCH(int, answeredAfter);
        QFETCH(bool, hiddenAtOnce);
        QFETCH(int, requests);

        int made = 0;
        MapRequestRetry *self = nullptr;
        MapRequestRetry retry([&] { return answeredAfter >= 0 && made >= answeredAfter; },
            [&] {
                ++made;
                self->hidden();
                self->shown();
            },
            10);
        self = &retry;
        retry.shown();
        if (hiddenAtOnce)
            retry.hidden();
        QTRY_COMPARE(made, requests);
        // Settled: no further requests however long it waits.
        QTest::qWait(10 * (MapRequestRetry::maxRetries + 4));
        QCOMPARE(made, requests);
        QCOMPARE(retry.retries(), requests);
    }

    // A window shown again later is watched afresh, with the full number of tries.
    void aLaterShowStartsAfresh()
    {
        int made = 0;
        MapRequestRetry retry([] { return false; }, [&] { ++made; }, 10);
        retry.shown();
        QTRY_COMPARE(made, MapRequestRetry::maxRetries);
        retry.hidden();
        retry.shown();
        QTRY_COMPARE(made, 2 * MapRequestRetry::maxRetries);
    }
};

QTEST_MAIN(TestMapRequestRetry)
#include "tst_maprequestretry.moc"
