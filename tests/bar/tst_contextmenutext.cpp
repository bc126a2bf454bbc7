#include "bar/model/contextmenutext.h"

#include <QFont>
#include <QTest>
#include <QTextBoundaryFinder>

using namespace Velmora;

namespace {

// Every character 10 points wide, so 36 of them make exactly 360 points;
// 'M' is twice as wide, and the width of a blank is given per case.
ContextMenuText::Measure fixedWidth(qreal blank)
{
    return [blank](const QString &text) {
        qreal width = 0;
        QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
        qsizetype start = 0;
        for (qsizetype end = graphemes.toNextBoundary(); end != -1; end = graphemes.toNextBoundary()) {
            const QString character = text.mid(start, end - start);
            start = end;
            width += character == u" " ? blank : character == u"M" ? 20 : 10;
        }
        return width;
    };
}

QString times(int count, QChar c)
{
    return QString(count, c);
}

} // namespace

class TestContextMenuText : public QObject
{
    Q_OBJECT
private slots:
    void wrapping_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<qreal>("blankWidth");
        QTest::addColumn<QString>("expected");

        const QString exactly360 = "aaaaaaaaa bbbbbbbbb ccccccccc dddddd";
        QTest::newRow("exactly 360 points stays on one line") << exactly360 << 10.0 << exactly360;
        QTest::newRow("361 points breaks at the last blank")
            << exactly360 + "d" << 10.0 << "aaaaaaaaa bbbbbbbbb ccccccccc\nddddddd";
        QTest::newRow("several words wrap at blanks")
            << "the quick brown fox jumps over the lazy dog and keeps running far away" << 10.0
            << "the quick brown fox jumps over the\nlazy dog and keeps running far away";
        QTest::newRow("a word wider than 360 points is cut without a hyphen")
            << times(40, 'a') << 10.0 << times(36, 'a') + "\n" + times(4, 'a');
        QTest::newRow("a long word after a short one")
            << "go " + times(40, 'b') << 10.0 << "go\n" + times(36, 'b') + "\n" + times(4, 'b');
        QTest::newRow("a line feed of the title is kept") << "first\nsecond" << 10.0 << "first\nsecond";
        QTest::newRow("an empty line of the title is kept") << "first\n\nsecond" << 10.0 << "first\n\nsecond";
        QTest::newRow("CR LF is one line break") << "first\r\nsecond" << 10.0 << "first\nsecond";
        QTest::newRow("CR LF twice is one empty line") << "first\r\n\r\nsecond" << 10.0 << "first\n\nsecond";
        QTest::newRow("CR and the line separator become line feeds")
            << QString("first\rsecond") + QChar(0x2028) + "third" << 10.0 << "first\nsecond\nthird";
        QTest::newRow("a leading blank is no place to break")
            << " " + times(36, 'x') << 10.0 << " " + times(35, 'x') + "\nx";
        QTest::newRow("a narrow leading blank before a wide character")
            << " " + times(35, 'x') + "M" << 1.0 << " " + times(35, 'x') + "\nM";
        QTest::newRow("blanks that fill a line are the break")
            << times(36, ' ') + "word" << 10.0 << "word";
        QTest::newRow("an emoji is never split")
            << times(35, 'a') + QString::fromUtf8("\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD") + "b" << 10.0
            << times(35, 'a') + QString::fromUtf8("\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD") + "\nb";
        QTest::newRow("empty title") << "" << 10.0 << "";
    }
    void wrapping()
    {
        QFETCH(QString, title);
        QFETCH(qreal, blankWidth);
        QFETCH(QString, expected);
        const ContextMenuText::Measure measure = fixedWidth(blankWidth);
        const QString wrapped = ContextMenuText::wrapped(title, measure);
        QCOMPARE(wrapped, expected);

        // Whatever the title, wrapping itself never opens with an empty line
        // and never leaves a line too wide, unless one character is.
        const QStringList lines = wrapped.split(u'\n');
        if (!title.isEmpty() && !title.startsWith(u'\n') && !title.startsWith(u'\r'))
            QVERIFY(!lines.first().trimmed().isEmpty());
        for (const QString &line : lines) {
            QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, line);
            graphemes.toNextBoundary();
            const bool oneCharacter = graphemes.toNextBoundary() == -1;
            QVERIFY2(measure(line) <= ContextMenuText::maximumLineWidth || oneCharacter, qPrintable(line));
        }
    }

    // With the menu font a short title comes back as it was and a long one
    // gets line breaks.
    void measuresInAFont()
    {
        QFont font;
        font.setPixelSize(13);
        QCOMPARE(ContextMenuText::wrapped("Inbox", font), QString("Inbox"));
        const QString long_ = QString("A rather long window title ").repeated(6).trimmed();
        QVERIFY(ContextMenuText::wrapped(long_, font).contains(u'\n'));
    }
};

QTEST_MAIN(TestContextMenuText)
#include "tst_contextmenutext.moc"
