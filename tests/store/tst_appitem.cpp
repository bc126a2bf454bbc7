#include "store/appitem.h"

#include <QTest>

using Velmora::AppItem;

class TestAppItem : public QObject
{
    Q_OBJECT
private slots:
    void equalityAndHashCoverEveryField_data()
    {
        QTest::addColumn<AppItem>("other");
        const AppItem base { "com.example.a", "A", QString("com.example.a"), QUrl::fromLocalFile("/Apps/A.app"), false,
            std::nullopt };
        AppItem running = base;
        running.isRunning = true;
        AppItem renamed = base;
        renamed.name = "B";
        AppItem noBundle = base;
        noBundle.bundleIdentifier.reset();
        AppItem emptyBundle = base;
        emptyBundle.bundleIdentifier = QString();
        AppItem noUrl = base;
        noUrl.url.reset();
        AppItem symbol = base;
        symbol.systemImageName = QString("app");
        QTest::newRow("isRunning") << running;
        QTest::newRow("name") << renamed;
        QTest::newRow("absent bundle id") << noBundle;
        QTest::newRow("empty vs absent") << emptyBundle;
        QTest::newRow("url") << noUrl;
        QTest::newRow("symbol") << symbol;
    }
    void equalityAndHashCoverEveryField()
    {
        QFETCH(AppItem, other);
        const AppItem base { "com.example.a", "A", QString("com.example.a"), QUrl::fromLocalFile("/Apps/A.app"), false,
            std::nullopt };
        QVERIFY(base != other);
        QCOMPARE(base.id, other.id);
        QVERIFY(qHash(base) != qHash(other));
        AppItem copy = other;
        QVERIFY(copy == other);
        QCOMPARE(qHash(copy), qHash(other));
    }

    void defaultPinsAreTheSevenSystemApps()
    {
        const auto &pins = AppItem::pinnedDefaults();
        QStringList ids;
        for (const AppItem &pin : pins) {
            ids << pin.id;
            QCOMPARE(pin.bundleIdentifier, std::optional<QString>(pin.id));
            QVERIFY(!pin.isRunning && !pin.url && !pin.systemImageName);
        }
        QCOMPARE(ids,
            QStringList({ "com.apple.finder", "com.apple.Safari", "com.apple.mail", "com.apple.MobileSMS",
                "com.apple.iCal", "com.apple.AppStore", "com.apple.systempreferences" }));
        QCOMPARE(pins.at(3).name, QString("Messages"));
        QCOMPARE(pins.at(6).name, QString("System Settings"));
    }

    void pseudoAppsAreRunningAndHaveNoBundle()
    {
        for (const AppItem *item : { &AppItem::taskManager(), &AppItem::velmoraSettings(), &AppItem::velmoraSetup() }) {
            QVERIFY(item->isRunning);
            QVERIFY(!item->bundleIdentifier && !item->url);
        }
        QCOMPARE(AppItem::taskManager().id, QString("velmora-health-check"));
        QCOMPARE(AppItem::taskManager().systemImageName, std::optional<QString>("waveform.path.ecg.rectangle.fill"));
        QCOMPARE(AppItem::velmoraSettings().name, QString("Velmora Settings"));
        QCOMPARE(AppItem::velmoraSetup().id, QString("velmora-setup"));
    }
};

QTEST_GUILESS_MAIN(TestAppItem)
#include "tst_appitem.moc"
