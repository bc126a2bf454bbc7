#include "platform/accessibility.h"
#include "platform/axnames.h"
#include "services/accessibilitywindownumber.h"
#include "services/windowpreviewid.h"
#include "services/windowpreviewprovider.h"

#include "support/itemids.h"
#include "support/servicesworld.h"

#include <QTest>

#include <functional>

using namespace Velmora;
using Velmora::Sim::SimWindow;
using Velmora::Test::ids;
using Velmora::Test::ListingWorld;

namespace {

const QString getWindow = PrivateFunctions::AXUIElementGetWindowName;

// A window's accessibility tree made up node by node, for the tab walk's
// limits that no simulated application reaches.
class TreeAccessibility final : public Accessibility
{
public:
    struct Node
    {
        QString role;
        QString subrole;
        QList<AXElement> children;
        QList<AXElement> tabs;
    };

    AXElement add(const QString &role, const QString &subrole = {}, const QList<AXElement> &children = {})
    {
        const AXElement element(pid, quint64(m_nodes.size() + 1));
        m_nodes.insert(element, Node { role, subrole, children, {} });
        return element;
    }
    Node &node(const AXElement &element) { return m_nodes[element]; }
    // A chain of groups `depth` levels deep under a window, ending in `leaf`;
    // the leaf sits at `depth` + 1.
    AXElement chain(int depth, const AXElement &leaf)
    {
        AXElement inner = leaf;
        for (int i = 0; i < depth; ++i)
            inner = add(AXNames::GroupRole, {}, { inner });
        return add(AXNames::WindowRole, {}, { inner });
    }

    bool isProcessTrusted() const override { return true; }
    bool isProcessTrustedWithPrompt(bool) override { return true; }
    AXElement applicationElement(qint32) const override { return {}; }
    AXElement systemWideElement() const override { return {}; }
    AXResult<qint32> processIdentifier(const AXElement &) const override { return pid; }
    AXResult<AXValue> copyAttributeValue(const AXElement &element, const QString &attribute) override
    {
        const auto it = m_nodes.constFind(element);
        if (it == m_nodes.cend())
            return AXError::InvalidUIElement;
        if (attribute == AXNames::Role)
            return AXValue::fromString(it->role);
        if (attribute == AXNames::Subrole && !it->subrole.isEmpty())
            return AXValue::fromString(it->subrole);
        if (attribute == AXNames::Children)
            return AXValue::fromElements(it->children);
        if (attribute == AXNames::Tabs && !it->tabs.isEmpty())
            return AXValue::fromElements(it->tabs);
        return AXError::NoValue;
    }
    AXResult<std::vector<AXValue>> copyMultipleAttributeValues(
        const AXElement &, const QStringList &, BatchOptions) override
    {
        return AXError::NotImplemented;
    }
    AXResult<qint64> attributeValueCount(const AXElement &, const QString &) override
    {
        return AXError::NotImplemented;
    }
    AXResult<bool> isAttributeSettable(const AXElement &, const QString &) override { return false; }
    AXError setAttributeValue(const AXElement &, const QString &, const AXValue &) override
    {
        return AXError::NotImplemented;
    }
    AXError performAction(const AXElement &, const QString &) override { return AXError::NotImplemented; }
    AXError setMessagingTimeout(const AXElement &, double) override { return AXError::Success; }
    double messagingTimeout(const AXElement &) const override { return 0; }
    AXResult<AXElement> elementAtPosition(const AXElement &, const QPointF &) override
    {
        return AXError::NotImplemented;
    }
    std::unique_ptr<AccessibilityObserver> createObserver(qint32, QObject *, NotificationCallback) override
    {
        return nullptr;
    }

    const qint32 pid = 77;

private:
    QHash<AXElement, Node> m_nodes;
};

using TreeBuilder = std::function<AXElement(TreeAccessibility &)>;

} // namespace

using Descriptor = WindowServerEntries::Descriptor;

