#include "store/apppermission.h"

#include <QTest>

using namespace Velmora;

class TestAppPermission : public QObject
{
    Q_OBJECT
private slots:
    void rawValuesRoundTripExactly_data()
    {
        QTest::addColumn<QString>("raw");
        QTest::addColumn<bool>("known");
        QTest::newRow("accessibility") << "accessibility" << true;
        QTest::newRow("screenRecording") << "screenRecording" << true;
        QTest::newRow("capital A") << "Accessibility" << false;
        QTest::newRow("empty") << "" << false;
    }
    void rawValuesRoundTripExactly()
    {
        QFETCH(QString, raw);
        QFETCH(bool, known);
        const auto permission = AppPermissions::fromRawValue(raw);
        QCOMPARE(permission.has_value(), known);
        if (permission) {
            QCOMPARE(AppPermissions::rawValue(*permission), raw);
            QCOMPARE(AppPermissions::id(*permission), raw);
        }
    }

    void allCasesInOrder()
    {
        QCOMPARE(AppPermissions::allCases(),
            QList<AppPermission>({ AppPermission::accessibility, AppPermission::screenRecording }));
    }
};

QTEST_GUILESS_MAIN(TestAppPermission)
#include "tst_apppermission.moc"
