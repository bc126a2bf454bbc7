#include "services/closeshortcut.h"

#include "../support/servicesworld.h"
#include "support/simmenus.h"

#include <QtTest>

using namespace Velmora;
using namespace Velmora::Test;
using Sim::SimMenuItem;

namespace {

// An application whose second menu holds `fileItems` and whose focused
// window has `tabs`.
struct ShortcutWorld : ListingWorld
{
    qint32 pid = 0;
    quint32 window = 0;

    explicit ShortcutWorld(const QList<SimMenuItem> &fileItems, const QStringList &tabs = {})
    {
        const QList<SimMenuItem> menuBar { menu("Apple", { item("About This Mac") }),
            menu("Editor", { shortcutItem("Quit Editor", "q") }), menu("File", fileItems),
            menu("Window", { shortcutItem("Minimize", "m") }) };
        pid = addApp(QStringLiteral("Editor"), 0, [&](Sim::SimProcess &p) { p.menuBar = menuBar; });
        window = addWindow(pid, QRectF(100, 100, 600, 400), QStringLiteral("Document"),
            [&](Sim::SimWindow &w) { w.tabs = tabs; });
    }

    bool closes() { return CloseShortcut::closeButton(accessibility, provider, window, pid).has_value(); }
};

std::vector<AXValue> values(AXValue character, AXValue modifiers, AXValue title, AXValue enabled)
{
    return { std::move(character), std::move(modifiers), std::move(title), std::move(enabled) };
}

} // namespace

class TestCloseShortcut : public QObject
{
    Q_OBJECT

private slots:
    void menuSearchOrder_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("none") << 0 << QList<int> {};
        QTest::newRow("one") << 1 << QList<int> {};
        QTest::newRow("two") << 2 << QList<int> { 1 };
        QTest::newRow("three") << 3 << QList<int> { 2, 1 };
        QTest::newRow("six") << 6 << QList<int> { 2, 1, 3, 4, 5 };
    }

    void menuSearchOrder()
    {
        QFETCH(int, count);
        QFETCH(QList<int>, order);
        QCOMPARE(CloseShortcut::menuSearchOrder(count), order);
    }

    void titleIfCommandW_data()
    {
        QTest::addColumn<bool>("taken");
        QTest::addColumn<int>("variant");
        QTest::newRow("Command-W") << true << 0;
        QTest::newRow("capital W") << true << 1;
        QTest::newRow("Command-Shift-W") << false << 2;
        QTest::newRow("disabled") << false << 3;
        QTest::newRow("enabled unreadable") << true << 4;
        QTest::newRow("modifiers as text") << false << 5;
        QTest::newRow("title missing") << false << 6;
        QTest::newRow("three values") << false << 7;
    }

    void titleIfCommandW()
    {
        QFETCH(bool, taken);
        QFETCH(int, variant);
        AXValue character = AXValue::fromString("w");
        AXValue modifiers = AXValue::fromInteger(0);
        AXValue title = AXValue::fromString("Close");
        AXValue enabled = AXValue::fromBool(true);
        switch (variant) {
        case 1: character = AXValue::fromString("W"); break;
        case 2: modifiers = AXValue::fromInteger(1); break;
        case 3: enabled = AXValue::fromBool(false); break;
        case 4: enabled = AXValue::fromError(AXError::NoValue); break;
        case 5: modifiers = AXValue::fromString("0"); break;
        case 6: title = AXValue::fromError(AXError::NoValue); break;
        }
        std::vector<AXValue> read = values(character, modifiers, title, enabled);
        if (variant == 7)
            read.pop_back();
        QCOMPARE(CloseShortcut::titleIfCommandW(read).has_value(), taken);
    }

    void closeButtonByTitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("tabs");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Close") << "Close" << 0 << true;
        QTest::newRow("Close Window…") << QStringLiteral("Close Window\u2026") << 0 << true;
        QTest::newRow("blanks around") << "  close \n" << 0 << true;
        QTest::newRow("capitals") << "CLOSE WINDOW" << 0 << true;
        QTest::newRow("Close Tab, one tab") << "Close Tab" << 1 << true;
        QTest::newRow("close tab, two tabs") << "close tab" << 2 << false;
        QTest::newRow("Close Tab, no tabs") << "Close Tab" << 0 << false;
        QTest::newRow("Close All") << "Close All" << 0 << false;
        QTest::newRow("Close Document") << "Close Document" << 0 << false;
    }

    void closeButtonByTitle()
    {
        QFETCH(QString, title);
        QFETCH(int, tabs);
        QFETCH(bool, closes);
        QStringList tabTitles;
        for (int i = 0; i < tabs; ++i)
            tabTitles.append(QStringLiteral("Tab %1").arg(i));
        ShortcutWorld world({ shortcutItem("New", "n"), shortcutItem(title, "w") }, tabTitles);
        QCOMPARE(world.closes(), closes);
    }

    void itemsThatAreNoCommandW()
    {
        // Command-Shift-W first, then a disabled Command-W: neither is taken.
        ShortcutWorld shifted({ shortcutItem("Close All", "w", 1), shortcutItem("Close", "w", 0, false) });
        QVERIFY(!shifted.closes());
        // A Close inside a submenu is not looked at.
        ShortcutWorld nested({ menu("More", { shortcutItem("Close", "w") }) });
        QVERIFY(!nested.closes());
        // The first match wins, in search order: File (menu 2) before menu 1.
        ShortcutWorld first({ shortcutItem("Close Window", "w") });
        QCOMPARE(CloseShortcut::shortcutMenuItemTitle(
                     first.accessibility, first.accessibility.applicationElement(first.pid)),
            QStringLiteral("Close Window"));
    }

    void closeButtonDisabledOrOtherWindow()
    {
        ShortcutWorld disabled({ shortcutItem("Close", "w") });
        disabled.desktop.injectFailure(
            Sim::SimFailure::on(Sim::SimOperations::CopyAttributeValue, QStringLiteral("AXEnabled"))
                .answering(AXValue::fromBool(false)));
        QVERIFY(!disabled.closes());

        ShortcutWorld other({ shortcutItem("Close", "w") });
        const quint32 behind = other.addWindow(other.pid, QRectF(50, 50, 300, 300));
        other.desktop.setStackingOrder({ other.window, behind });
        QVERIFY(!CloseShortcut::closeButton(other.accessibility, other.provider, behind, other.pid));
        QVERIFY(other.closes());
    }
};

QTEST_GUILESS_MAIN(TestCloseShortcut)
#include "tst_closeshortcut.moc"