class TestWindowPreviewProvider : public QObject
{
    Q_OBJECT
private slots:
    void previewIdForms()
    {
        QCOMPARE(WindowPreviewId::forWindow(412, 8812), QString("412:window:8812"));
        QCOMPARE(WindowPreviewId::forElement(412, 18446744073709551615ULL), QString("412:ax:18446744073709551615"));
        QVERIFY(WindowPreviewId::belongsTo("412:window:1", 412));
        QVERIFY(!WindowPreviewId::belongsTo("4120:window:1", 412));
    }

    void aspectRatioNeverBelowOne_data()
    {
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<double>("ratio");
        QTest::newRow("landscape") << QSizeF(800, 400) << 2.0;
        QTest::newRow("portrait") << QSizeF(400, 800) << 1.0;
        QTest::newRow("zero height") << QSizeF(300, 0) << 300.0;
    }
    void aspectRatioNeverBelowOne()
    {
        QFETCH(QSizeF, size);
        QFETCH(double, ratio);
        QCOMPARE(WindowPreviewProvider::aspectRatio(size), ratio);
    }

    void frameMatchPrefersLongerTitlePrefix_data()
    {
        QTest::addColumn<QList<Descriptor>>("candidates");
        QTest::addColumn<QString>("title");
        QTest::addColumn<quint32>("chosen");
        const auto entry = [](quint32 id, std::optional<QString> title) {
            return Descriptor { id, qint64(id), QRectF(0, 0, 400, 300), std::move(title), true };
        };
        QTest::newRow("later entry shares more")
            << QList<Descriptor> { entry(1, "Report"), entry(2, "Report 2024") } << "Report 2024 - Draft" << 2u;
        QTest::newRow("equal prefixes keep the front-most")
            << QList<Descriptor> { entry(1, "Notes A"), entry(2, "Notes B") } << "Notes C" << 1u;
        QTest::newRow("absent names read as empty")
            << QList<Descriptor> { entry(1, std::nullopt), entry(2, "X") } << "" << 1u;
        QTest::newRow("element without title") << QList<Descriptor> { entry(1, "A"), entry(2, "B") } << "" << 1u;
    }
    void frameMatchPrefersLongerTitlePrefix()
    {
        QFETCH(QList<Descriptor>, candidates);
        QFETCH(QString, title);
        QFETCH(quint32, chosen);
        QCOMPARE(AccessibilityWindowNumber::chooseByTitle(candidates, title), chosen);
    }

    void frameMatchToleratesOnePoint_data()
    {
        QTest::addColumn<QRectF>("frame");
        QTest::addColumn<QList<quint32>>("matches");
        QTest::newRow("exact and nearly, front to back") << QRectF(100, 100, 400, 300) << QList<quint32>{2, 1};
        QTest::newRow("just over a point off") << QRectF(99.99, 100.5, 400, 300) << QList<quint32>{1};
        QTest::newRow("exactly a point off, across zero") << QRectF(0.5, 0.5, 400, 300) << QList<quint32>{3};
        QTest::newRow("size off") << QRectF(100, 100, 402, 300) << QList<quint32>{};
        QTest::newRow("far off screen") << QRectF(-1e12, 5, 400, 300) << QList<quint32>{5};
    }
    void frameMatchToleratesOnePoint()
    {
        QFETCH(QRectF, frame);
        QFETCH(QList<quint32>, matches);
        const auto entry = [](quint32 id, const QRectF &bounds) {
            return Descriptor{id, qint64(id), bounds, std::nullopt, true};
        };
        const WindowServerEntries::Index index({entry(2, {101, 99, 400.5, 299}), entry(1, {100, 100, 400, 300}),
                                                entry(3, {-0.5, -0.5, 400, 300}), entry(4, {98.9, 100, 400, 300}),
                                                entry(5, {-1e12 + 0.5, 5, 400, 300})});
        QList<quint32> found;
        for (const Descriptor &d : index.matchingFrame(frame, AccessibilityWindowNumber::frameTolerance))
            found << d.id;
        QCOMPARE(found, matches);
    }

