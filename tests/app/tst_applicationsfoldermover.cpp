#include "app/applicationsfoldermover.h"
#include "app/releasebuild.h"
#include "platform/applicationprocesses.h"
#include "platform/codesignature.h"
#include "platform/linux/localfileoperations.h"
#include "platform/sim/memoryuserdefaults.h"
#include "platform/sim/scriptedbundles.h"
#include "platform/translocation.h"
#include "platform/volumes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <deque>

using namespace Velmora;

namespace {

const QString ownIdentifier = QStringLiteral("org.velmora.Velmora");

struct FakeSignature final : CodeSignature
{
    std::optional<QString> team;
    mutable int reads = 0;
    std::optional<QString> teamIdentifier() const override
    {
        ++reads;
        return team;
    }
};

struct FakeTranslocation final : Translocation
{
    bool available = false;
    std::optional<bool> translocated;
    std::optional<QString> original;
    bool isAvailable() const override { return available; }
    std::optional<bool> isTranslocated(const QString &) const override { return translocated; }
    std::optional<QString> originalPath(const QString &) const override { return original; }
};

// The machine's files, with any one operation made to fail.
struct FaultyFiles final : FileOperations
{
    Linux::LocalFileOperations real;
    QString failing; // "copy", "rename" or "trash:<path>"
    QStringList trashed;

