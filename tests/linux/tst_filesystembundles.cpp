#include "platform/linux/filesystembundles.h"
#include "platform/linux/propertylistshape.h"
#include "support/testsupport.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace Velmora;
using Velmora::Linux::FileSystemBundles;
using Velmora::Linux::PropertyListShape;

namespace {

QByteArray bigEndian(quint64 value, int size)
{
    QByteArray bytes(size, '\0');
    for (int i = size - 1; i >= 0; --i, value >>= 8)
        bytes[i] = char(value & 0xFF);
    return bytes;
}

// The objects of a binary property list, encoded by hand so that a test can
// write what no well-behaved writer would. References are four bytes wide.
QByteArray container(uchar type, const QList<quint64> &references)
{
    QByteArray bytes;
    if (references.size() < 15)
        bytes += char(type | references.size());
    else
        bytes += char(type | 0x0F) + QByteArray(1, char(0x12)) + bigEndian(references.size(), 4);
    for (quint64 reference : references)
        bytes += bigEndian(reference, 4);
    return bytes;
}
QByteArray array(const QList<quint64> &items) { return container(0xA0, items); }
QByteArray dictionary(const QList<quint64> &keys, const QList<quint64> &values)
{
    return char(0xD0 | keys.size()) + container(0, keys + values).mid(1);
}
QByteArray text(const QByteArray &ascii) { return char(0x50 | ascii.size()) + ascii; }

// The first object is the root.
QByteArray binaryList(const QList<QByteArray> &objects)
{
    QByteArray data = "bplist00";
    QList<quint64> offsets;
    for (const QByteArray &object : objects) {
        offsets.append(data.size());
        data += object;
    }
    const quint64 table = data.size();
    for (quint64 offset : offsets)
        data += bigEndian(offset, 4);
    return data + QByteArray(6, '\0') + char(4) + char(4) + bigEndian(objects.size(), 8) + bigEndian(0, 8)
        + bigEndian(table, 8);
}

// {"CFBundleName": name, "Nest": [[[...]]]} with `depth` arrays in the nest.
QByteArray binaryInfoList(const QByteArray &name, int depth)
{
    QList<QByteArray> objects { dictionary({ 1, 2 }, { 3, 4 }), text("CFBundleName"), text("Nest"), text(name) };
    for (int level = 0; level < depth; ++level)
        objects.append(level + 1 < depth ? array({ quint64(objects.size() + 1) }) : array({}));
    return binaryList(objects);
}

QByteArray xmlInfoList(const QByteArray &name, int depth, bool closed = true)
{
    return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                      "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                      "<plist version=\"1.0\"><dict><key>CFBundleName</key><string>")
        + name + "</string><key>Nest</key>" + QByteArray("<array>").repeated(depth)
        + (closed ? QByteArray("</array>").repeated(depth) + "</dict></plist>" : QByteArray());
}

} // namespace

class TestFileSystemBundles : public QObject
{
    Q_OBJECT
private slots:
    // Lists well under the size cap, nested far too deep for a recursive parser.
    void deepListsAreRefusedBeforeTheyAreParsed_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::newRow("binary, 100000 one-item arrays") << binaryInfoList("Deep Name", 100000);
        QTest::newRow("xml, 200000 arrays, closed") << xmlInfoList("Deep Name", 200000);
        QTest::newRow("xml, 200000 arrays, not closed") << xmlInfoList("Deep Name", 200000, false);
    }
    void deepListsAreRefusedBeforeTheyAreParsed()
    {
        QFETCH(QByteArray, list);
        QTemporaryDir root;
        const QString bundle = root.filePath("Applications/Deep.app");
        QVERIFY(Test::writeFile(root, "Applications/Deep.app/Contents/Info.plist", list));

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Deep.app/Contents/Info.plist.*deeper than 512 levels"));
        // The installed-app scan reads lists on a pool thread with the
        // ordinary stack; so does this test.
        std::optional<BundleInfo> info { BundleInfo {} };
        std::unique_ptr<QThread> reader(QThread::create([&] { info = FileSystemBundles().info(bundle); }));
        reader->setStackSize(8 * 1024 * 1024);
        reader->start();
        QVERIFY(reader->wait(60000));
        QVERIFY(!info);
        QCOMPARE(ApplicationBundles::displayName(bundle, info), QString("Deep"));
    }

    // Nesting that real lists have is read as before, in both formats.
    void moderatelyNestedListsAreRead()
    {
        for (const QByteArray &list : { binaryInfoList("Nested Name", 100), xmlInfoList("Nested Name", 100) }) {
            const std::optional<BundleInfo> info = FileSystemBundles::infoFromPropertyList(list, "test");
            QVERIFY(info);
            QCOMPARE(info->name, QString("Nested Name"));
        }
    }

    void measuresOrRefuses_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<int>("depth"); // 0: refused
        QTest::newRow("xml info list") << xmlInfoList("A", 0) << 3;
        QTest::newRow("xml just over the limit") << xmlInfoList("A", 511) << 0;
        QTest::newRow("tags inside a comment do not count")
            << QByteArray("<plist><!-- <array><array> --><array/></plist>") << 2;
        QTest::newRow("a tag hidden in a quoted attribute")
            << QByteArray("<plist><array a=\"<array>\"></array></plist>") << 0;
        QTest::newRow("a quote that runs past other tags")
            << QByteArray("<plist a=\"x><array><array></plist>") << 0;
        QTest::newRow("closing tags that do not match") << QByteArray("<plist><array></dict></plist>") << 0;
        QTest::newRow("an internal subset") << QByteArray("<!DOCTYPE plist [<!ENTITY a 'b'>]><plist/>") << 0;
        QTest::newRow("binary info list") << binaryInfoList("A", 3) << 4;
        QTest::newRow("binary just over the limit") << binaryInfoList("A", 512) << 0;
        // Forty arrays of two references to the next one unfold into 2^40
        // values: refused after a few hundred thousand steps, not parsed.
        QList<QByteArray> doubling;
        for (quint64 i = 0; i < 40; ++i)
            doubling.append(i + 1 < 40 ? array({ i + 1, i + 1 }) : text("x"));
        QTest::newRow("binary, shared many times over") << binaryList(doubling) << 0;
        QTest::newRow("binary, an array inside itself") << binaryList({ array({ 1 }), array({ 0 }) }) << 0;
        QTest::newRow("binary, a reference past the objects") << binaryList({ array({ 7 }) }) << 0;
        QTest::newRow("binary, a count past the end") << binaryList({ QByteArray("\xAF\x13", 2) }) << 0;
        QTest::newRow("binary, trailer cut short") << binaryInfoList("A", 3).chopped(1) << 0;
    }
    void measuresOrRefuses()
    {
        QFETCH(QByteArray, list);
        QFETCH(int, depth);
        const PropertyListShape shape = PropertyListShape::measure(list);
        QCOMPARE(shape.isAcceptable(), depth > 0);
        QCOMPARE(shape.problem().isEmpty(), depth > 0);
        if (depth > 0)
            QCOMPARE(shape.depth(), depth);
    }
};

QTEST_GUILESS_MAIN(TestFileSystemBundles)
#include "tst_filesystembundles.moc"