    void listingRules_data()
    {
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<QString>("subrole");
        QTest::addColumn<bool>("closeButton");
        QTest::addColumn<bool>("minimized");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QString>("listedTitle");
        QTest::addColumn<double>("aspectRatio");

        const QString standard = "AXStandardWindow";
        QTest::newRow("smallest listed") << QSizeF(120, 80) << standard << true << false << "Doc" << true << "Doc"
                                         << 1.5;
        QTest::newRow("one point too narrow")
            << QSizeF(119, 300) << standard << true << false << "Doc" << false << "" << 0.0;
        QTest::newRow("one point too low")
            << QSizeF(300, 79) << standard << true << false << "Doc" << false << "" << 0.0;
        QTest::newRow("portrait") << QSizeF(400, 800) << standard << true << false << "Doc" << true << "Doc" << 1.0;
        QTest::newRow("landscape") << QSizeF(800, 400) << standard << true << false << "Doc" << true << "Doc" << 2.0;
        QTest::newRow("unknown subrole, no close button")
            << QSizeF(400, 300) << "AXUnknown" << false << false << "Doc" << false << "" << 0.0;
        QTest::newRow("same, minimized") << QSizeF(400, 300) << "AXUnknown" << false << true << "Doc" << true << "Doc"
                                         << 400.0 / 300.0;
        QTest::newRow("unknown subrole with close button")
            << QSizeF(400, 300) << "AXUnknown" << true << false << "Doc" << true << "Doc" << 400.0 / 300.0;
        QTest::newRow("title of spaces") << QSizeF(400, 300) << standard << true << false << "  \t\n " << true
                                         << "Untitled Window" << 400.0 / 300.0;
        QTest::newRow("title trimmed") << QSizeF(400, 300) << standard << true << false << "  Notes \n"
                                       << true << "Notes" << 400.0 / 300.0;
    }
    void listingRules()
    {
        QFETCH(QSizeF, size);
        QFETCH(QString, subrole);
        QFETCH(bool, closeButton);
        QFETCH(bool, minimized);
        QFETCH(QString, title);
        QFETCH(bool, listed);
        QFETCH(QString, listedTitle);
        QFETCH(double, aspectRatio);

        ListingWorld world;
        const qint32 pid = world.addApp("Editor");
        const quint32 number = world.addWindow(pid, QRectF(QPointF(100, 100), size), title, [&](SimWindow &w) {
            w.subrole = subrole;
            w.hasCloseButton = closeButton;
            w.minimized = minimized;
        });
        const auto items = world.provider.windows(world.app(pid));
        QCOMPARE(items.size(), listed ? 1 : 0);
        if (!listed)
            return;
        const WindowPreviewItem &item = items.first();
        QCOMPARE(item.id, WindowPreviewId::forWindow(pid, number));
        QCOMPARE(item.windowID, std::optional<quint32>(number));
        QCOMPARE(item.title, listedTitle);
        QCOMPARE(item.isMinimized, minimized);
        QCOMPARE(item.isClosable, closeButton);
        QCOMPARE(item.aspectRatio, aspectRatio);
        QCOMPARE(item.accessibilityElement, world.desktop.windowElement(number));
    }

