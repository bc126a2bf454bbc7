#include "services/windowfocushistory.h"
#include "services/windowpreviewid.h"

#include "support/servicesworld.h"

#include "platform/axnames.h"

#include <QMutex>
#include <QTest>
#include <QThread>

using namespace Velmora;
using Velmora::Test::ListingWorld;

namespace {

struct FocusWorld : ListingWorld
{
    WindowFocusHistory history{accessibility, provider, clock};

    // Lets lookups finish and their results, and the desktop's
    // notifications, arrive on this thread.
    void settle()
    {
        for (int i = 0; i < 3; ++i) {
            clock.runPending();
            QVERIFY(history.waitForLookups(10000));
            QCoreApplication::processEvents();
        }
    }

    quint64 recency(qint32 pid, quint32 window) const
    {
        return history.recency(WindowPreviewId::forWindow(pid, window)).value_or(0);
    }

    // An application with two windows, watched by the history.
    struct Watched
    {
        qint32 pid;
        quint32 back;
        quint32 front;
    };
    Watched watchEditor()
    {
        const qint32 pid = addApp("Editor");
        const quint32 back = addWindow(pid, {0, 0, 500, 400}, "Back");
        const quint32 front = addWindow(pid, {50, 50, 500, 400}, "Front");
        history.refreshApplications(apps({pid}));
        settle();
        return {pid, back, front};
    }

    QList<RunningApplication> apps(const QList<qint32> &pids) const
    {
        QList<RunningApplication> result;
        for (qint32 pid : pids)
            result << app(pid);
        return result;
    }
};

// Accessibility that notes which thread asked for each focused window.
class ThreadNotingAccessibility final : public Accessibility
{
public:
    explicit ThreadNotingAccessibility(Accessibility &inner)
        : m_inner(inner)
    {
    }
    QStringList focusedWindowReaders() const
    {
        QMutexLocker locker(&m_lock);
        return m_readers;
    }

    AXResult<AXValue> copyAttributeValue(const AXElement &element, const QString &attribute) override
    {
        if (attribute == AXNames::FocusedWindow) {
            QMutexLocker locker(&m_lock);
            m_readers << QThread::currentThread()->objectName();
        }
        return m_inner.copyAttributeValue(element, attribute);
    }

    bool isProcessTrusted() const override { return m_inner.isProcessTrusted(); }
    bool isProcessTrustedWithPrompt(bool prompt) override { return m_inner.isProcessTrustedWithPrompt(prompt); }
    AXElement applicationElement(qint32 pid) const override { return m_inner.applicationElement(pid); }
    AXElement systemWideElement() const override { return m_inner.systemWideElement(); }
    AXResult<qint32> processIdentifier(const AXElement &e) const override { return m_inner.processIdentifier(e); }
    AXResult<std::vector<AXValue>> copyMultipleAttributeValues(const AXElement &e, const QStringList &a,
                                                               BatchOptions o) override
    {
        return m_inner.copyMultipleAttributeValues(e, a, o);
    }
    AXResult<qint64> attributeValueCount(const AXElement &e, const QString &a) override
    {
        return m_inner.attributeValueCount(e, a);
    }
    AXResult<bool> isAttributeSettable(const AXElement &e, const QString &a) override
    {
        return m_inner.isAttributeSettable(e, a);
    }
    AXError setAttributeValue(const AXElement &e, const QString &a, const AXValue &v) override
    {
        return m_inner.setAttributeValue(e, a, v);
    }
    AXError performAction(const AXElement &e, const QString &a) override { return m_inner.performAction(e, a); }
    AXError setMessagingTimeout(const AXElement &e, double s) override { return m_inner.setMessagingTimeout(e, s); }
    double messagingTimeout(const AXElement &e) const override { return m_inner.messagingTimeout(e); }
    AXResult<AXElement> elementAtPosition(const AXElement &r, const QPointF &p) override
    {
        return m_inner.elementAtPosition(r, p);
    }
    std::unique_ptr<AccessibilityObserver> createObserver(qint32 pid, QObject *context,
                                                          NotificationCallback callback) override
    {
        return m_inner.createObserver(pid, context, std::move(callback));
    }

private:
    Accessibility &m_inner;
    mutable QMutex m_lock;
    QStringList m_readers;
};

} // namespace

class TestWindowFocusHistory : public QObject
{
    Q_OBJECT
private slots:
    void pickPinsTheApplicationForFourSeconds()
    {
        FocusWorld world;
        const QString picked = WindowPreviewId::forWindow(412, 8731);
        world.history.recordRequested(picked, 412);
        QCOMPARE(world.history.recency(picked), std::optional<quint64>(1));

        world.history.record(9000, 412);
        // Setting the system clock back does not stretch the pin.
        world.clock.setWallClockMs(world.clock.wallClockMs() - 3600 * 1000);
        world.clock.advance(3999);
        world.history.record(9000, 412);
        QCOMPARE(world.recency(412, 9000), 0u);

        // Another application's focus is not held back.
        world.history.record(77, 4120);
        QCOMPARE(world.recency(4120, 77), 2u);

        world.clock.advance(1);
        world.history.record(9000, 412);
        QCOMPARE(world.recency(412, 9000), 3u);
        // The pin is gone: the next event goes through at once.
        world.history.record(8731, 412);
        QCOMPARE(world.recency(412, 8731), 4u);

        // A later pick replaces the pin with a new one.
        world.history.recordRequested(picked, 412);
        world.clock.advance(2000);
        world.history.recordRequested(picked, 412);
        world.clock.advance(3000);
        world.history.record(9000, 412);
        QCOMPARE(world.recency(412, 9000), 3u);
    }

