#include "platform/sim/scriptedfileicons.h"
#include "store/appitem.h"
#include "store/velmoraicon.h"

#include <QTest>

using namespace Velmora;
using Velmora::Sim::ScriptedFileIcons;

namespace {

const QString ecgSymbol = QStringLiteral("waveform.path.ecg.rectangle.fill");

AppItem item(
    const QString &id, std::optional<QString> bundle, std::optional<QString> path, std::optional<QString> symbol)
{
    return AppItem { id, QStringLiteral("Name"), bundle,
        path ? std::optional(QUrl::fromLocalFile(*path)) : std::nullopt, false, symbol };
}

} // namespace

class TestAppItemIcon : public QObject
{
    Q_OBJECT
private slots:
    void init() { AppItem::dropCachedFileIcons(); }

    // The expected icon is named after the source it came from.
    void iconRules_data()
    {
        QTest::addColumn<AppItem>("app");
        QTest::addColumn<bool>("appSymbolKnown");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("asksForBundle");
        const QString missing = "/Applications/Gone.app";
        QTest::newRow("own windows: product icon without any field")
            << item(AppItem::ownWindowsID, {}, {}, {}) << true << "velmora" << false;
        QTest::newRow("settings") << AppItem::velmoraSettings() << true << "velmora" << false;
        QTest::newRow("setup") << AppItem::velmoraSetup() << true << "velmora" << false;
        QTest::newRow("task manager takes its symbol")
            << AppItem::taskManager() << true << "symbol:" + ecgSymbol << false;
        QTest::newRow("unknown symbol falls through to the location")
            << item("a", "com.example.a", "/Apps/A.app", "no.such.symbol") << true << "file:/Apps/A.app" << false;
        QTest::newRow("missing file still wins over a bundle id")
            << item("b", "com.example.b", missing, {}) << true << "file:" + missing << false;
        QTest::newRow("bundle id found by the workspace")
            << item("c", "com.example.c", {}, {}) << true << "file:/Apps/C.app" << true;
        QTest::newRow("bundle id unknown") << item("d", "com.example.d", {}, {}) << true << "symbol:app" << true;
        QTest::newRow("nothing to go on") << item("e", {}, {}, {}) << true << "symbol:app" << false;
        QTest::newRow("not even the app symbol") << item("e", {}, {}, "x") << false << "" << false;
        QTest::newRow("own bundle by location")
            << item("v", {}, "/Applications/Velmora.app/", {}) << true << "velmora" << false;
        QTest::newRow("own bundle by bundle id")
            << item("v", "com.example.velmora", {}, {}) << true << "velmora" << true;
    }
    void iconRules()
    {
        QFETCH(AppItem, app);
        QFETCH(bool, appSymbolKnown);
        QFETCH(QString, expected);
        QFETCH(bool, asksForBundle);
        ScriptedFileIcons workspace;
        workspace.setKnownSymbols(appSymbolKnown ? QStringList { "app", ecgSymbol } : QStringList { ecgSymbol });
        workspace.setApplicationPath("com.example.c", "/Apps/C.app");
        workspace.setApplicationPath("com.example.velmora", "/Applications/Velmora.app");
        const QIcon icon = app.icon(workspace);
        QCOMPARE(icon.name(), expected);
        QCOMPARE(icon.isNull(), expected.isEmpty());
        const bool askedForBundle = std::any_of(workspace.requests().cbegin(), workspace.requests().cend(),
            [](const QString &r) { return r.startsWith("applicationPath"); });
        QCOMPARE(askedForBundle, asksForBundle);
        QVERIFY(!workspace.requests().contains("iconForFile /Applications/Velmora.app"));
    }

    void fileIconIsFetchedOncePerPath()
    {
        ScriptedFileIcons workspace;
        const AppItem app = item("a", {}, "/Apps/A.app", {});
        const AppItem sameLocation = item("other", {}, "/Apps/A.app", {});
        QCOMPARE(app.icon(workspace).name(), QString("file:/Apps/A.app"));
        QCOMPARE(sameLocation.icon(workspace).name(), QString("file:/Apps/A.app"));
        QCOMPARE(workspace.requests(), QStringList { "iconForFile /Apps/A.app" });

        AppItem::dropCachedFileIcons(); // as memory pressure would
        app.icon(workspace);
        QCOMPARE(workspace.requests().count("iconForFile /Apps/A.app"), 2);
    }

    void productIconIsOneSharedIcon()
    {
        ScriptedFileIcons workspace;
        QCOMPARE(AppItem::velmoraSettings().icon(workspace).cacheKey(), VelmoraIcon::ownAppIcon().cacheKey());
        QVERIFY(workspace.requests().isEmpty());
    }
};

QTEST_MAIN(TestAppItemIcon)
#include "tst_appitemicon.moc"
