#include "services/closeshortcut.h"
#include "services/fullscreendisplaydetector.h"
#include "services/messagingtimeoutscope.h"
#include "services/minimizebuttonhittest.h"
#include "services/windowworkareamanager.h"

#include "../support/servicesworld.h"

#include <QtTest>

#include <functional>

using namespace Velmora;
using namespace Velmora::Test;

namespace {

// An editor with one window filling the display, so every caller below has
// something to read of it.
struct EditorWorld : ListingWorld
{
    qint32 editor = addApp(QStringLiteral("Editor"));
    quint32 window = addWindow(editor, QRectF(0, 0, 1440, 900), QStringLiteral("Document"));

    // The editor is busy for `ms`: a read answers after that long.
    void busyFor(qint64 ms) { desktop.setBusyFor(editor, ms); }
    bool reads(const AXElement &element)
    {
        return accessibility.copyAttributeValue(element, QStringLiteral("AXWindows")).ok();
    }
};

using Caller = std::function<void(EditorWorld &)>;

} // namespace

Q_DECLARE_METATYPE(Caller)

// A caller that waits only briefly on an application does so for its own
// reads: whoever reads the same application next waits as long as it asks.
class TestMessagingTimeouts : public QObject
{
    Q_OBJECT

private slots:
    void shortWaitsStayWithTheirCaller_data()
    {
        QTest::addColumn<Caller>("caller");
        QTest::newRow("minimize-button hit test") << Caller([](EditorWorld &w) {
            MinimizeButtonHitTest::buttonFrame(w.accessibility, QPointF(130, 10), w.editor);
        });
        QTest::newRow("close shortcut") << Caller([](EditorWorld &w) {
            CloseShortcut::closeButton(w.accessibility, w.provider, w.window, w.editor);
        });
        QTest::newRow("full-screen detector") << Caller([](EditorWorld &w) {
            FullScreenDisplayDetector(w.accessibility, w.windowList, w.displays, w.workspace).displayIDs();
        });
        QTest::newRow("work-area manager") << Caller([](EditorWorld &w) {
            WindowWorkAreaManager(w.accessibility, w.workspace, w.displays).apply(57);
        });
    }

    void shortWaitsStayWithTheirCaller()
    {
        QFETCH(Caller, caller);
        EditorWorld world;
        caller(world);
        // Longer than any of those callers waits, well within the default.
        world.busyFor(300);
        const std::optional<QList<WindowPreviewItem>> listed = world.provider.windowsIfAnswered(world.app(world.editor));
        QVERIFY(listed);
        QCOMPARE(listed->size(), 1);
    }

    // Nested scopes on one reference end as they began, even over a time-out
    // set outside any scope; another reference to the same application is
    // never touched.
    void scopesPutBackWhatWasThere()
    {
        EditorWorld world;
        Accessibility &ax = world.accessibility;
        const AXElement mine = ax.applicationElement(world.editor);
        const AXElement theirs = ax.applicationElement(world.editor);
        QCOMPARE(mine, theirs);
        ax.setMessagingTimeout(mine, 1.0);
        {
            MessagingTimeoutScope outer(ax, 0.25);
            outer.limit(mine);
            {
                MessagingTimeoutScope inner(ax, 0.05);
                inner.limit(mine);
                inner.limit(mine);
                QCOMPARE(ax.messagingTimeout(mine), 0.05);
                world.busyFor(100);
                QVERIFY(!world.reads(mine));
                world.busyFor(100);
                QVERIFY(world.reads(theirs));
            }
            QCOMPARE(ax.messagingTimeout(mine), 0.25);
        }
        QCOMPARE(ax.messagingTimeout(mine), 1.0);
        QCOMPARE(ax.messagingTimeout(theirs), 0.0);

        // A copy of a reference is that reference.
        const AXElement copy = mine;
        {
            MessagingTimeoutScope scope(ax, 0.05);
            scope.limit(copy);
            QCOMPARE(ax.messagingTimeout(mine), 0.05);
        }
        QCOMPARE(ax.messagingTimeout(mine), 1.0);
    }
};

QTEST_GUILESS_MAIN(TestMessagingTimeouts)
#include "tst_messagingtimeouts.moc"