    void idsRanksAndWindowsWithoutEntry()
    {
        ListingWorld world;
        const qint32 pid = world.addApp("Editor");
        const qint32 other = world.addApp("Other");
        const quint32 back = world.addWindow(pid, { 0, 0, 500, 400 }, "Back");
        const quint32 parked = world.addWindow(pid, { 0, 0, 500, 400 }, "Parked", [](SimWindow &w) {
            w.minimized = true;
            w.inWindowList = false;
        });
        world.addWindow(pid, { 0, 0, 500, 400 }, "A palette", [](SimWindow &w) { w.layer = 3; });
        const quint32 front = world.addWindow(pid, { 50, 50, 500, 400 }, "Front");
        world.addWindow(other, { 0, 0, 300, 300 }, "Someone else's");

        const auto items = world.provider.windows(world.app(pid));
        // Main first (selection order), then by listing order among equals.
        QCOMPARE(ids(items),
            (QStringList { WindowPreviewId::forWindow(pid, front), WindowPreviewId::forWindow(pid, parked),
                WindowPreviewId::forWindow(pid, back) }));
        QVERIFY(items[0].isMain);

        // Ranks count every entry in the window server's list, any process and layer.
        QList<quint32> stack;
        const auto entries = world.windowList.copyWindowInfo(WindowList::AllExceptDesktop, WindowList::NoWindow);
        for (const auto &entry : *entries)
            stack << *entry.number();
        QCOMPARE(items[0].lastUsedRank, qint64(stack.indexOf(front)));
        QCOMPARE(items[2].lastUsedRank, qint64(stack.indexOf(back)));
        QVERIFY(items[0].lastUsedRank > 0);

        // A minimized window the window server no longer lists keeps its
        // ":window:" id and sorts after every listed window.
        QCOMPARE(items[1].windowID, std::nullopt);
        QVERIFY(items[1].isMinimized);
        const qint64 elementIndex = world.desktop.accessibleWindows(pid).indexOf(parked);
        QCOMPARE(items[1].lastUsedRank, WindowPreviewProvider::rankWithoutEntry + elementIndex);
    }

    void sameWindowNumberKeepsTheMainStandardClosableElement()
    {
        // Without the private lookup, two elements with one frame both match
        // the one window-server entry.
        ListingWorld world;
        world.desktop.setPrivateFunctionAvailable(getWindow, false);
        const qint32 pid = world.addApp("Editor");
        const quint32 listedWindow
            = world.addWindow(pid, { 10, 10, 600, 400 }, "Doc", [](SimWindow &w) { w.subrole = "AXDialog"; });
        const quint32 ghost
            = world.addWindow(pid, { 10, 10, 600, 400 }, "Doc", [](SimWindow &w) { w.inWindowList = false; });

        const auto items = world.provider.windows(world.app(pid));
        QCOMPARE(items.size(), 1);
        QCOMPARE(items[0].id, WindowPreviewId::forWindow(pid, listedWindow));
        QCOMPARE(items[0].accessibilityElement, world.desktop.windowElement(ghost));
        QVERIFY(items[0].isMain);
    }

    void emptyWithoutTrustOrWindows()
    {
        ListingWorld world;
        const qint32 pid = world.addApp("Editor");
        world.addWindow(pid, { 0, 0, 400, 300 });
        world.desktop.injectFailure(
            Sim::SimFailure::on(Sim::SimOperations::CopyAttributeValue, "AXWindows").forPid(pid));
        QVERIFY(world.provider.windows(world.app(pid)).isEmpty());
        world.desktop.clearFailures();
        QCOMPARE(world.provider.windows(world.app(pid)).size(), 1);
        world.desktop.setAccessibilityTrusted(false);
        QVERIFY(world.provider.windows(world.app(pid)).isEmpty());
    }