    void keyFormsAreIndependent()
    {
        FocusWorld world;
        const QString axKey = WindowPreviewId::forElement(412, 123456789);
        world.history.recordRequested(axKey, 412);
        world.clock.advance(WindowFocusHistory::pinDurationMs);
        world.history.record(8731, 412);
        world.history.record(8731, 412);
        QCOMPARE(world.history.recency(axKey), std::optional<quint64>(1));
        QCOMPARE(world.recency(412, 8731), 3u);
        QCOMPARE(world.history.recency("412:window:1"), std::nullopt);
    }

    void refreshForgetsProcessesThatAreGone()
    {
        FocusWorld world;
        const qint32 a = world.addApp("A", 412);
        const qint32 b = world.addApp("B", 4120);
        world.history.record(1, a);
        world.history.recordRequested(WindowPreviewId::forElement(a, 5), a);
        world.history.record(2, b);

        world.history.refreshApplications(world.apps({b}));
        world.settle();
        QCOMPARE(world.recency(a, 1), 0u);
        QCOMPARE(world.history.recency(WindowPreviewId::forElement(a, 5)), std::nullopt);
        QCOMPARE(world.recency(b, 2), 3u);

        // Forgetting never winds the counter back, and the pin went with the process.
        world.history.record(1, a);
        QCOMPARE(world.recency(a, 1), 4u);
    }

    void observesFocusChanges()
    {
        FocusWorld world;
        const auto [pid, back, front] = world.watchEditor();
        QCOMPARE(world.recency(pid, front), 1u);
        QCOMPARE(world.recency(pid, back), 0u);

        world.desktop.focusWindow(back);
        world.settle();
        QCOMPARE(world.recency(pid, back), 2u);

        // A second refresh keeps the one observer.
        world.history.refreshApplications(world.apps({pid}));
        world.settle();
        QCOMPARE(world.callsTo(Sim::SimOperations::CreateObserver), 1);

        // Activation asks for the focused window.
        world.history.recordFocusedWindow(pid);
        world.settle();
        QCOMPARE(world.recency(pid, back), 3u);
    }

    void focusedWindowIsReadOnTheLookupQueue()
    {
        Test::ListingWorld world;
        ThreadNotingAccessibility noting(world.accessibility);
        WindowFocusHistory history(noting, world.provider, world.clock);
        const qint32 pid = world.addApp("Editor");
        const quint32 window = world.addWindow(pid, {0, 0, 500, 400}, "Doc");

        history.refreshApplications({world.app(pid)});
        history.recordFocusedWindow(pid);
        QVERIFY(history.waitForLookups(10000));
        QTRY_COMPARE(history.recency(WindowPreviewId::forWindow(pid, window)), std::optional<quint64>(2));
        QCOMPARE(noting.focusedWindowReaders(), QStringList(2, "Velmora.WindowFocusHistory"));
    }

    void lostTrustStopsObservingButKeepsTicks()
    {
        FocusWorld world;
        const auto [pid, back, front] = world.watchEditor();

        world.desktop.setAccessibilityTrusted(false);
        world.history.refreshApplications(world.apps({pid}));
        world.desktop.setAccessibilityTrusted(true);
        world.desktop.focusWindow(back);
        world.settle();
        QCOMPARE(world.recency(pid, front), 1u);
        QCOMPARE(world.recency(pid, back), 0u);

        // Trust back: observed again.
        world.history.refreshApplications(world.apps({pid}));
        world.desktop.focusWindow(front);
        world.settle();
        QVERIFY(world.recency(pid, front) > 1u);
    }

    void reusedProcessIdentifierStartsClean()
    {
        FocusWorld world;
        const qint32 pid = world.addApp("Old", 500);
        const quint32 oldWindow = world.addWindow(pid, {0, 0, 500, 400}, "Old");
        world.history.refreshApplications(world.apps({pid}));
        world.settle();
        QCOMPARE(world.recency(pid, oldWindow), 1u);
        world.history.recordRequested(WindowPreviewId::forWindow(pid, oldWindow), pid);

        // The process ends and its pid comes back for another application
        // before the next refresh.
        world.desktop.killProcess(pid);
        world.clock.advance(1000);
        QCOMPARE(world.addApp("New", 500), pid);
        const quint32 newWindow = world.addWindow(pid, {0, 0, 500, 400}, "New");

        world.history.refreshApplications(world.apps({pid}));
        world.settle();
        QCOMPARE(world.recency(pid, oldWindow), 0u);
        // Observed afresh, and not held back by the old life's pin.
        QCOMPARE(world.recency(pid, newWindow), 3u);
        QCOMPARE(world.callsTo(Sim::SimOperations::CreateObserver), 2);
    }
};

QTEST_GUILESS_MAIN(TestWindowFocusHistory)
#include "tst_windowfocushistory.moc"
