#include "platform/linux/jsonfileuserdefaults.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

using Velmora::Linux::JsonFileUserDefaults;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestJsonFileUserDefaults : public QObject
{
    Q_OBJECT
private slots:
    // A value written by one instance reads back with the same type in the
    // next one, which is what a restart of the application does.
    void valuesKeepTheirTypeAcrossARestart_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("type");
        QTest::newRow("false") << QVariant(false) << int(QMetaType::Bool);
        QTest::newRow("integer") << QVariant(4) << int(QMetaType::LongLong);
        QTest::newRow("large integer") << QVariant(qint64(1) << 60) << int(QMetaType::LongLong);
        QTest::newRow("whole double") << QVariant(1.0) << int(QMetaType::Double);
        QTest::newRow("tiny double") << QVariant(1e-300) << int(QMetaType::Double);
        QTest::newRow("text that looks like a Boolean") << QVariant(QStringLiteral("true")) << int(QMetaType::QString);
        QTest::newRow("text with quotes and newline")
            << QVariant(QStringLiteral("a \"b\"\n\\ ü")) << int(QMetaType::QString);
        QTest::newRow("list of texts") << QVariant(QStringList { "com.apple.finder", "" })
                                       << int(QMetaType::QStringList);
        QTest::newRow("empty list") << QVariant(QStringList {}) << int(QMetaType::QStringList);
    }
    void valuesKeepTheirTypeAcrossARestart()
    {
        QFETCH(QVariant, value);
        QFETCH(int, type);
        QTemporaryDir dir;
        const QString path = dir.filePath("velmora/settings.json");
        QVERIFY(JsonFileUserDefaults(path).setValue("key", value));

        const JsonFileUserDefaults reopened(path);
        QCOMPARE(reopened.value("key").typeId(), type);
        QCOMPARE(reopened.value("key"), JsonFileUserDefaults::storedForm(value).value());
        QCOMPARE(reopened.keys(), QStringList { "key" });
        QVERIFY(QJsonDocument::fromJson(readAll(path)).isObject());
    }

    // A hand-edited file: the written form of a number decides its type, even
    // where Qt's parser would turn 1.0 into an integer.
    void numbersFollowTheirWrittenForm_data()
    {
        QTest::addColumn<QByteArray>("prefix");
        QTest::newRow("plain") << QByteArray();
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF");
    }
    void numbersFollowTheirWrittenForm()
    {
        QFETCH(QByteArray, prefix);
        QTemporaryDir dir;
        QVERIFY(Velmora::Test::writeFile(dir, "settings.json", prefix +
            "{\"s\": \"x: 1.5, \\\"w\\\": 2.0\", \"k\\\"ey\": 3.0,\n"
            " \"nested\": {\"i\": 1.5, \"j\": [2.5]}, \"whole\": 7, \"negative\": -2,\n"
            " \"exponent\": 2E3, \"fraction\": 0.25, \"flag\": false}"));
        const JsonFileUserDefaults defaults(dir.filePath("settings.json"));
        QCOMPARE(defaults.value("k\"ey").typeId(), int(QMetaType::Double));
        QCOMPARE(defaults.value("exponent").typeId(), int(QMetaType::Double));
        QCOMPARE(defaults.value("fraction").typeId(), int(QMetaType::Double));
        QCOMPARE(defaults.integerValue("whole"), std::optional<qint64>(7));
        QCOMPARE(defaults.integerValue("negative"), std::optional<qint64>(-2));
        QVERIFY(!defaults.integerValue("k\"ey"));
        QCOMPARE(defaults.doubleValue("exponent"), std::optional<double>(2000.0));
        QCOMPARE(defaults.boolValue("flag"), std::optional<bool>(false));
        QVERIFY(!defaults.contains("w"));
    }

    // A U+FEFF at the start of a key, a text or a list item, and the sign of
    // zero, used to be lost on the way through the file.
    void storedValuesReadBackExactly()
    {
        const QString mark(QChar(0xFEFF));
        QTemporaryDir dir;
        const QString path = dir.filePath("settings.json");
        JsonFileUserDefaults defaults(path);
        QVERIFY(defaults.setValue(mark + "label", mark + "text"));
        QVERIFY(defaults.setValue("label", QStringList { mark + "item", "b" + mark }));
        QVERIFY(defaults.setValue("zero", -0.0));

        const JsonFileUserDefaults reopened(path);
        QCOMPARE(reopened.keys(), QStringList({ "label", "zero", mark + "label" }));
        QCOMPARE(reopened.stringValue(mark + "label"), mark + "text");
        QCOMPARE(reopened.stringListValue("label"), QStringList({ mark + "item", "b" + mark }));
        QCOMPARE(reopened.value("zero").typeId(), int(QMetaType::Double));
        QVERIFY(std::signbit(reopened.doubleValue("zero").value()));
    }

    // Keys of a hand-edited file that differ only by a leading U+FEFF stay
    // apart, at the top and inside kept members, and so do after a rewrite.
    void keysThatDifferByALeadingMarkStayApart()
    {
        const QString mark(QChar(0xFEFF));
        QTemporaryDir dir;
        const QString path = dir.filePath("settings.json");
        QVERIFY(Velmora::Test::writeFile(dir, "settings.json",
            "{\"\xEF\xBB\xBF" "a\": 1, \"a\": 2, \"o\": {\"\xEF\xBB\xBF" "x\": 1, \"x\": 2}}"));
        for (int pass = 0; pass < 2; ++pass) {
            JsonFileUserDefaults defaults(path);
            QCOMPARE(defaults.keys(), QStringList({ "a", "o", mark + "a" }));
            QCOMPARE(defaults.integerValue(mark + "a"), std::optional<qint64>(1));
            QCOMPARE(defaults.integerValue("a"), std::optional<qint64>(2));
            QCOMPARE(defaults.value("o").value<QJsonValue>().toObject().keys(), QStringList({ "x", mark + "x" }));
            QVERIFY(defaults.setValue("b", true));
            QVERIFY(defaults.removeValue("b"));
        }
    }

    // A key named twice reads with the type and the value of its last
    // member, says so in the log, and the file as it was is kept aside when
    // the next save writes the key once.
    void aRepeatedKeyReadsAsItsLastMember_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("double, then integer") << QByteArray("{\"a\": 1.5, \"a\": 2}") << QVariant(qint64(2));
        QTest::newRow("integer, then double") << QByteArray("{\"a\": 2, \"a\": 1.5}") << QVariant(1.5);
        QTest::newRow("text, then list") << QByteArray("{\"a\": \"x\", \"a\": [\"y\"]}")
                                         << QVariant(QStringList { "y" });
    }
    void aRepeatedKeyReadsAsItsLastMember()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QVariant, value);
        QTemporaryDir dir;
        const QString path = dir.filePath("settings.json");
        QVERIFY(Velmora::Test::writeFile(dir, "settings.json", contents));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("names \"a\" more than once"));
        JsonFileUserDefaults defaults(path);
        QCOMPARE(defaults.value("a").typeId(), value.typeId());
        QCOMPARE(defaults.value("a"), value);

        QVERIFY(defaults.setValue("b", true));
        QCOMPARE(defaults.setAsidePath(), path + ".repeated-keys");
        QCOMPARE(readAll(defaults.setAsidePath()), contents);
        const JsonFileUserDefaults reopened(path);
        QCOMPARE(reopened.value("a").typeId(), value.typeId());
        QCOMPARE(reopened.value("a"), value);
    }

    void refusedValuesLeaveTheFileAlone()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("settings.json");
        JsonFileUserDefaults defaults(path);
        QVERIFY(defaults.setValue("a", 1));
        const QByteArray before = readAll(path);
        QVERIFY(!defaults.setValue("b", std::numeric_limits<double>::infinity()));
        QVERIFY(!defaults.setValue("a", QVariant(QVariantList { 1, 2 })));
        // A lone surrogate could not be read back.
        QVERIFY(!defaults.setValue("a", QString(QChar(0xD800))));
        QVERIFY(!defaults.setValue("a", QStringList { QString(QChar(0xDC00)) + "x" }));
        QVERIFY(!defaults.setValue(QString(QChar(0xD800)), 1));
        QCOMPARE(readAll(path), before);
        QCOMPARE(defaults.integerValue("a"), std::optional<qint64>(1));
        QVERIFY(!defaults.contains("b"));
    }

    void membersOfOtherKindsSurviveARewrite()
    {
        QTemporaryDir dir;
        QVERIFY(Velmora::Test::writeFile(
            dir, "settings.json", R"({"n": null, "o": {"x": [1, 2.0], "z": -0.0}, "l": [1, "a"]})"));
        const QString path = dir.filePath("settings.json");
        JsonFileUserDefaults defaults(path);
        QVERIFY(!defaults.stringListValue("l") && !defaults.integerValue("n"));
        QVERIFY(defaults.setValue("b", true));
        const QJsonObject written = QJsonDocument::fromJson(readAll(path)).object();
        QCOMPARE(written.value("o").toObject().value("x").toArray().size(), 2);
        QVERIFY(written.contains("n") && written.value("n").isNull());
        QCOMPARE(written.value("l").toArray().size(), 2);
        QCOMPARE(written.value("b").toBool(), true);
        // Written back as they were, down to the form of each number.
        QVERIFY(readAll(path).contains(R"("o": {"x": [1, 2.0], "z": -0.0})"));
    }

    // A damaged file gives every setting its fallback; the first write moves
    // it aside under a new name, and a second damaged file never replaces
    // the first one's copy.
    void unreadableFileReadsEmptyAndIsSetAside_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("not JSON") << QByteArray("KeepWindowOrder = false");
        QTest::newRow("cut short") << QByteArray(R"({"KeepWindowOrder": fal)");
        QTest::newRow("array") << QByteArray(R"(["KeepWindowOrder"])");
        QTest::newRow("empty file") << QByteArray();
    }
    void unreadableFileReadsEmptyAndIsSetAside()
    {
        QFETCH(QByteArray, contents);
        QTemporaryDir dir;
        const QString path = dir.filePath("settings.json");
        QVERIFY(Velmora::Test::writeFile(dir, "settings.json", contents));
        QVERIFY(Velmora::Test::writeFile(dir, "settings.json.unreadable", "older copy"));

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("settings.json cannot be read"));
        JsonFileUserDefaults defaults(path);
        QVERIFY(defaults.keys().isEmpty());
        QVERIFY(!defaults.boolValue("KeepWindowOrder"));
        QCOMPARE(readAll(path), contents); // reading alone moves nothing

        QVERIFY(defaults.setValue("KeepWindowOrder", false));
        QCOMPARE(defaults.setAsidePath(), path + ".unreadable.2");
        QCOMPARE(readAll(defaults.setAsidePath()), contents);
        QCOMPARE(readAll(path + ".unreadable"), QByteArray("older copy"));
        QCOMPARE(JsonFileUserDefaults(path).boolValue("KeepWindowOrder"), std::optional<bool>(false));
    }

    void aWriteThatCannotHappenIsReportedAndChangesNothing()
    {
        QTemporaryDir dir;
        QVERIFY(Velmora::Test::writeFile(dir, "plain-file", "x"));
        // The settings folder would have to be created inside a plain file.
        JsonFileUserDefaults defaults(dir.filePath("plain-file/velmora/settings.json"));
        QVERIFY(!defaults.setValue("a", 1));
        QVERIFY(!defaults.contains("a"));
        QVERIFY(defaults.removeValue("absent"));
    }

    void removingAKeyRewritesTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("settings.json");
        JsonFileUserDefaults defaults(path);
        QVERIFY(defaults.setValue("OnboardingStep", 2) && defaults.setValue("OnboardingCompleted", true));
        QVERIFY(defaults.removeValue("OnboardingStep"));
        QCOMPARE(JsonFileUserDefaults(path).keys(), QStringList { "OnboardingCompleted" });
    }

    void defaultPathFollowsXdgConfigHome()
    {
        QTemporaryDir dir;
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
        const QString path = JsonFileUserDefaults::defaultFilePath();
        qunsetenv("XDG_CONFIG_HOME");
        const QString fallback = JsonFileUserDefaults::defaultFilePath();
        if (!saved.isNull())
            qputenv("XDG_CONFIG_HOME", saved);
        QCOMPARE(path, dir.filePath("velmora/settings.json"));
        QCOMPARE(fallback, QDir::homePath() + "/.config/velmora/settings.json");
    }
};

QTEST_GUILESS_MAIN(TestJsonFileUserDefaults)
#include "tst_jsonfileuserdefaults.moc"
