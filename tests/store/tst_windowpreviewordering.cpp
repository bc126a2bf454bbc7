#include "store/windowpreviewordering.h"
#include "support/itemids.h"

#include <QTest>

using namespace Velmora;
using Velmora::Test::ids;

namespace {

WindowPreviewItem preview(const QString &id, const QString &title, qint64 rank = 0, qint32 pid = 1)
{
    WindowPreviewItem item;
    item.id = id;
    item.title = title;
    item.lastUsedRank = rank;
    item.processIdentifier = pid;
    return item;
}

using Recencies = QHash<QString, quint64>;
using Names = QHash<QString, QString>;

} // namespace

class TestWindowPreviewOrdering : public QObject
{
    Q_OBJECT
private slots:
    void sorts_data()
    {
        QTest::addColumn<WindowPreviewSortOrder>("order");
        QTest::addColumn<QList<WindowPreviewItem>>("previews");
        QTest::addColumn<Recencies>("recencies");
        QTest::addColumn<Names>("names");
        QTest::addColumn<QStringList>("expected");

        const QList<WindowPreviewItem> four { preview("a", "Delta", 3), preview("b", "Alpha", 1),
            preview("c", "Charlie", 2), preview("d", "Bravo", 1) };
        QTest::newRow("last used: focused first, most recent first")
            << WindowPreviewSortOrder::LastUsed << four << Recencies { { "c", 5 }, { "a", 9 } } << Names {}
            << QStringList { "a", "c", "b", "d" };
        QTest::newRow("last used: never focused by window-list rank, then title")
            << WindowPreviewSortOrder::LastUsed << four << Recencies {} << Names {}
            << QStringList { "b", "d", "c", "a" };
        QTest::newRow("last used: equal rank and title keep their order")
            << WindowPreviewSortOrder::LastUsed
            << QList<WindowPreviewItem> { preview("x", "Same", 1), preview("y", "same", 1) } << Recencies {}
            << Names {} << QStringList { "x", "y" };

        QTest::newRow("alphabetical: by title, case-insensitive")
            << WindowPreviewSortOrder::Alphabetical
            << QList<WindowPreviewItem> { preview("a", "delta"), preview("b", "Alpha"), preview("c", "charlie") }
            << Recencies {} << Names {} << QStringList { "b", "c", "a" };
        QTest::newRow("alphabetical: a custom name counts instead of the title")
            << WindowPreviewSortOrder::Alphabetical << four << Recencies {} << Names { { "a", "Aardvark" } }
            << QStringList { "a", "b", "d", "c" };
        // "apple" and "Apple" tie; the titles decide, then the given order.
        QTest::newRow("alphabetical: equal names fall back to the title, then to the given order")
            << WindowPreviewSortOrder::Alphabetical
            << QList<WindowPreviewItem> { preview("a", "Zulu"), preview("b", "Beta"), preview("c", "Beta"),
                   preview("d", "Yankee") }
            << Recencies {} << Names { { "a", "apple" }, { "b", "Apple" }, { "c", "apple" } }
            << QStringList { "b", "c", "a", "d" };
    }
    void sorts()
    {
        QFETCH(WindowPreviewSortOrder, order);
        QFETCH(QList<WindowPreviewItem>, previews);
        QFETCH(Recencies, recencies);
        QFETCH(Names, names);
        QFETCH(QStringList, expected);
        WindowPreviewOrdering ordering;
        const auto result = ordering.ordered(
            previews, order,
            [&](const QString &id) {
                return recencies.contains(id) ? std::optional<quint64>(recencies.value(id)) : std::nullopt;
            },
            [&](const WindowPreviewItem &item) {
                return names.contains(item.id) ? std::optional<QString>(names.value(item.id)) : std::nullopt;
            });
        QCOMPARE(ids(result), expected);
    }

    void fixedOrderKeepsTheUsersArrangement()
    {
        WindowPreviewOrdering ordering;
        const auto noRecency = [](const QString &) { return std::optional<quint64>(); };
        const auto noName = [](const WindowPreviewItem &) { return std::optional<QString>(); };
        const auto ordered = [&](const QList<WindowPreviewItem> &previews) {
            return ids(ordering.ordered(previews, WindowPreviewSortOrder::Fixed, noRecency, noName));
        };
        const WindowPreviewItem a = preview("a", "A"), b = preview("b", "B"), c = preview("c", "C");

        // The first listing is taken as it comes and remembered.
        QCOMPARE(ordered({ b, a }), QStringList({ "b", "a" }));
        QCOMPARE(ordering.fixedOrder(1)->ids, QStringList({ "b", "a" }));
        // Dragging a to the front is stored; the listing's own order no longer matters.
        QVERIFY(ordering.move("a", 0, { b, a }));
        QCOMPARE(ordered({ b, a }), QStringList({ "a", "b" }));
        // A window opened later goes after every known one; a closed one is forgotten.
        QCOMPARE(ordered({ c, b, a }), QStringList({ "a", "b", "c" }));
        QCOMPARE(ordered({ c, b }), QStringList({ "b", "c" }));
        QCOMPARE(ordering.fixedOrder(1)->ids, QStringList({ "b", "c" }));

        // Another process's windows keep their own arrangement.
        const WindowPreviewItem other = preview("z", "Z", 0, 2);
        QCOMPARE(ordered({ other, c, b }), QStringList({ "z", "b", "c" }));
        ordering.retainProcesses({ 2 });
        QVERIFY(!ordering.fixedOrder(1));
        QVERIFY(ordering.fixedOrder(2));
    }

    void movesThatDoNothing_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("target");
        QTest::addColumn<bool>("mixedProcesses");
        QTest::newRow("an index past the end") << "a" << 3 << false;
        QTest::newRow("a negative index") << "a" << -1 << false;
        QTest::newRow("a drop on its own place") << "b" << 1 << false;
        QTest::newRow("an unknown card") << "q" << 0 << false;
        QTest::newRow("a picker mixing two processes") << "a" << 2 << true;
    }
    void movesThatDoNothing()
    {
        QFETCH(QString, id);
        QFETCH(int, target);
        QFETCH(bool, mixedProcesses);
        WindowPreviewOrdering ordering;
        const QList<WindowPreviewItem> shown { preview("a", "A"), preview("b", "B"),
            preview("c", "C", 0, mixedProcesses ? 2 : 1) };
        QVERIFY(!ordering.move(id, target, shown));
        QVERIFY(!ordering.fixedOrder(1));
    }
};

QTEST_GUILESS_MAIN(TestWindowPreviewOrdering)
#include "tst_windowpreviewordering.moc"
