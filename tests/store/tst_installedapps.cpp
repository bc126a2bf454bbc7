#include "platform/linux/filesystembundles.h"
#include "store/installedapps.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <plist/plist.h>
#include <sys/stat.h>

#include <atomic>

Q_DECLARE_METATYPE(Velmora::BundleInfo)

using namespace Velmora;

namespace {

enum class PlistFormat { Xml, Binary };

// A real property list as the system writes it, produced by libplist itself.
QByteArray propertyList(const QList<QPair<const char *, QVariant>> &entries, PlistFormat format)
{
    plist_t dict = plist_new_dict();
    for (const auto &[key, value] : entries) {
        if (value.typeId() == QMetaType::Bool)
            plist_dict_set_item(dict, key, plist_new_bool(value.toBool()));
        else
            plist_dict_set_item(dict, key, plist_new_string(value.toString().toUtf8().constData()));
    }
    char *data = nullptr;
    uint32_t length = 0;
    QByteArray bytes;
    if (format == PlistFormat::Xml) {
        plist_to_xml(dict, &data, &length);
        bytes = QByteArray(data, length);
        plist_to_xml_free(data);
    } else {
        plist_to_bin(dict, &data, &length);
        bytes = QByteArray(data, length);
        plist_to_bin_free(data);
    }
    plist_free(dict);
    return bytes;
}

QStringList names(const QList<AppItem> &items)
{
    QStringList result;
    for (const AppItem &item : items)
        result << item.name;
    return result;
}

const AppItem *findByName(const QList<AppItem> &items, const QString &name)
{
    for (const AppItem &item : items) {
        if (item.name == name)
            return &item;
    }
    return nullptr;
}

// Bundles whose scan holds at its first info read until the test opens the
// gate, and which know whether a scan thread is still inside them.
class GatedBundles final : public ApplicationBundles
{
public:
    explicit GatedBundles(const ApplicationBundles &inner)
        : m_inner(inner)
    {
    }

    QStringList findApplications(const QStringList &folders) const override
    {
        const Inside inside(m_inside);
        const QStringList found = m_inner.findApplications(folders);
        m_found = int(found.size());
        return found;
    }
    std::optional<BundleInfo> info(const QString &bundlePath) const override
    {
        const Inside inside(m_inside);
        if (m_infoReads++ == 0) {
            m_held.release();
            m_gate.acquire();
        }
        return m_inner.info(bundlePath);
    }

    bool waitUntilHeld() { return m_held.tryAcquire(1, 10'000); }
    void open() { m_gate.release(); }
    int inside() const { return m_inside; }
    int found() const { return m_found; }
    int infoReads() const { return m_infoReads; }

private:
    struct Inside {
        explicit Inside(std::atomic<int> &count)
            : m_count(count)
        {
            ++m_count;
        }
        ~Inside() { --m_count; }
        std::atomic<int> &m_count;
    };

    const ApplicationBundles &m_inner;
    mutable QSemaphore m_held;
    mutable QSemaphore m_gate;
    mutable std::atomic<int> m_inside = 0;
    mutable std::atomic<int> m_found = 0;
    mutable std::atomic<int> m_infoReads = 0;
};

} // namespace

class TestInstalledApps : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    Linux::FileSystemBundles m_bundles;

    QString folder(const QString &name) const { return m_root.filePath(name); }
    QStringList folders() const { return { folder("Applications"), folder("System"), folder("Home") }; }

