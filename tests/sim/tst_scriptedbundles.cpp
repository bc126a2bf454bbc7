#include "platform/sim/scriptedbundles.h"

#include <QTest>

using Velmora::BundleInfo;
using Velmora::Sim::ScriptedBundles;

class TestScriptedBundles : public QObject
{
    Q_OBJECT
private slots:
    void searchFollowsTheDiskRules()
    {
        ScriptedBundles bundles;
        for (const char *path : { "/User/Zed.app", "/Apps/B.app", "/Apps/Tools/Deep/A.app", "/Apps/.hidden/H.app",
                 "/Apps/B.app/Contents/Helper.app", "/Apps" })
            bundles.addBundle(QString::fromLatin1(path), std::nullopt);
        // Folder order first, then by name inside each folder; a folder's own
        // path, hidden entries and bundles inside bundles are not found.
        QCOMPARE(bundles.findApplications({ "/Apps", "/Missing", "/User" }),
            QStringList({ "/Apps/B.app", "/Apps/Tools/Deep/A.app", "/User/Zed.app" }));
    }

    void infoAsScripted()
    {
        ScriptedBundles bundles;
        const BundleInfo info { QString("org.a"), QString("A"), std::nullopt };
        bundles.addBundle("/Apps/A.app", info);
        bundles.addBundle("/Apps/Broken.app", std::nullopt);
        QVERIFY(bundles.info("/Apps/A.app") == info);
        QVERIFY(!bundles.info("/Apps/Broken.app"));
        QVERIFY(!bundles.info("/Apps/Unknown.app"));
        QCOMPARE(bundles.requests().size(), 3);
    }
};

QTEST_GUILESS_MAIN(TestScriptedBundles)
#include "tst_scriptedbundles.moc"