    bool exists(const QString &path) const override { return real.exists(path); }
    QString resolvedPath(const QString &path) const override { return real.resolvedPath(path); }
    std::optional<QStringList> items(const QString &folder) const override { return real.items(folder); }
    std::optional<QString> copy(const QString &from, const QString &to) override
    {
        if (failing == u"copy") {
            // Half a copy, then the disk is full.
            QDir().mkpath(to + "/Contents");
            return QString("No space left on device");
        }
        return real.copy(from, to);
    }
    std::optional<QString> rename(const QString &from, const QString &to) override
    {
        return failing == u"rename" ? std::optional<QString>("Rename refused") : real.rename(from, to);
    }
    std::optional<QString> moveToTrash(const QString &path) override
    {
        if (failing == QString("trash:") + path)
            return QString("The Trash refused it");
        trashed += path;
        return real.moveToTrash(path);
    }
    bool remove(const QString &path) override { return real.remove(path); }
};

struct FakeVolumes final : Volumes
{
    mutable QMutex mutex;
    std::optional<QList<MountedVolume>> volumes = QList<MountedVolume>();
    QStringList ejected;
    std::optional<QList<MountedVolume>> mountedVolumes() const override { return volumes; }
    std::optional<MountedVolume> volumeOf(const QString &path) const override
    {
        std::optional<MountedVolume> best;
        for (const MountedVolume &volume : volumes.value_or(QList<MountedVolume>())) {
            if ((path + '/').startsWith(volume.path + '/') && (!best || volume.path.size() > best->path.size()))
                best = volume;
        }
        return best;
    }
    bool eject(const QString &volumePath) override
    {
        QMutexLocker locker(&mutex);
        ejected += volumePath;
        return true;
    }
};

struct FakeAlerts final : Alerts
{
    std::deque<AlertResponse> answers;
    QList<AlertRequest> shown;
    AlertResponse runModal(const AlertRequest &request) override
    {
        shown += request;
        // Unscripted: closed without an answer.
        if (answers.empty())
            return {-1, false};
        AlertResponse answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

struct FakeProcesses final : ApplicationProcesses
{
    struct Run
    {
        QString program;
        QStringList arguments;
        int timeoutMs;
    };
    QList<qint64> instances;
    QList<qint64> terminated;
    QList<Run> runs;
    RunResult runResult = RunResult::Finished;
    QList<Run> detached;
    bool startsDetached = true;
    QStringList opened;
    int activations = 0;
    int terminations = 0;

    qint64 currentProcessIdentifier() const override { return 4242; }
    QList<qint64> runningInstances(const QString &identifier) const override
    {
        return identifier == ownIdentifier ? instances : QList<qint64>();
    }
    bool terminate(qint64 pid) override
    {
        terminated += pid;
        return true;
    }
    RunResult run(const QString &program, const QStringList &arguments, int timeoutMs) override
    {
        runs += Run{program, arguments, timeoutMs};
        return runResult;
    }
    bool startDetached(const QString &program, const QStringList &arguments) override
    {
        detached += Run{program, arguments, 0};
        return startsDetached;
    }
    bool openApplication(const QString &path) override
    {
        opened += path;
        return true;
    }
    void activateIgnoringOtherApps() override { ++activations; }
    void terminateApplication() override { ++terminations; }
};

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A folder on this machine laid out like the one the mover works in: the
// download, the Applications folder, a home and the Trash.
struct World
{
    QTemporaryDir root;
    FakeSignature signature;
    FakeTranslocation translocation;
    FaultyFiles files;
    FakeVolumes volumes;
    FakeAlerts alerts;
    FakeProcesses processes;
    Sim::ScriptedBundles bundles;
    Sim::MemoryUserDefaults defaults;
    std::unique_ptr<ReleaseBuild> release;
    std::unique_ptr<ApplicationsFolderMover> mover;
    std::optional<QString> identifier = ownIdentifier;

    World()
    {
        signature.team = QString("TEAM123456");
        // A bundle with an executable and a relative link, as real ones have.
        writeFile(download(), QByteArray());
        QFile::remove(download());
        writeFile(download() + "/Contents/MacOS/Velmora", "new build");
        QFile::setPermissions(download() + "/Contents/MacOS/Velmora",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::link("MacOS/Velmora", download() + "/Contents/Current");
        QDir().mkpath(applications());
        QDir().mkpath(path("home"));
    }

    QString path(const QString &relative) const { return root.filePath(relative); }
    QString download() const { return path("Downloads/Velmora.app"); }
    QString applications() const { return path("Applications"); }

    ApplicationsFolderMover &make(const QString &bundlePath)
    {
        release = std::make_unique<ReleaseBuild>(signature);
        ApplicationsFolderMover::Environment environment{
            .release = *release,
            .translocation = translocation,
            .files = files,
            .volumes = volumes,
            .alerts = alerts,
            .processes = processes,
            .bundles = bundles,
            .defaults = defaults,
            .bundlePath = bundlePath,
            .bundleIdentifier = identifier,
            .home = path("home"),
            .applicationsFolder = applications(),
            .volumesFolder = path("Volumes"),
        };
        mover = std::make_unique<ApplicationsFolderMover>(std::move(environment));
        return *mover;
    }
    bool offer(const QString &bundlePath)
    {
        const bool result = make(bundlePath).offerMoveIfNeeded();
        mover->waitForBackgroundWork();
        return result;
    }
    bool dontAsk() const
    {
        return defaults.boolValue(ApplicationsFolderMover::dontAskKey).value_or(false);
    }
};

} // namespace

// The move into Applications: when it asks, what it asks, what it copies,
// trashes and ejects, and how it hands over to the new copy.
class TestApplicationsFolderMover : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The Trash of the temporary folders' volume, not the user's.
        QVERIFY(m_data.isValid());
        qputenv("XDG_DATA_HOME", m_data.path().toUtf8());
    }

