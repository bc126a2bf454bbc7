#include "platform/axvalue.h"
#include "platform/windowlistentry.h"

#include <QTest>

using namespace Velmora;

class TestPlatformValues : public QObject
{
    Q_OBJECT
private slots:
    // Window-list fields arrive untyped; a reader returns a value only when
    // the field holds one of its type and range.
    void windowListFieldsReadOnlyWhenTheyFit_data()
    {
        QTest::addColumn<QVariant>("number");
        QTest::addColumn<bool>("readsAsWindowNumber");
        QTest::addColumn<bool>("readsAsPid");
        QTest::newRow("int") << QVariant(8812) << true << true;
        QTest::newRow("64-bit in range") << QVariant(qint64(4000000000)) << true << false;
        QTest::newRow("negative") << QVariant(-1) << false << true;
        QTest::newRow("too large") << QVariant(quint64(1) << 40) << false << false;
        QTest::newRow("real") << QVariant(12.0) << false << false;
        QTest::newRow("text") << QVariant("12") << false << false;
        QTest::newRow("missing") << QVariant() << false << false;
    }
    void windowListFieldsReadOnlyWhenTheyFit()
    {
        QFETCH(QVariant, number);
        QFETCH(bool, readsAsWindowNumber);
        QFETCH(bool, readsAsPid);
        WindowListEntry entry;
        entry.setField(WindowListEntry::NumberKey, number);
        entry.setField(WindowListEntry::OwnerPIDKey, number);
        QCOMPARE(entry.number().has_value(), readsAsWindowNumber);
        QCOMPARE(entry.ownerPID().has_value(), readsAsPid);
    }

    void boundsNeedAllFourNumbers()
    {
        WindowListEntry entry;
        entry.setField(WindowListEntry::BoundsKey, WindowListEntry::boundsDictionary({10, 20, 300, 200}));
        QCOMPARE(entry.bounds(), QRectF(10, 20, 300, 200));
        QVariantMap partial = WindowListEntry::boundsDictionary({10, 20, 300, 200});
        partial.insert("Height", "200");
        entry.setField(WindowListEntry::BoundsKey, partial);
        QVERIFY(!entry.bounds());
        entry.setField(WindowListEntry::BoundsKey, QRectF(10, 20, 300, 200)); // not a dictionary
        QVERIFY(!entry.bounds());
    }

    void accessibilityValuesReadOnlyAsTheirType()
    {
        const AXElement window(412, 7);
        QCOMPARE(AXValue::fromElements({window}).toElementList(), QList<AXElement>{window});
        QVERIFY(!AXValue::fromList({AXValue::fromElement(window), AXValue::fromString("x")}).toElementList());
        QVERIFY(!AXValue::fromString("true").toBool());
        QCOMPARE(AXValue::fromInteger(3).toReal(), 3.0);
        QVERIFY(!AXValue::fromReal(3.0).toInteger());
        QVERIFY(!AXValue::fromError(AXError::NoValue).toElement());
        QVERIFY(AXElement().isNull());
        QCOMPARE(AXElement(412, 7), window);
        QCOMPARE(qHash(AXElement(412, 7)), qHash(window));
        QVERIFY(AXElement(413, 7) != window);
    }
};

QTEST_GUILESS_MAIN(TestPlatformValues)
#include "tst_platformvalues.moc"
