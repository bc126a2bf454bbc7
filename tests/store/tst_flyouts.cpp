#include "store/flyouts.h"
#include "storeworld.h"

#include <QTest>

using namespace Velmora;

namespace {

enum class Flyout { None, StartMenu, Overflow };

Flyout openFlyout(const Flyouts &flyouts)
{
    Q_ASSERT(!(flyouts.isStartMenuPresented() && flyouts.isTaskbarOverflowPresented()));
    if (flyouts.isStartMenuPresented())
        return Flyout::StartMenu;
    return flyouts.isTaskbarOverflowPresented() ? Flyout::Overflow : Flyout::None;
}

} // namespace

Q_DECLARE_METATYPE(Flyout)

class TestFlyouts : public QObject
{
    Q_OBJECT
private slots:
    // One button pressed after another: at most one flyout is ever open.
    void toggles_data()
    {
        QTest::addColumn<Flyout>("openFirst");
        QTest::addColumn<Flyout>("pressed");
        QTest::addColumn<quint32>("display");
        QTest::addColumn<Flyout>("expected");
        QTest::addColumn<std::optional<quint32>>("expectedDisplay");
        QTest::newRow("Start twice on one display closes it")
            << Flyout::StartMenu << Flyout::StartMenu << 1u << Flyout::None << std::optional<quint32>();
        QTest::newRow("Start on another display moves it there")
            << Flyout::StartMenu << Flyout::StartMenu << 2u << Flyout::StartMenu << std::optional<quint32>(2);
        QTest::newRow("Start while the overflow list is open replaces it")
            << Flyout::Overflow << Flyout::StartMenu << 1u << Flyout::StartMenu << std::optional<quint32>(1);
        QTest::newRow("overflow twice on one display closes it")
            << Flyout::Overflow << Flyout::Overflow << 1u << Flyout::None << std::optional<quint32>();
        QTest::newRow("overflow while Start is open replaces it")
            << Flyout::StartMenu << Flyout::Overflow << 2u << Flyout::Overflow << std::optional<quint32>(2);
        QTest::newRow("overflow from nothing")
            << Flyout::None << Flyout::Overflow << 3u << Flyout::Overflow << std::optional<quint32>(3);
    }
    void toggles()
    {
        QFETCH(Flyout, openFirst);
        QFETCH(Flyout, pressed);
        QFETCH(quint32, display);
        QFETCH(Flyout, expected);
        QFETCH(std::optional<quint32>, expectedDisplay);
        Test::StoreWorld world;
        // Each read of the favourites is counted, so the test sees the Start menu reload them.
        FinderFavoritesModel favourites(world.folders, world.icons, [](std::function<void()> work) { work(); });
        world.favouritesModel = &favourites;
        const auto store = world.make(false);
        Flyouts &flyouts = store->flyouts();
        const auto press = [&](Flyout flyout, quint32 on) {
            if (flyout == Flyout::StartMenu)
                flyouts.toggleStartMenu(on);
            else if (flyout == Flyout::Overflow)
                flyouts.toggleTaskbarOverflow(on);
        };
        press(openFirst, 1);
        const int reads = world.folders.readCount();

        press(pressed, display);
        QCOMPARE(openFlyout(flyouts), expected);
        QCOMPARE(flyouts.presentedDisplayID(), expectedDisplay);
        // Opening the Start menu reloads the favourites; closing it does not.
        QCOMPARE(world.folders.readCount() - reads, expected == Flyout::StartMenu ? 1 : 0);
    }

    void dismissingClearsSearchAndThePicker()
    {
        Test::StoreWorld world;
        world.addAppWithTwoWindows("Editor");
        const auto store = world.make(false);
        QVERIFY(store->windowPicker().prepareWindowPicker(Test::StoreWorld::appItem("Editor"), 4));
        store->flyouts().setSearchPresented(true);
        store->setSearchText("mail");

        store->flyouts().dismissFlyouts();
        QVERIFY(!store->flyouts().isSearchPresented());
        QVERIFY(store->searchText().isEmpty());
        QVERIFY(!store->windowPicker().windowPickerAppID());
        QVERIFY(!store->flyouts().presentedDisplayID());
    }
};

QTEST_GUILESS_MAIN(TestFlyouts)
#include "tst_flyouts.moc"
