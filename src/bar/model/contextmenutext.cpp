#include "bar/model/contextmenutext.h"

#include <QFontMetricsF>
#include <QStringList>
#include <QTextBoundaryFinder>

namespace Velmora {

namespace {

bool isLineBreak(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x0A && u <= 0x0D) || u == 0x85 || u == 0x2028 || u == 0x2029;
}

// Splits at every line break; CR LF is one break, not two.
QStringList paragraphs(const QString &title)
{
    QStringList result;
    qsizetype start = 0;
    for (qsizetype i = 0; i < title.size(); ++i) {
        if (!isLineBreak(title.at(i)))
            continue;
        result.append(title.mid(start, i - start));
        if (title.at(i) == u'\r' && i + 1 < title.size() && title.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    result.append(title.mid(start));
    return result;
}

// The last blank of `line` that has text before it, or -1.
qsizetype breakPoint(const QString &line)
{
    qsizetype firstText = 0;
    while (firstText < line.size() && line.at(firstText).isSpace())
        ++firstText;
    for (qsizetype i = line.size() - 1; i > firstText; --i) {
        if (line.at(i).isSpace())
            return i;
    }
    return -1;
}

bool isBlank(const QString &line)
{
    for (const QChar c : line) {
        if (!c.isSpace())
            return false;
    }
    return true;
}

void wrapParagraph(const QString &paragraph, const ContextMenuText::Measure &measure, QStringList &lines)
{
    QString current;
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, paragraph);
    qsizetype start = 0;
    for (qsizetype end = graphemes.toNextBoundary(); end != -1; end = graphemes.toNextBoundary()) {
        const QString next = paragraph.mid(start, end - start);
        start = end;
        if (next.isEmpty())
            continue;
        while (!current.isEmpty() && measure(current + next) > ContextMenuText::maximumLineWidth) {
            if (isBlank(current)) {
                // Only blanks so far: they are the break, and are dropped.
                current.clear();
                break;
            }
            const qsizetype at = breakPoint(current);
            if (at < 0) {
                lines.append(current);
                current.clear();
                break;
            }
            lines.append(current.left(at));
            current = current.mid(at + 1);
        }
        current += next;
    }
    lines.append(current);
}

} // namespace

QString ContextMenuText::wrapped(const QString &title, const QFont &font)
{
    const QFontMetricsF metrics(font);
    return wrapped(title, [&metrics](const QString &text) { return metrics.horizontalAdvance(text); });
}

QString ContextMenuText::wrapped(const QString &title, const Measure &measure)
{
    QStringList lines;
    for (const QString &paragraph : paragraphs(title))
        wrapParagraph(paragraph, measure, lines);
    return lines.join(u'\n');
}

} // namespace Velmora