    void decidesWhetherToAsk_data()
    {
        QTest::addColumn<bool>("signedCopy");
        QTest::addColumn<QString>("runningFrom");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("dontAsk");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("tick");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<bool>("moves");
        QTest::addColumn<bool>("dontAskAfter");

        QTest::newRow("development copy") << false << "download" << false << false << 0 << false << false << false << false;
        QTest::newRow("first time") << true << "download" << false << false << 0 << false << true << true << false;
        QTest::newRow("not now") << true << "download" << false << false << 1 << false << true << false << false;
        QTest::newRow("closed without an answer") << true << "download" << false << false << -1 << false << true << false << false;
        QTest::newRow("don't ask again, not now") << true << "download" << false << false << 1 << true << true << false << true;
        QTest::newRow("don't ask again, move") << true << "download" << false << false << 0 << true << true << true << true;
        QTest::newRow("asked not to ask") << true << "download" << false << true << 0 << false << false << false << true;
        // The copy on a disk image stops working when the image goes.
        QTest::newRow("disk image ignores don't ask") << true << "image" << true << true << 0 << false << true << true << true;
        QTest::newRow("already in Applications") << true << "applications" << false << false << 0 << false << false << false << false;
        QTest::newRow("in the home's Applications") << true << "home" << false << false << 0 << false << false << false << false;
    }
    void decidesWhetherToAsk()
    {
        QFETCH(bool, signedCopy);
        QFETCH(QString, runningFrom);
        QFETCH(bool, readOnly);
        QFETCH(bool, dontAsk);
        QFETCH(int, answer);
        QFETCH(bool, tick);
        QFETCH(bool, asks);
        QFETCH(bool, moves);
        QFETCH(bool, dontAskAfter);

        World world;
        if (!signedCopy)
            world.signature.team.reset();
        QString bundle = world.download();
        if (runningFrom == u"applications" || runningFrom == u"home") {
            const QString folder = runningFrom == u"home" ? world.path("home/Applications") : world.applications();
            QDir().mkpath(folder);
            QVERIFY(world.files.rename(world.download(), folder + "/Velmora.app") == std::nullopt);
            bundle = folder + "/Velmora.app";
        }
        if (readOnly)
            world.volumes.volumes = QList<MountedVolume>{{world.path("Downloads"), true, false, true}};
        world.defaults.setValue(ApplicationsFolderMover::dontAskKey, dontAsk);
        world.alerts.answers.push_back({answer, tick});

        QCOMPARE(world.offer(bundle), moves);
        QCOMPARE(world.alerts.shown.size(), asks ? 1 : 0);
        QCOMPARE(world.processes.activations, asks ? 1 : 0);
        if (asks)
            QCOMPARE(world.alerts.shown.first(), ApplicationsFolderMover::moveAlert(readOnly));
        QCOMPARE(world.dontAsk(), dontAskAfter);
        QCOMPARE(QFileInfo::exists(world.applications() + "/Velmora.app/Contents/MacOS/Velmora"),
                 moves || runningFrom == u"applications");
        QCOMPARE(world.processes.terminations, moves ? 1 : 0);
        // A development copy does not even look at the volumes.
        if (!signedCopy)
            QCOMPARE(world.files.trashed.size() + world.processes.runs.size(), 0);
    }

    void asksInTheseWords()
    {
        const AlertRequest writable = ApplicationsFolderMover::moveAlert(false);
        QCOMPARE(writable.message, QString("Move Velmora to your Applications folder?"));
        QCOMPARE(writable.informativeText,
                 QString("Velmora works best from your Applications folder. Move it there and it will reopen from there."));
        QCOMPARE(writable.buttons, QStringList({"Move to Applications", "Not Now"}));
        QCOMPARE(writable.suppressionTitle, std::optional<QString>(u"Don\u2019t ask again"_qs));

        const AlertRequest image = ApplicationsFolderMover::moveAlert(true);
        QCOMPARE(image.informativeText, u"Velmora is running from its download window and will stop working when "
                                        u"that\u2019s closed. Move it to Applications and it will reopen from there."_qs);
        QCOMPARE(image.buttons, writable.buttons);
        QCOMPARE(image.suppressionTitle, std::nullopt);

        const AlertRequest failure = ApplicationsFolderMover::failureAlert("Disk full");
        QCOMPARE(failure.message, u"Velmora couldn\u2019t be moved to Applications"_qs);
        QCOMPARE(failure.informativeText,
                 QString("Drag Velmora into your Applications folder in Finder, then open it from there.\n\nDisk full"));
        QVERIFY(failure.buttons.isEmpty());
        QCOMPARE(failure.suppressionTitle, std::nullopt);
    }

