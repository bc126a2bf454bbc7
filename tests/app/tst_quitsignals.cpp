#include "app/quitsignals.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace Velmora;

namespace {

// Whether the process has a handler of its own for `signal`, from /proc.
bool catches(qint64 pid, int signal)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
    }
    return false;
}

QList<qint64> childrenOf(qint64 pid)
{
    QList<qint64> children;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(tasks.filePath(task + QStringLiteral("/children")));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &child : file.readAll().split(' ')) {
            if (!child.trimmed().isEmpty())
                children.append(child.trimmed().toLongLong());
        }
    }
    return children;
}

// Gone, or a zombie nobody has reaped yet: either way it runs no more.
bool hasEnded(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close < 0 || text.mid(close + 2, 1) == "Z";
}

} // namespace

class TestQuitSignals : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Whoever runs the tests may ignore some of them; the application started here must not.
        for (const int signal : QuitSignals::handledSignals)
            std::signal(signal, SIG_DFL);
    }

    void eachSignalAsksForAQuitFromTheEventLoop()
    {
        for (const int signal : QuitSignals::handledSignals) {
            QuitSignals signals_;
            QVERIFY(signals_.isInstalled());
            QSignalSpy spy(&signals_, &QuitSignals::quitRequested);
            std::raise(signal);
            // Nothing runs inside the handler: the request comes from the loop.
            QCOMPARE(spy.count(), 0);
            QTRY_COMPARE(spy.count(), 1);
            QCOMPARE(spy.first().first().toInt(), signal);
        }
    }

    void aSignalIgnoredAtStartStaysIgnored()
    {
        std::signal(SIGHUP, SIG_IGN);
        {
            QuitSignals signals_;
            QSignalSpy spy(&signals_, &QuitSignals::quitRequested);
            std::raise(SIGHUP);
            QTest::qWait(50);
            QCOMPARE(spy.count(), 0);
        }
        std::signal(SIGHUP, SIG_DFL);
    }

    void onlyOneInstanceHandlesTheSignals()
    {
        QuitSignals first;
        QuitSignals second;
        QVERIFY(first.isInstalled());
        QVERIFY(!second.isInstalled());
    }

    void theRunningApplicationQuitsCleanlyOnASignal_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }

    void theRunningApplicationQuitsCleanlyOnASignal()
    {
        QFETCH(int, signal);
        QTemporaryDir config;
        QTemporaryDir runtime;
        QDir(config.path()).mkpath(QStringLiteral("velmora"));
        QFile settings(config.filePath(QStringLiteral("velmora/settings.json")));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write(R"({"OnboardingCompleted": true})");
        settings.close();

        QProcess velmora;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        velmora.setProcessEnvironment(environment);
        velmora.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        velmora.start(QStringLiteral(VELMORA_EXECUTABLE), {});
        QVERIFY(velmora.waitForStarted());

        QTRY_VERIFY_WITH_TIMEOUT(catches(velmora.processId(), signal), 30000);
        // Let start-up run: the bars, the system monitor and its children.
        QTest::qWait(1500);
        const QList<qint64> children = childrenOf(velmora.processId());

        ::kill(pid_t(velmora.processId()), signal);
        QElapsedTimer quitting;
        quitting.start();
        // A second is what a person waits; the sanitizers' exit checks get more.
        QVERIFY(velmora.waitForFinished(10000));
        qInfo() << "quit in" << quitting.elapsed() << "ms";
        QCOMPARE(velmora.exitStatus(), QProcess::NormalExit);
        QCOMPARE(velmora.exitCode(), 0);
        for (const qint64 child : children)
            QTRY_VERIFY2(hasEnded(child), qPrintable(QStringLiteral("child %1 left behind").arg(child)));
    }
};

QTEST_MAIN(TestQuitSignals)
#include "tst_quitsignals.moc"
