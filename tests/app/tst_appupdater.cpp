#include "app/appupdater.h"
#include "platform/sim/scriptedupdaterbackend.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

using namespace Velmora;

namespace {

struct Started
{
    Sim::ScriptedUpdaterBackend *backend = nullptr;
    int created = 0;
    int activations = 0;
};

AppUpdater::Environment environment(Started &started, bool signedCopy, bool initialFlag = false)
{
    return AppUpdater::Environment{
        .makeBackend =
            [&started, initialFlag]() -> std::unique_ptr<UpdaterBackend> {
                ++started.created;
                auto backend = std::make_unique<Sim::ScriptedUpdaterBackend>(initialFlag);
                started.backend = backend.get();
                return backend;
            },
        .isDistributionSigned = [signedCopy] { return signedCopy; },
        .activate = [&started] { ++started.activations; },
        .shortVersion = QString("1.4.2"),
    };
}

} // namespace

// The updater starts the framework once and only in a signed copy, and its
// published flag and the framework's mirror each other without echoes, also
// when the framework changes its flag on a thread of its own.
class TestAppUpdater : public QObject
{
    Q_OBJECT
private slots:
    void startsOnceAndOnlyWhenSigned()
    {
        Started started;
        AppUpdater unsignedCopy(environment(started, false));
        unsignedCopy.start();
        QCOMPARE(started.created, 0);
        QVERIFY(!unsignedCopy.canCheckForUpdates());
        // Without a framework the toggle only changes the published value and
        // a check only brings the application forward.
        unsignedCopy.setAutomaticallyChecks(true);
        QVERIFY(unsignedCopy.automaticallyChecks());
        unsignedCopy.checkForUpdates();
        QCOMPARE(started.activations, 1);

        AppUpdater signedCopy(environment(started, true, true));
        QSignalSpy changed(&signedCopy, &AppUpdater::automaticallyChecksChanged);
        signedCopy.start();
        signedCopy.start();
        QCOMPARE(started.created, 1);
        QVERIFY(signedCopy.canCheckForUpdates());
        // The framework's flag is taken at once.
        QVERIFY(signedCopy.automaticallyChecks());
        QCOMPARE(changed.count(), 1);
        signedCopy.checkForUpdates();
        QCOMPARE(started.activations, 2);
        QCOMPARE(started.backend->checkCount(), 1);
    }

    void mirrorsTheFlagWithoutEchoes()
    {
        Started started;
        AppUpdater updater(environment(started, true));
        updater.start();
        Sim::ScriptedUpdaterBackend &backend = *started.backend;
        QSignalSpy changed(&updater, &AppUpdater::automaticallyChecksChanged);

        // The toggle writes the framework once; the framework's answer to
        // that write, arriving later, publishes nothing.
        updater.setAutomaticallyChecks(true);
        QVERIFY(backend.automaticallyChecksForUpdates());
        QCOMPARE(backend.writeCount(), 1);
        QCOMPARE(changed.count(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(backend.writeCount(), 1);

        // An equal value reaches neither side.
        updater.setAutomaticallyChecks(true);
        QCOMPARE(backend.writeCount(), 1);
        QCOMPARE(changed.count(), 1);
    }

    void takesTheFrameworksChangesOnTheMainThread()
    {
        Started started;
        AppUpdater updater(environment(started, true));
        updater.start();
        Sim::ScriptedUpdaterBackend &backend = *started.backend;
        QThread *signalledOn = nullptr;
        connect(&updater, &AppUpdater::automaticallyChecksChanged, this,
                [&] { signalledOn = QThread::currentThread(); }, Qt::DirectConnection);

        std::unique_ptr<QThread> framework(QThread::create([&] { backend.changeFlag(true); }));
        framework->start();
        QVERIFY(framework->wait(5000));
        // Nothing is published on the framework's thread...
        QVERIFY(!updater.automaticallyChecks());
        QTRY_VERIFY(updater.automaticallyChecks());
        // ...and the change is not written back.
        QCOMPARE(signalledOn, QThread::currentThread());
        QCOMPARE(backend.writeCount(), 1);

        // Quick changes from several threads end on the framework's last value.
        std::vector<std::unique_ptr<QThread>> threads;
        for (bool value : {false, true, false}) {
            threads.emplace_back(QThread::create([&backend, value] { backend.changeFlag(value); }));
            threads.back()->start();
            QVERIFY(threads.back()->wait(5000));
        }
        QTRY_VERIFY(!updater.automaticallyChecks());
        QCOMPARE(backend.writeCount(), 4);
    }

    void changesStillOnTheWayDieWithTheUpdater()
    {
        Started started;
        auto updater = std::make_unique<AppUpdater>(environment(started, true));
        updater->start();
        Sim::ScriptedUpdaterBackend *backend = started.backend;
        std::unique_ptr<QThread> framework(QThread::create([backend] {
            for (int i = 0; i < 100; ++i)
                backend->changeFlag(i % 2 == 0);
        }));
        framework->start();
        QVERIFY(framework->wait(5000));
        // A hundred deliveries are queued for an updater that is gone before
        // the event loop runs them.
        updater.reset();
        QCoreApplication::processEvents();
    }

    void describesTheVersion()
    {
        QCOMPARE(AppUpdater(AppUpdater::Environment{.shortVersion = QString("2.0")}).versionDescription(),
                 QString("2.0"));
        QCOMPARE(AppUpdater().versionDescription(), QString("?"));
    }
};

QTEST_GUILESS_MAIN(TestAppUpdater)
#include "tst_appupdater.moc"