    void judgesTheApplicationsFolderWithLinksResolved()
    {
        World world;
        ApplicationsFolderMover &mover = world.make(world.download());
        // A home reached through a link, as on machines whose homes live elsewhere.
        QDir().mkpath(world.path("real-home/Applications/Velmora.app"));
        QVERIFY(QFile::link(world.path("real-home"), world.path("linked-home")));
        QVERIFY(mover.isInApplicationsFolder(world.path("linked-home/Applications/Velmora.app"), world.path("linked-home")));
        QVERIFY(mover.isInApplicationsFolder(world.path("real-home/Applications/Velmora.app"), world.path("linked-home")));
        QVERIFY(mover.isInApplicationsFolder(world.path("linked-home/Applications/Velmora.app"), world.path("real-home")));
        // A missing home Applications folder is still judged by the resolved home.
        QVERIFY(!mover.isInApplicationsFolder(world.download(), world.path("linked-home")));
        QVERIFY(mover.isInApplicationsFolder(world.applications() + "/Tools/Velmora.app", world.path("home")));
        // The folder itself, or a name that only begins like it, is not inside.
        QVERIFY(!mover.isInApplicationsFolder(world.applications(), world.path("home")));
        QVERIFY(!mover.isInApplicationsFolder(world.applications() + " Old/Velmora.app", world.path("home")));
        // A link into the folder counts where it leads.
        QVERIFY(QFile::link(world.applications(), world.path("shortcut")));
        QVERIFY(mover.isInApplicationsFolder(world.path("shortcut/Velmora.app"), world.path("home")));
    }

    void findsTheOriginalOfATranslocatedCopy_data()
    {
        QTest::addColumn<bool>("available");
        QTest::addColumn<std::optional<bool>>("translocated");
        QTest::addColumn<std::optional<QString>>("original");
        QTest::addColumn<QString>("expected");
        const std::optional<QString> original = QString("/Users/ann/Downloads/Velmora 2.app");
        QTest::newRow("translocated") << true << std::optional<bool>(true) << original << *original;
        QTest::newRow("functions absent") << false << std::optional<bool>(true) << original << "/random/Velmora.app";
        QTest::newRow("check fails") << true << std::optional<bool>() << original << "/random/Velmora.app";
        QTest::newRow("not translocated") << true << std::optional<bool>(false) << original << "/random/Velmora.app";
        QTest::newRow("no original") << true << std::optional<bool>(true) << std::optional<QString>()
                                     << "/random/Velmora.app";
    }
    void findsTheOriginalOfATranslocatedCopy()
    {
        QFETCH(bool, available);
        QFETCH(std::optional<bool>, translocated);
        QFETCH(std::optional<QString>, original);
        QFETCH(QString, expected);
        World world;
        world.translocation = {};
        world.translocation.available = available;
        world.translocation.translocated = translocated;
        world.translocation.original = original;
        QCOMPARE(world.make("/random/Velmora.app").originalPath("/random/Velmora.app"), expected);
    }

    void movesATranslocatedDownloadUnderItsOriginalName()
    {
        World world;
        // Run from a random place; the original has another name.
        const QString original = world.path("Downloads/Velmora 2.app");
        QVERIFY(world.files.rename(world.download(), original) == std::nullopt);
        const QString translocatedCopy = world.path("translocated/Velmora.app");
        QDir().mkpath(world.path("translocated"));
        QVERIFY(world.files.copy(original, translocatedCopy) == std::nullopt);
        world.translocation.available = true;
        world.translocation.translocated = true;
        world.translocation.original = original;
        world.alerts.answers.push_back({0, false});

        QVERIFY(world.offer(translocatedCopy));
        const QString installed = world.applications() + "/Velmora 2.app";
        QCOMPARE(readFile(installed + "/Contents/MacOS/Velmora"), QByteArray("new build"));
        // The original goes to the Trash; the translocated copy is the system's.
        QCOMPARE(world.files.trashed, QStringList{original});
        QVERIFY(QFileInfo::exists(translocatedCopy));
        QCOMPARE(world.processes.detached.first().arguments.at(4), installed);
    }

