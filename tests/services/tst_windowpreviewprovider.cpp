#include "services/accessibilitywindownumber.h"
#include "services/windowpreviewid.h"
#include "services/windowpreviewprovider.h"

#include <QTest>

using namespace Velmora;

using Descriptor = WindowServerEntries::Descriptor;

class TestWindowPreviewProvider : public QObject
{
    Q_OBJECT
private slots:
    void previewIdForms()
    {
        QCOMPARE(WindowPreviewId::forWindow(412, 8812), QString("412:window:8812"));
        QCOMPARE(WindowPreviewId::forElement(412, 18446744073709551615ULL), QString("412:ax:18446744073709551615"));
        QVERIFY(WindowPreviewId::belongsTo("412:window:1", 412));
        QVERIFY(!WindowPreviewId::belongsTo("4120:window:1", 412));
    }

    void aspectRatioNeverBelowOne_data()
    {
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<double>("ratio");
        QTest::newRow("landscape") << QSizeF(800, 400) << 2.0;
        QTest::newRow("portrait") << QSizeF(400, 800) << 1.0;
        QTest::newRow("zero height") << QSizeF(300, 0) << 300.0;
    }
    void aspectRatioNeverBelowOne()
    {
        QFETCH(QSizeF, size);
        QFETCH(double, ratio);
        QCOMPARE(WindowPreviewProvider::aspectRatio(size), ratio);
    }

    void frameMatchPrefersLongerTitlePrefix_data()
    {
        QTest::addColumn<QList<Descriptor>>("candidates");
        QTest::addColumn<QString>("title");
        QTest::addColumn<quint32>("chosen");
        const auto entry = [](quint32 id, std::optional<QString> title) {
            return Descriptor{id, qint64(id), QRectF(0, 0, 400, 300), std::move(title), true};
        };
        QTest::newRow("later entry shares more") << QList<Descriptor>{entry(1, "Report"), entry(2, "Report 2024")}
                                                 << "Report 2024 - Draft" << 2u;
        QTest::newRow("equal prefixes keep the front-most")
            << QList<Descriptor>{entry(1, "Notes A"), entry(2, "Notes B")} << "Notes C" << 1u;
        QTest::newRow("absent names read as empty") << QList<Descriptor>{entry(1, std::nullopt), entry(2, "X")}
                                                    << "" << 1u;
        QTest::newRow("element without title") << QList<Descriptor>{entry(1, "A"), entry(2, "B")} << "" << 1u;
    }
    void frameMatchPrefersLongerTitlePrefix()
    {
        QFETCH(QList<Descriptor>, candidates);
        QFETCH(QString, title);
        QFETCH(quint32, chosen);
        QCOMPARE(AccessibilityWindowNumber::chooseByTitle(candidates, title), chosen);
    }
};

QTEST_GUILESS_MAIN(TestWindowPreviewProvider)
#include "tst_windowpreviewprovider.moc"