    void bundle(const QString &relativePath, const QByteArray &infoList)
    {
        QVERIFY(Test::writeFile(m_root, relativePath + "/Contents/Info.plist", infoList));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        using F = PlistFormat;
        bundle("Applications/Xml Tool.app",
            propertyList({ { "CFBundleIdentifier", "org.xml" }, { "CFBundleName", "XML Name" },
                             { "CFBundleDisplayName", "Xml Display" } },
                F::Xml));
        bundle("Applications/Binary.app",
            propertyList({ { "CFBundleIdentifier", "org.binary" }, { "CFBundleName", "Binary Name" } }, F::Binary));
        // The display name is not a text: the name is used instead.
        bundle("Applications/Typed.app",
            propertyList({ { "CFBundleDisplayName", true }, { "CFBundleName", "Typed Name" } }, F::Xml));
        bundle("Applications/Utilities/Deep/Nested.app",
            propertyList({ { "CFBundleIdentifier", "org.nested" } }, F::Binary));
        QVERIFY(Test::writeFile(m_root, "Applications/Broken.app/Contents/Info.plist", "not a property list"));
        QVERIFY(QDir().mkpath(folder("Applications/NoList.app/Contents")));
        // A pipe where the list should be has no writer: reading it would never return.
        QVERIFY(QDir().mkpath(folder("Applications/Piped.app/Contents")));
        QCOMPARE(mkfifo(QFile::encodeName(folder("Applications/Piped.app/Contents/Info.plist")).constData(), 0600), 0);
        // Neither hidden folders nor the inside of a bundle are searched.
        bundle("Applications/.hidden/Secret.app", propertyList({ { "CFBundleName", "Secret" } }, F::Xml));
        bundle("Applications/Xml Tool.app/Contents/Helpers/Helper.app",
            propertyList({ { "CFBundleName", "Helper" } }, F::Xml));
        // Same name in the system folder: the shared folder's copy wins.
        bundle("System/Binary Copy.app",
            propertyList({ { "CFBundleIdentifier", "com.system.binary" }, { "CFBundleName", "Binary Name" } }, F::Xml));
        bundle("System/Finder.app", propertyList({ { "CFBundleIdentifier", "com.apple.finder" } }, F::Xml));
        bundle("Home/finder.app", propertyList({ { "CFBundleName", "Finder" } }, F::Xml));
        bundle("Home/Mine.app", propertyList({ { "CFBundleName", "mine" } }, F::Binary));
        // A linked bundle is listed; a linked folder is not searched, whatever it points at.
        QVERIFY(QFile::link(folder("Applications"), folder("Home/Loop")));
        bundle("Elsewhere/Outside.app", propertyList({ { "CFBundleName", "Outside" } }, F::Xml));
        QVERIFY(QFile::link(folder("Elsewhere/Outside.app"), folder("Home/Linked.app")));
    }

    void findsBundlesInFolderOrder()
    {
        const QStringList found = m_bundles.findApplications(folders() + QStringList { folder("Missing") });
        QStringList relative;
        for (const QString &path : found)
            relative << QDir(m_root.path()).relativeFilePath(path);
        QCOMPARE(relative,
            QStringList({ "Applications/Binary.app", "Applications/Broken.app", "Applications/NoList.app",
                "Applications/Piped.app", "Applications/Typed.app", "Applications/Utilities/Deep/Nested.app",
                "Applications/Xml Tool.app", "System/Binary Copy.app", "System/Finder.app", "Home/Linked.app",
                "Home/Mine.app", "Home/finder.app" }));
    }

    void readsInfoKeys_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<BundleInfo>("info");
        QTest::newRow("xml") << "Applications/Xml Tool.app" << true
                             << BundleInfo { QString("org.xml"), QString("XML Name"), QString("Xml Display") };
        QTest::newRow("binary") << "Applications/Binary.app" << true
                                << BundleInfo { QString("org.binary"), QString("Binary Name"), std::nullopt };
        QTest::newRow("wrong type") << "Applications/Typed.app" << true
                                    << BundleInfo { std::nullopt, QString("Typed Name"), std::nullopt };
        QTest::newRow("garbage") << "Applications/Broken.app" << false << BundleInfo {};
        QTest::newRow("no list") << "Applications/NoList.app" << false << BundleInfo {};
        QTest::newRow("pipe instead of a list") << "Applications/Piped.app" << false << BundleInfo {};
        QTest::newRow("no bundle") << "Applications/Absent.app" << false << BundleInfo {};
    }
    void readsInfoKeys()
    {
        QFETCH(QString, path);
        QFETCH(bool, readable);
        QFETCH(BundleInfo, info);
        const std::optional<BundleInfo> read = m_bundles.info(folder(path));
        QCOMPARE(read.has_value(), readable);
        if (readable)
            QVERIFY(*read == info);
    }