    void movesFromADownloadsFolder()
    {
        World world;
        world.alerts.answers.push_back({0, false});
        QVERIFY(world.offer(world.download()));

        // A complete copy: contents, permissions and the relative link.
        const QString installed = world.applications() + "/Velmora.app";
        QCOMPARE(readFile(installed + "/Contents/MacOS/Velmora"), QByteArray("new build"));
        QVERIFY(QFileInfo(installed + "/Contents/MacOS/Velmora").isExecutable());
        QCOMPARE(QFileInfo(installed + "/Contents/Current").symLinkTarget(), installed + "/Contents/MacOS/Velmora");
        QCOMPARE(QDir(world.applications()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"Velmora.app"});
        // The download is in the Trash, for real.
        QVERIFY(!QFileInfo::exists(world.download()));
        QCOMPARE(readFile(m_data.filePath("Trash/files/Velmora.app/Contents/MacOS/Velmora")), QByteArray("new build"));

        // The quarantine is cleared, with a limit on the wait.
        QCOMPARE(world.processes.runs.size(), 1);
        QCOMPARE(world.processes.runs.first().program, QString("/usr/bin/xattr"));
        QCOMPARE(world.processes.runs.first().arguments,
                 QStringList({"-d", "-r", "com.apple.quarantine", installed}));
        QVERIFY(world.processes.runs.first().timeoutMs > 0);

        // The shell takes over with the script, this process and the new copy.
        QCOMPARE(world.processes.detached.size(), 1);
        QCOMPARE(world.processes.detached.first().program, QString("/bin/sh"));
        QCOMPARE(world.processes.detached.first().arguments,
                 QStringList({"-c", ApplicationsFolderMover::relaunchScript(), "velmora-relaunch", "4242", installed, ""}));
        QVERIFY(world.processes.opened.isEmpty());
        QCOMPARE(world.processes.terminations, 1);
        QVERIFY(world.volumes.ejected.isEmpty());
    }

    void movesFromAReadOnlyVolume_data()
    {
        QTest::addColumn<bool>("diskImage");
        QTest::newRow("disk image") << true;
        // A disc or a read-only share is the user's: never ejected.
        QTest::newRow("other read-only volume") << false;
    }
    void movesFromAReadOnlyVolume()
    {
        QFETCH(bool, diskImage);
        World world;
        world.volumes.volumes = QList<MountedVolume>{{world.path("Downloads"), true, false, diskImage}};
        world.alerts.answers.push_back({0, false});
        QVERIFY(world.offer(world.download()));

        QCOMPARE(world.alerts.shown.first().suppressionTitle, std::nullopt);
        // Nothing is put in the Trash from a read-only volume.
        QVERIFY(world.files.trashed.isEmpty());
        QVERIFY(QFileInfo::exists(world.download()));
        QCOMPARE(world.processes.detached.first().arguments.at(5), diskImage ? world.path("Downloads") : QString());
    }