    void privateLookupAbsentOrFailing_data()
    {
        QTest::addColumn<bool>("available");
        QTest::addColumn<int>("failures");
        QTest::addColumn<int>("expectedCalls");
        QTest::newRow("absent: frame match only") << false << 0 << 0;
        QTest::newRow("fails every time: dropped after 8") << true << -1 << 8;
        QTest::newRow("fails 8 times: dropped too") << true << 8 << 8;
    }
    void privateLookupAbsentOrFailing()
    {
        QFETCH(bool, available);
        QFETCH(int, failures);
        QFETCH(int, expectedCalls);

        ListingWorld world;
        world.desktop.setPrivateFunctionAvailable(getWindow, available);
        if (failures != 0)
            world.desktop.injectFailure(
                Sim::SimFailure::on(Sim::SimOperations::CallPrivateFunction, getWindow).times(failures));
        const qint32 pid = world.addApp("Editor");
        const quint32 a = world.addWindow(pid, { 0, 0, 500, 400 }, "Report 2024");
        const quint32 b = world.addWindow(pid, { 0, 0, 500, 400 }, "Report 2025");
        const quint32 c = world.addWindow(pid, { 600, 0, 500, 400 }, "Notes");

        QList<WindowPreviewItem> items;
        for (int i = 0; i < 5; ++i)
            items = world.provider.windows(world.app(pid));
        QCOMPARE(world.callsTo(getWindow), expectedCalls);
        // The frame match tells the two same-frame windows apart by title.
        const QStringList listed = ids(items);
        QCOMPARE(QSet<QString>(listed.cbegin(), listed.cend()),
            (QSet<QString> { WindowPreviewId::forWindow(pid, a), WindowPreviewId::forWindow(pid, b),
                WindowPreviewId::forWindow(pid, c) }));
        for (const auto &item : items)
            QCOMPARE(item.title, world.desktop.window(*item.windowID)->title);
    }

    void privateLookupKeptAfterOneSuccess()
    {
        ListingWorld world;
        const qint32 pid = world.addApp("Editor");
        world.addWindow(pid, { 0, 0, 500, 400 }, "Doc");
        QCOMPARE(world.provider.windows(world.app(pid)).size(), 1);

        world.desktop.injectFailure(Sim::SimFailure::on(Sim::SimOperations::CallPrivateFunction, getWindow));
        world.desktop.clearRequests();
        for (int i = 0; i < 6; ++i) {
            // A failed lookup is final for the element: no frame match, so
            // the window is not listed while the lookup fails.
            QVERIFY(world.provider.windows(world.app(pid)).isEmpty());
        }
        QCOMPARE(world.callsTo(getWindow), 12);
    }

    void axIdsAreUniqueWithinAListing()
    {
        // A minimized window the lookup cannot number is listed by its
        // element's hash; the same element reported twice is one window.
        ListingWorld world;
        const qint32 pid = world.addApp("Editor");
        const quint32 number = world.addWindow(pid, { 0, 0, 500, 400 }, "Parked", [](SimWindow &w) {
            w.minimized = true;
            w.inWindowList = false;
        });
        const AXElement element = world.desktop.windowElement(number);
        world.desktop.injectFailure(Sim::SimFailure::on(Sim::SimOperations::CallPrivateFunction, getWindow));
        world.desktop.injectFailure(Sim::SimFailure::on(Sim::SimOperations::CopyAttributeValue, "AXWindows")
                                        .forPid(pid)
                                        .answering(AXValue::fromElements({ element, element })));

        const auto items = world.provider.windows(world.app(pid));
        QCOMPARE(ids(items), QStringList { WindowPreviewId::forElement(pid, element.hashValue()) });
        QCOMPARE(items[0].windowID, std::nullopt);
        QCOMPARE(items[0].lastUsedRank, WindowPreviewProvider::rankWithoutEntry);
    }

    void tabCount()
    {
        ListingWorld world;
        const qint32 pid = world.addApp("Browser");
        const quint32 tabbed = world.addWindow(pid, { 0, 0, 800, 600 }, "Tabs", [](SimWindow &w) {
            w.tabs = QStringList { "One", "Two", "Three" };
        });
        const quint32 plain = world.addWindow(pid, { 0, 0, 800, 600 }, "Plain");
        QCOMPARE(world.provider.tabCount(world.desktop.windowElement(tabbed)), std::optional<int>(3));
        QCOMPARE(world.provider.tabCount(world.desktop.windowElement(plain)), std::nullopt);
    }

