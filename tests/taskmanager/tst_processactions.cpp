#include "platform/sim/simoperations.h"
#include "platform/sim/simplatform.h"
#include "platform/sim/simulatedsignaller.h"
#include "platform/sim/simulatedstatistics.h"
#include "platform/sim/virtualclock.h"
#include "processfixtures.h"
#include "taskmanager/model/processactionsviewmodel.h"
#include "taskmanager/model/processbrowsersearch.h"
#include "taskmanager/sampling/systemmonitor.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace Velmora;
using Test::managedProcess;
using Test::ownPid;
using Test::ownUid;
using Alert = ProcessActionsViewModel::Alert;

class TestProcessActions : public QObject
{
    Q_OBJECT

    Sim::VirtualClock m_clock;
    Sim::SimPlatform m_platform { m_clock };
    Sim::SimulatedStatistics m_stats;
    std::unique_ptr<Sim::SimulatedSignaller> m_signaller;
    std::unique_ptr<SystemMonitor> m_monitor;
    std::unique_ptr<ProcessActionsViewModel> m_actions;

    // A process of ours that is running, with its executable at `path`.
    ManagedProcess running(qint32 pid, const QString &name, const std::optional<QString> &path, quint64 started = 1'000)
    {
        Sim::SimulatedStatistics::Process p;
        p.statistics.identity = ProcessIdentity { ownUid, started, false, false };
        p.statistics.name = name;
        p.executable = path;
        m_stats.setProcess(pid, p);
        return managedProcess(pid, name, 1.0, 1, "ada", ownUid, started);
    }

    QList<Sim::SimRequest> requests(QLatin1String operation) const
    {
        QList<Sim::SimRequest> found;
        for (const Sim::SimRequest &request : m_platform.desktop.requests()) {
            if (request.operation == operation)
                found.append(request);
        }
        return found;
    }

private slots:
    void init()
    {
        m_signaller = std::make_unique<Sim::SimulatedSignaller>(ownPid, ownUid);
        m_monitor = std::make_unique<SystemMonitor>(
            SystemMonitor::Environment { &m_clock, &m_clock, &m_stats, m_signaller.get(), {} });
        m_actions = std::make_unique<ProcessActionsViewModel>(
            ProcessActionsViewModel::Environment { m_monitor.get(), &m_stats, &m_platform.workspace, ownPid, ownUid });
    }

    void confirmationTexts_data()
    {
        QTest::addColumn<bool>("force");
        QTest::addColumn<Alert>("alert");
        QTest::newRow("end") << false
                             << Alert { "End Editor?",
                                    "Editor (PID 512) will receive a termination request. Unsaved work may be lost. "
                                    "If it remains running, use Force Quit.",
                                    { "Cancel", "End Task" } };
        QTest::newRow("force quit") << true
                                    << Alert { "Force quit Editor?",
                                           "Editor (PID 512) will receive an immediate kill signal. Unsaved work may "
                                           "be lost.",
                                           { "Cancel", "Force Quit" } };
    }
    void confirmationTexts()
    {
        QFETCH(bool, force);
        QFETCH(Alert, alert);
        QCOMPARE(ProcessActionsViewModel::confirmation(managedProcess(512, "Editor"), force), alert);
        QCOMPARE(ProcessActionsViewModel::confirmation(std::nullopt, force).title,
            force ? QStringLiteral("Force quit process?") : QStringLiteral("End process?"));
    }

    void confirmingSignalsTheProcessAsRequested()
    {
        const ManagedProcess editor = running(512, "Editor", std::nullopt);
        QSignalSpy pending(m_actions.get(), &ProcessActionsViewModel::pendingChanged);
        m_actions->requestEnd(editor, false);
        m_actions->requestEnd(editor, true); // the newer request wins
        QVERIFY(m_actions->isForce());
        m_actions->confirmPending();
        QVERIFY(!m_actions->pending());
        QCOMPARE(pending.size(), 3);
        QCOMPARE(m_signaller->requests(), (QList { Sim::SimulatedSignaller::Request { 512, 1'000, ownUid, SIGKILL } }));

        m_actions->requestEnd(editor, false);
        m_actions->cancelPending();
        QCOMPARE(m_signaller->requests().size(), 1);
    }

    void aRefusedEndIsReportedAndDismissed()
    {
        QSignalSpy errors(m_actions.get(), &ProcessActionsViewModel::endErrorChanged);
        m_actions->requestEnd(managedProcess(1, "launchd"), false);
        m_actions->confirmPending();
        QCOMPARE(errors.size(), 1);
        const Alert alert = ProcessActionsViewModel::endFailure(*m_actions->endError());
        QCOMPARE(alert.title, QStringLiteral("Unable to end process"));
        QCOMPARE(alert.message, QStringLiteral("This process is protected or belongs to another user."));
        QCOMPARE(alert.buttons, QStringList { "OK" });
        m_actions->dismissEndError();
        QVERIFY(!m_actions->endError());
        QVERIFY(m_signaller->requests().isEmpty());
    }

    void showInFinderRevealsTheExecutableOrSaysWhyNot()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("editor");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        m_actions->showInFinder(running(512, "Editor", path));
        QTRY_COMPARE(requests(Sim::SimOperations::RevealFiles).size(), 1);
        QCOMPARE(requests(Sim::SimOperations::RevealFiles).first().detail, QVariant(QStringList { path }));
        QVERIFY(!m_actions->finderError());

        // Ended since it was listed: its id now names another run.
        const ManagedProcess ended = managedProcess(600, "Helper", 1.0, 1, "ada", ownUid, 7);
        running(600, "Helper", path, 8);
        m_actions->showInFinder(ended);
        QTRY_VERIFY(m_actions->finderError());
        const Alert alert = ProcessActionsViewModel::finderFailure(*m_actions->finderError());
        QCOMPARE(alert.title, QStringLiteral("Unable to show process in Finder"));
        QCOMPARE(alert.message,
            QStringLiteral("The executable for Helper is unavailable. The process may have exited or access may be "
                           "restricted."));
        m_actions->dismissFinderError();
        QVERIFY(!m_actions->finderError());
        QCOMPARE(requests(Sim::SimOperations::RevealFiles).size(), 1);

        // The executable is there but no file manager shows it: said so, not
        // taken for done.
        m_platform.desktop.injectFailure(Sim::SimFailure::on(Sim::SimOperations::RevealFiles).once());
        m_actions->showInFinder(running(512, "Editor", path));
        QTRY_VERIFY(m_actions->finderError());
        QCOMPARE(*m_actions->finderError(), QStringLiteral("No file manager could show ") + path + QLatin1Char('.'));
        QCOMPARE(requests(Sim::SimOperations::RevealFiles).size(), 2);
    }

    void footerFollowsTheSelectedProcess()
    {
        QTemporaryDir dir;
        for (const char *name : { "a", "b" }) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const ManagedProcess a = running(10, "a", dir.filePath("a"));
        const ManagedProcess b = running(11, "b", dir.filePath("b"));
        m_actions->setFooterProcess(a);
        // Another selection before the first path arrived: only its path shows.
        m_actions->setFooterProcess(b);
        QCOMPARE(m_actions->footerPath(), QStringLiteral("Executable location unavailable"));
        QTRY_COMPARE(m_actions->selectedExecutablePath(), std::optional(dir.filePath("b")));
        QTest::qWait(20);
        QCOMPARE(m_actions->footerPath(), dir.filePath("b"));
        m_actions->setFooterProcess(std::nullopt);
        QVERIFY(!m_actions->selectedExecutablePath());
    }

    void footerTitle_data()
    {
        QTest::addColumn<qint32>("pid");
        QTest::addColumn<quint32>("uid");
        QTest::addColumn<QString>("title");
        QTest::newRow("ours") << 512 << ownUid << QStringLiteral("Editor \u00b7 PID 512");
        QTest::newRow("another user's") << 512 << 0u << QStringLiteral("Editor \u00b7 PID 512 \u00b7 Protected");
        QTest::newRow("the first process") << 1 << ownUid << QStringLiteral("Editor \u00b7 PID 1 \u00b7 Protected");
        QTest::newRow("this application")
            << ownPid << ownUid << QStringLiteral("Editor \u00b7 PID 4000 \u00b7 Protected");
    }
    void footerTitle()
    {
        QFETCH(qint32, pid);
        QFETCH(quint32, uid);
        QFETCH(QString, title);
        QCOMPARE(m_actions->footerTitle(managedProcess(pid, "Editor", 1.0, 1, "ada", uid)), title);
    }

    void webSearchAddress_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("url"); // empty: no search
        const QString base = QStringLiteral("https://www.google.com/search?q=");
        QTest::newRow("plus is not a space") << "Sync+ Agent" << base + "Sync%2B%20Agent";
        QTest::newRow("delimiters stay inside the value") << "a&b=c#d" << base + "a%26b%3Dc%23d";
        QTest::newRow("untrimmed") << " mds " << base + "%20mds%20";
        QTest::newRow("not ASCII") << "caf\u00e9" << base + "caf%C3%A9";
        QTest::newRow("only spaces") << "   " << QString();
        QTest::newRow("empty") << "" << QString();
    }
    void webSearchAddress()
    {
        QFETCH(QString, name);
        QFETCH(QString, url);
        const auto address = ProcessBrowserSearch::url(name);
        QCOMPARE(address ? address->toString(QUrl::FullyEncoded) : QString(), url);
    }

    void webSearchOpensTheAddress()
    {
        m_actions->searchWeb(managedProcess(5, "Sync+ Agent"));
        m_actions->searchWeb(managedProcess(6, "  "));
        const auto opened = requests(Sim::SimOperations::OpenUrl);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.first().detail.toUrl(), *ProcessBrowserSearch::url("Sync+ Agent"));
    }
};

QTEST_GUILESS_MAIN(TestProcessActions)
#include "tst_processactions.moc"