    // Every failure before the new copy is in place ends the move with the
    // failure alert, leaves an installed copy installed and this copy running.
    void failsWithoutLosingTheInstalledCopy_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("oldCopyInstalled");
        QTest::newRow("copy") << "copy" << "No space left on device" << true;
        QTest::newRow("trashing the installed copy") << "trash:installed" << "The Trash refused it" << true;
        // The installed copy is already in the Trash, where the user can get it back.
        QTest::newRow("renaming into place") << "rename" << "Rename refused" << false;
    }
    void failsWithoutLosingTheInstalledCopy()
    {
        QFETCH(QString, failing);
        QFETCH(QString, error);
        QFETCH(bool, oldCopyInstalled);
        World world;
        const QString installed = world.applications() + "/Velmora.app";
        writeFile(installed + "/Contents/MacOS/Velmora", "old build");
        world.files.failing = failing == u"trash:installed" ? "trash:" + installed : failing;
        world.processes.instances = {4242, 77};
        world.alerts.answers.push_back({0, false});

        QVERIFY(!world.offer(world.download()));
        QCOMPARE(world.alerts.shown.size(), 2);
        QCOMPARE(world.alerts.shown.last(), ApplicationsFolderMover::failureAlert(error));
        QCOMPARE(readFile(installed + "/Contents/MacOS/Velmora"), oldCopyInstalled ? QByteArray("old build") : QByteArray());
        // No half copy is left behind, visible or hidden.
        QCOMPARE(QDir(world.applications()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 oldCopyInstalled ? QStringList{"Velmora.app"} : QStringList());
        // This copy stays where it is and keeps running.
        QVERIFY(QFileInfo::exists(world.download()));
        QVERIFY(world.processes.detached.isEmpty());
        QCOMPARE(world.processes.terminations, 0);
        QVERIFY(world.processes.runs.isEmpty());
        // Nobody is asked to quit for a copy that never came.
        QCOMPARE(world.processes.terminated, failing == u"copy" ? QList<qint64>() : QList<qint64>{77});
    }

    void replacesARunningInstalledCopy()
    {
        World world;
        const QString installed = world.applications() + "/Velmora.app";
        writeFile(installed + "/Contents/MacOS/Velmora", "old build");
        // A leftover of a move that was cut short is cleared, not tripped over.
        writeFile(world.applications() + "/.Velmora.app.partial/junk", "x");
        world.processes.instances = {77, 4242, 78};
        world.alerts.answers.push_back({0, false});

        QVERIFY(world.offer(world.download()));
        QCOMPARE(world.processes.terminated, QList<qint64>({77, 78}));
        QCOMPARE(world.files.trashed, QStringList({installed, world.download()}));
        QCOMPARE(readFile(installed + "/Contents/MacOS/Velmora"), QByteArray("new build"));
        QCOMPARE(QDir(world.applications()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"Velmora.app"});
    }

    void carriesOnPastFailuresAfterTheCopy()
    {
        World world;
        world.files.failing = "trash:" + world.download();
        world.processes.runResult = ApplicationProcesses::RunResult::TimedOut;
        world.processes.startsDetached = false;
        world.alerts.answers.push_back({0, false});

        QVERIFY(world.offer(world.download()));
        QCOMPARE(world.alerts.shown.size(), 1);
        // Without the shell the new copy is opened at once.
        QCOMPARE(world.processes.opened, QStringList{world.applications() + "/Velmora.app"});
        QCOMPARE(world.processes.terminations, 1);
    }

    void ejectsOnlyInstallerImagesOfThisApplication()
    {
        World world;
        const auto volume = [&](const QString &name, const QString &app, const QString &identifier) {
            const QString path = world.path("Volumes/" + name);
            QDir().mkpath(path + "/" + app);
            world.bundles.addBundle(path + "/" + app, BundleInfo{identifier, {}, {}});
            return path;
        };
        const QString installer = volume("Velmora", "Velmora.app", ownIdentifier);
        const QString other = volume("Other", "Other.app", "com.example.other");
        const QString disc = volume("Disc", "Velmora.app", ownIdentifier);
        const QString writable = volume("Writable", "Velmora.app", ownIdentifier);
        const QString hidden = volume("Hidden", "Velmora.app", ownIdentifier);
        const QString elsewhere = world.path("mnt/Velmora");
        QDir().mkpath(elsewhere + "/Velmora.app");
        world.bundles.addBundle(elsewhere + "/Velmora.app", BundleInfo{ownIdentifier, {}, {}});
        world.volumes.volumes = QList<MountedVolume>{
            {installer, true, false, true},
            {other, true, false, true},
            {disc, true, false, false},
            {writable, false, false, true},
            {hidden, true, true, true},
            {elsewhere, true, false, true},
            {world.path("Volumes/Gone"), true, false, true},
        };
        world.make(world.download()).ejectInstallerDiskImages();
        world.mover->waitForBackgroundWork();
        QCOMPARE(world.volumes.ejected, QStringList{installer});

        // An application without an identifier cannot tell its own images.
        world.volumes.ejected.clear();
        world.identifier.reset();
        world.make(world.download()).ejectInstallerDiskImages();
        world.mover->waitForBackgroundWork();
        QVERIFY(world.volumes.ejected.isEmpty());
    }

    void ejectsOnStartFromTheApplicationsFolderOnly()
    {
        World world;
        const QString image = world.path("Volumes/Velmora");
        QDir().mkpath(image + "/Velmora.app");
        world.bundles.addBundle(image + "/Velmora.app", BundleInfo{ownIdentifier, {}, {}});
        world.volumes.volumes = QList<MountedVolume>{{image, true, false, true}};
        QVERIFY(!world.offer(world.download() + "/../../Applications/../Downloads/Velmora.app"));
        QVERIFY(world.volumes.ejected.isEmpty());
        world.alerts.shown.clear();

        QDir().mkpath(world.applications() + "/Velmora.app");
        QVERIFY(!world.offer(world.applications() + "/Velmora.app"));
        QCOMPARE(world.volumes.ejected, QStringList{image});
        QVERIFY(world.alerts.shown.isEmpty());
    }

    void readsTheSignatureOnce()
    {
        FakeSignature signature;
        ReleaseBuild release(signature);
        QVERIFY(!release.isDeveloperIDSigned());
        signature.team = QString("TEAM");
        QVERIFY(!release.isDeveloperIDSigned());
        QCOMPARE(signature.reads, 1);
        // An empty team identifier is none.
        FakeSignature empty;
        empty.team = QString();
        QVERIFY(!ReleaseBuild(empty).isDeveloperIDSigned());
    }

    void relaunchScriptReadsAsWritten()
    {
        const QString script = ApplicationsFolderMover::relaunchScript();
        QCOMPARE(script,
                 QString("n=0; while /bin/kill -0 \"$1\" 2>/dev/null && [ \"$n\" -lt 150 ]; do n=$((n+1)); /bin/sleep 0.2; done\n"
                         "/usr/bin/open \"$2\"\n"
                         "if [ -n \"$3\" ]; then\n"
                         "  for _ in 1 2 3 4 5; do /usr/sbin/diskutil eject \"$3\" >/dev/null 2>&1 && break; /bin/sleep 1; done\n"
                         "fi"));
    }

    // The script run for real, with stand-ins for opening and ejecting.
    void relaunchScriptWaitsOpensAndEjects()
    {
        QTemporaryDir dir;
        const QString log = dir.filePath("log");
        const auto tool = [&](const QString &name, const QString &body) {
            const QString path = dir.filePath(name);
            writeFile(path, QString("#!/bin/sh\n%1\n").arg(body).toUtf8());
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            return path;
        };
        ApplicationsFolderMover::Tools tools;
        tools.open = tool("open", QString("echo \"open $1\" >> '%1'").arg(log));
        // Refuses twice, then ejects.
        tools.diskutil = tool("diskutil", QString("echo \"$1 $2\" >> '%1'; [ $(grep -c eject '%1') -ge 3 ]").arg(log));

        QProcess old;
        old.start("/bin/sleep", {"30"});
        QVERIFY(old.waitForStarted());
        QProcess shell;
        shell.start("/bin/sh", ApplicationsFolderMover::relaunchArguments(tools, old.processId(), "/Apps/Velmora App.app",
                                                                          QString("/Volumes/Velmora 1.0")));
        QVERIFY(shell.waitForStarted());
        QTest::qWait(400);
        QVERIFY(readFile(log).isEmpty());
        old.kill();
        QVERIFY(old.waitForFinished());
        QVERIFY(shell.waitForFinished(15000));
        QCOMPARE(readFile(log), QByteArray("open /Apps/Velmora App.app\n"
                                           "eject /Volumes/Velmora 1.0\n"
                                           "eject /Volumes/Velmora 1.0\n"
                                           "eject /Volumes/Velmora 1.0\n"));

        // Without a volume nothing is ejected; an instance that never ends
        // is waited for only so long.
        QFile::remove(log);
        tools.exitWaitSteps = 3;
        QProcess stuck;
        stuck.start("/bin/sleep", {"30"});
        QVERIFY(stuck.waitForStarted());
        QElapsedTimer timer;
        timer.start();
        shell.start("/bin/sh", ApplicationsFolderMover::relaunchArguments(tools, stuck.processId(), "/Apps/V.app", {}));
        QVERIFY(shell.waitForFinished(15000));
        QVERIFY(timer.elapsed() < 5000);
        QCOMPARE(readFile(log), QByteArray("open /Apps/V.app\n"));
        stuck.kill();
        stuck.waitForFinished();
    }

private:
    QTemporaryDir m_data;
};

QTEST_GUILESS_MAIN(TestApplicationsFolderMover)
#include "tst_applicationsfoldermover.moc"
