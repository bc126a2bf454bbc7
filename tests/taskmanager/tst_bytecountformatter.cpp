#include "taskmanager/sampling/bytecountformatter.h"

#include <QTest>

using Velmora::ByteCountFormatter;
using Style = ByteCountFormatter::CountStyle;

class TestByteCountFormatter : public QObject
{
    Q_OBJECT
private slots:
    void formats_data()
    {
        QTest::addColumn<Style>("style");
        QTest::addColumn<quint64>("bytes");
        QTest::addColumn<QString>("text");

        QTest::newRow("zero") << Style::Decimal << quint64(0) << "0 bytes";
        QTest::newRow("one") << Style::Decimal << quint64(1) << "1 byte";
        QTest::newRow("below a kilobyte") << Style::Decimal << quint64(999) << "999 bytes";
        QTest::newRow("kilobytes are whole") << Style::Decimal << quint64(1'499) << "1 KB";
        QTest::newRow("megabytes carry one decimal") << Style::Decimal << quint64(1'550'000) << "1.6 MB";
        QTest::newRow("trailing zeros go") << Style::Decimal << quint64(2'000'000) << "2 MB";
        QTest::newRow("rounding up moves to the next unit") << Style::Decimal << quint64(999'999) << "1 MB";
        QTest::newRow("gigabytes carry two") << Style::Decimal << quint64(1'234'567'890) << "1.23 GB";
        QTest::newRow("largest count") << Style::Decimal << std::numeric_limits<quint64>::max() << "18.45 EB";
        QTest::newRow("memory below its kilobyte") << Style::Memory << quint64(1'023) << "1023 bytes";
        QTest::newRow("memory counts in 1024s") << Style::Memory << quint64(1'536) << "2 KB";
        QTest::newRow("memory gigabytes") << Style::Memory << quint64(3) * 1024 * 1024 * 1024 / 2 << "1.5 GB";
    }

    void formats()
    {
        QFETCH(Style, style);
        QFETCH(quint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(ByteCountFormatter(style).string(bytes), text);
    }
};

QTEST_GUILESS_MAIN(TestByteCountFormatter)
#include "tst_bytecountformatter.moc"