    void tabWalk_data()
    {
        QTest::addColumn<TreeBuilder>("window");
        QTest::addColumn<std::optional<int>>("count");
        using T = TreeAccessibility;
        const QString tabButton = "AXTabButton";

        QTest::newRow("no tabs, no tab list") << TreeBuilder([](T &t) {
            return t.add(AXNames::WindowRole, {}, { t.add(AXNames::GroupRole), t.add(AXNames::ButtonRole) });
        }) << std::optional<int>();
        QTest::newRow("tab buttons, one reached twice") << TreeBuilder([tabButton](T &t) {
            const AXElement a = t.add(AXNames::ButtonRole, tabButton);
            const AXElement b = t.add(AXNames::TabRole);
            return t.add(AXNames::WindowRole, {},
                { t.add(AXNames::GroupRole, {}, { a, b }), t.add(AXNames::GroupRole, {}, { a }) });
        }) << std::optional<int>(2);
        QTest::newRow("radio buttons count only inside a tab group") << TreeBuilder([](T &t) {
            const AXElement inside
                = t.add(AXNames::GroupRole, {}, { t.add(AXNames::RadioButtonRole), t.add(AXNames::RadioButtonRole) });
            const AXElement group = t.add(AXNames::TabGroupRole, {}, { inside });
            return t.add(AXNames::WindowRole, {}, { group, t.add(AXNames::RadioButtonRole) });
        }) << std::optional<int>(2);
        QTest::newRow("a longer tab list wins") << TreeBuilder([](T &t) {
            const AXElement group = t.add(AXNames::TabGroupRole, {}, { t.add(AXNames::TabButtonRole) });
            t.node(group).tabs = { t.add(AXNames::TabRole), t.add(AXNames::TabRole), t.add(AXNames::TabRole) };
            return t.add(AXNames::WindowRole, {}, { group });
        }) << std::optional<int>(3);
        QTest::newRow("web content is never entered") << TreeBuilder([](T &t) {
            QList<AXElement> nodes;
            for (int i = 0; i < 1000; ++i)
                nodes << t.add(AXNames::TabRole);
            return t.add(AXNames::WindowRole, {}, { t.add(AXNames::WebAreaRole, {}, nodes) });
        }) << std::optional<int>();
        QTest::newRow("tab at the deepest level walked") << TreeBuilder([](T &t) {
            return t.chain(WindowPreviewProvider::tabWalkDepthLimit - 1, t.add(AXNames::TabRole));
        }) << std::optional<int>(1);
        QTest::newRow("tab one level deeper") << TreeBuilder([](T &t) {
            return t.chain(WindowPreviewProvider::tabWalkDepthLimit, t.add(AXNames::TabRole));
        }) << std::optional<int>();
        const auto wide = [](int before) {
            return TreeBuilder([before](T &t) {
                QList<AXElement> children;
                for (int i = 0; i < before; ++i)
                    children << t.add(AXNames::GroupRole);
                children << t.add(AXNames::TabRole);
                return t.add(AXNames::WindowRole, {}, children);
            });
        };
        // The window is the first element taken, so the tab after 1498
        // siblings is the 1500th.
        QTest::newRow("tab as the last element examined")
            << wide(WindowPreviewProvider::tabWalkElementLimit - 2) << std::optional<int>(1);
        QTest::newRow("tab one element too far")
            << wide(WindowPreviewProvider::tabWalkElementLimit - 1) << std::optional<int>();
    }
    void tabWalk()
    {
        QFETCH(TreeBuilder, window);
        QFETCH(std::optional<int>, count);
        Test::ServicesWorld world;
        TreeAccessibility tree;
        WindowPreviewProvider provider(
            tree, world.windowList, world.privateFunctions, world.displays, world.workspace, world.clock);
        QCOMPARE(provider.tabCount(window(tree)), count);
    }
};

QTEST_GUILESS_MAIN(TestWindowPreviewProvider)
#include "tst_windowpreviewprovider.moc"
