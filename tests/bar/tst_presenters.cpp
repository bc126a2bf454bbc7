#include "bar/model/instantpopoverpresenter.h"
#include "bar/model/windowpickerpresenters.h"

#include <QTest>

#include <memory>

using namespace Velmora;

namespace {

class FakePopover : public InstantPopoverClosing
{
public:
    int closed = 0;
    std::function<void()> onClose;
    void closeImmediately() override
    {
        ++closed;
        if (onClose)
            onClose();
    }
};

} // namespace

class TestPresenters : public QObject
{
    Q_OBJECT
private slots:
    // A flyout opened at mouse-down stays hidden until the hold is lifted,
    // and lifting the hold alone shows nothing.
    void holdingIgnoresEveryShow()
    {
        InstantPopoverPresenter presenter;
        QObject popover;
        int shows = 0;
        int closes = 0;
        QVERIFY(!presenter.show()); // nobody attached yet
        presenter.attach(&popover, [&] { ++shows; }, [&] { ++closes; });
        presenter.setHoldingShow(true);
        QVERIFY(!presenter.show());
        QCOMPARE(shows, 0);
        presenter.setHoldingShow(false);
        QCOMPARE(shows, 0);
        QVERIFY(presenter.show());
        QCOMPARE(shows, 1);
        QVERIFY(presenter.close());
        QCOMPARE(closes, 1);
    }

    // A popover that goes away detaches only what is still its own.
    void detachKeepsANewerOwnersActions()
    {
        InstantPopoverPresenter presenter;
        auto older = std::make_unique<QObject>();
        QObject newer;
        int newerShows = 0;
        presenter.attach(older.get(), [] {}, [] {});
        presenter.attach(&newer, [&] { ++newerShows; }, [] {});
        presenter.detach(older.get());
        QCOMPARE(presenter.owner(), &newer);
        QVERIFY(presenter.show());
        QCOMPARE(newerShows, 1);
        presenter.detach(&newer);
        QVERIFY(!presenter.hasShowAction());
        QVERIFY(!presenter.close());
        // The owner is held weakly.
        presenter.attach(older.get(), [] {}, [] {});
        older.reset();
        QCOMPARE(presenter.owner(), nullptr);
    }

    // closeAll reaches every live popover once, also when closing one ends another.
    void closeAllClosesEveryLivePopover()
    {
        FakePopover first;
        auto second = std::make_unique<FakePopover>();
        FakePopover third;
        first.onClose = [&] { second.reset(); };
        InstantPopoverPresenter::closeAll();
        QCOMPARE(first.closed, 1);
        QVERIFY(!second);
        QCOMPARE(third.closed, 1);
        InstantPopoverPresenter::closeAll();
        QCOMPARE(third.closed, 2);
    }

    void pickerPresentersAreKeptPerApp()
    {
        WindowPickerPresenters presenters;
        InstantPopoverPresenter &safari = presenters.presenter("com.apple.Safari");
        safari.setHoldingShow(true);
        // Asking for other apps must not move or replace the first one.
        for (int i = 0; i < 100; ++i)
            presenters.presenter(QString("app.%1").arg(i));
        QCOMPARE(&presenters.presenter("com.apple.Safari"), &safari);
        QVERIFY(safari.isHoldingShow());
        InstantPopoverPresenter &mail = presenters.presenter("com.apple.mail");
        QVERIFY(&mail != &safari);
        QVERIFY(!mail.isHoldingShow());
        QCOMPARE(mail.owner(), nullptr);
        QVERIFY(!mail.hasShowAction());
    }
};

QTEST_GUILESS_MAIN(TestPresenters)
#include "tst_presenters.moc"