    void discoveryNamesDeduplicatesAndSorts()
    {
        const QUrl finderURL = QUrl::fromLocalFile("/System/Library/CoreServices/Finder.app");
        const QList<AppItem> apps = discoverInstalledApps(m_bundles, folders(), finderURL);

        // "Binary Name" once (from the shared folder), "Finder" once (the workspace's),
        // broken or list-less bundles named after their file, a linked bundle named from its info keys.
        QCOMPARE(names(apps),
            QStringList({ "Binary Name", "Broken", "Finder", "mine", "Nested", "NoList", "Outside", "Piped",
                "Typed Name", "Xml Display" }));
        QCOMPARE(*findByName(apps, "Finder"),
            (AppItem { "com.apple.finder", "Finder", QString("com.apple.finder"), finderURL, false, std::nullopt }));
        QCOMPARE(findByName(apps, "Binary Name")->bundleIdentifier, std::optional<QString>("org.binary"));

        // Without an identifier the path is the id.
        const AppItem *broken = findByName(apps, "Broken");
        const QString brokenPath = folder("Applications/Broken.app");
        QCOMPARE(*broken,
            (AppItem { brokenPath, "Broken", std::nullopt, QUrl::fromLocalFile(brokenPath), false, std::nullopt }));

        // Without Finder from the workspace, the system folder's Finder bundle is what is left.
        const QList<AppItem> withoutFinder = discoverInstalledApps(m_bundles, folders(), std::nullopt);
        QCOMPARE(findByName(withoutFinder, "Finder")->url, QUrl::fromLocalFile(folder("System/Finder.app")));
    }

    void loaderHandsBackOnlyTheLatestScan()
    {
        InstalledAppsLoader loader(m_bundles);
        QSignalSpy loaded(&loader, &InstalledAppsLoader::loaded);
        loader.load({ folder("System") }, std::nullopt);
        loader.load(folders(), std::nullopt);
        QVERIFY(loader.isLoading());
        QTRY_VERIFY(!loader.isLoading());
        QCOMPARE(loaded.size(), 1);
        QCOMPARE(loaded.first().first().value<QList<AppItem>>().size(), 10);
    }

    // A loader torn down in the middle of its scan waits for the scan to
    // end, so no scan thread outlives it, and the result goes nowhere.
    void loaderGoneBeforeTheScanEnds()
    {
        GatedBundles bundles(m_bundles);
        auto loader = std::make_unique<InstalledAppsLoader>(bundles);
        int delivered = 0;
        QObject receiver;
        connect(loader.get(), &InstalledAppsLoader::loaded, &receiver, [&] { ++delivered; });
        loader->load(folders(), std::nullopt);
        QVERIFY(bundles.waitUntilHeld());

        // The gate opens only once the teardown has begun: the scan is still running then.
        QSemaphore tearingDown;
        std::unique_ptr<QThread> opener(QThread::create([&] {
            tearingDown.acquire();
            bundles.open();
        }));
        opener->start();
        tearingDown.release();
        loader.reset();
        QCOMPARE(bundles.inside(), 0);
        QCOMPARE(bundles.infoReads(), bundles.found());

        // The scan's queued result, aimed at the freed loader, is dropped.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QCOMPARE(delivered, 0);
        QVERIFY(opener->wait(10'000));
    }
};

QTEST_GUILESS_MAIN(TestInstalledApps)
#include "tst_installedapps.moc"
