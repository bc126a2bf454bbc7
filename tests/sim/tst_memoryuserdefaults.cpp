#include "platform/sim/memoryuserdefaults.h"

#include <QDateTime>
#include <QTest>

#include <limits>

using Velmora::Sim::MemoryUserDefaults;

class TestMemoryUserDefaults : public QObject
{
    Q_OBJECT
private slots:
    // Each reader accepts only its own type, so a caller's fallback covers
    // both an absent key and a value of the wrong type.
    void typedReadersAcceptOnlyTheirType_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("readsAs"); // which readers return a value
        QTest::newRow("false") << QVariant(false) << "bool";
        QTest::newRow("int") << QVariant(3) << "integer double";
        QTest::newRow("double") << QVariant(2.5) << "double";
        QTest::newRow("text") << QVariant(QStringLiteral("true")) << "string";
        QTest::newRow("text list") << QVariant(QStringList { "a" }) << "list";
        QTest::newRow("variant list of texts") << QVariant(QVariantList { "a", "b" }) << "list";
        QTest::newRow("empty list") << QVariant(QVariantList {}) << "list";
    }
    void typedReadersAcceptOnlyTheirType()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, readsAs);
        MemoryUserDefaults defaults;
        QVERIFY(defaults.setValue("k", stored));
        const QStringList accepted = readsAs.split(' ');
        QCOMPARE(defaults.boolValue("k").has_value(), accepted.contains("bool"));
        QCOMPARE(defaults.integerValue("k").has_value(), accepted.contains("integer"));
        QCOMPARE(defaults.doubleValue("k").has_value(), accepted.contains("double"));
        QCOMPARE(defaults.stringValue("k").has_value(), accepted.contains("string"));
        QCOMPARE(defaults.stringListValue("k").has_value(), accepted.contains("list"));
        QVERIFY(!defaults.boolValue("absent") && !defaults.stringListValue("absent"));
    }

    void storedFalseReadsBackAsFalse()
    {
        MemoryUserDefaults defaults;
        QVERIFY(defaults.setValue("KeepWindowOrder", false));
        QCOMPARE(defaults.boolValue("KeepWindowOrder"), std::optional<bool>(false));
        QCOMPARE(defaults.value("KeepWindowOrder").typeId(), int(QMetaType::Bool));
    }

    void valuesWithoutAStoredFormAreRefused_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::newRow("not a number") << QVariant(std::numeric_limits<double>::quiet_NaN());
        QTest::newRow("infinity") << QVariant(std::numeric_limits<double>::infinity());
        QTest::newRow("date") << QVariant(QDateTime::fromSecsSinceEpoch(0));
        QTest::newRow("list with a number") << QVariant(QVariantList { "a", 1 });
        QTest::newRow("too large") << QVariant(std::numeric_limits<quint64>::max());
        QTest::newRow("invalid") << QVariant();
    }
    void valuesWithoutAStoredFormAreRefused()
    {
        QFETCH(QVariant, value);
        MemoryUserDefaults defaults;
        QVERIFY(defaults.setValue("k", QStringLiteral("before")));
        QVERIFY(!defaults.setValue("k", value));
        QCOMPARE(defaults.stringValue("k"), std::optional<QString>("before"));
    }

    void failedWritesChangeNothing()
    {
        MemoryUserDefaults defaults;
        QVERIFY(defaults.setValue("k", 1));
        defaults.setFailsWrites(true);
        QVERIFY(!defaults.setValue("k", 2));
        QVERIFY(!defaults.removeValue("k"));
        QCOMPARE(defaults.integerValue("k"), std::optional<qint64>(1));
        QCOMPARE(defaults.writtenKeys(), QStringList { "k" });
    }
};

QTEST_GUILESS_MAIN(TestMemoryUserDefaults)
#include "tst_memoryuserdefaults.moc"
