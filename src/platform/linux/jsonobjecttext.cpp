#include "platform/linux/jsonobjecttext.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>

#include <charconv>
#include <cmath>

namespace Velmora::Linux {

namespace {

const QByteArray byteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");
const QByteArray escapedByteOrderMark = QByteArrayLiteral("\\ufeff");

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The text with every U+FEFF inside a string escaped. Qt's parser decodes
// each run of plain text in a string with QString::fromUtf8, which takes a
// leading U+FEFF for a byte-order mark and drops it; an escaped one is kept.
// A byte-order mark at the very start of the file stays as it is: it is
// outside every string, and the parser skips it.
QByteArray escapeByteOrderMarks(const QByteArray &text)
{
    const qsizetype first = text.startsWith(byteOrderMark) ? byteOrderMark.size() : 0;
    if (text.indexOf(byteOrderMark, first) < 0)
        return text;
    QByteArray escaped = text.first(first);
    escaped.reserve(text.size() + 16);
    bool inString = false;
    for (qsizetype at = first; at < text.size();) {
        const char c = text[at];
        if (inString && c == '\\' && at + 1 < text.size()) {
            escaped += text.sliced(at, 2);
            at += 2;
            continue;
        }
        if (inString && text.sliced(at).startsWith(byteOrderMark)) {
            escaped += escapedByteOrderMark;
            at += byteOrderMark.size();
            continue;
        }
        if (c == '"')
            inString = !inString;
        escaped += c;
        ++at;
    }
    return escaped;
}

// Past the string whose opening quote is at `at`.
qsizetype stringEnd(const QByteArray &text, qsizetype at)
{
    for (++at; at < text.size() && text[at] != '"'; ++at) {
        if (text[at] == '\\')
            ++at;
    }
    return at + 1;
}

// Past the value that starts at `at`, in text already known to be valid JSON.
qsizetype valueEnd(const QByteArray &text, qsizetype at)
{
    const char first = text[at];
    if (first == '"')
        return stringEnd(text, at);
    if (first == '{' || first == '[') {
        int depth = 0;
        while (at < text.size()) {
            const char c = text[at];
            if (c == '"') {
                at = stringEnd(text, at);
                continue;
            }
            ++at;
            if (c == '{' || c == '[')
                ++depth;
            else if ((c == '}' || c == ']') && --depth == 0)
                break;
        }
        return at;
    }
    while (at < text.size() && !isSpace(text[at]) && text[at] != ',' && text[at] != '}')
        ++at;
    return at;
}

} // namespace

std::optional<JsonObjectText> JsonObjectText::parse(const QByteArray &raw, QString *error)
{
    const QByteArray text = escapeByteOrderMarks(raw);
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(text, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        if (error) {
            *error = parseError.error != QJsonParseError::NoError
                ? parseError.errorString() + QStringLiteral(" at offset %1").arg(parseError.offset)
                : QStringLiteral("not a JSON object");
        }
        return std::nullopt;
    }

    // Qt has checked the text, so this walk only has to find the members.
    JsonObjectText object;
    qsizetype at = text.startsWith(byteOrderMark) ? byteOrderMark.size() : 0;
    auto skipSpace = [&] {
        while (at < text.size() && isSpace(text[at]))
            ++at;
    };
    skipSpace();
    ++at; // the opening brace
    for (;;) {
        skipSpace();
        if (at >= text.size() || text[at] != '"')
            break;
        const qsizetype keyEnd = stringEnd(text, at);
        const QString key = json(text.sliced(at, keyEnd - at)).toString();
        at = keyEnd;
        skipSpace();
        ++at; // the colon
        skipSpace();
        const qsizetype end = valueEnd(text, at);
        object.m_members.append(Member { key, text.sliced(at, end - at) });
        at = end;
        skipSpace();
        ++at; // the comma or the closing brace
    }
    return object;
}

QVariant JsonObjectText::number(QByteArrayView valueText)
{
    if (valueText.isEmpty() || !(valueText[0] == '-' || (valueText[0] >= '0' && valueText[0] <= '9')))
        return {};
    const bool fractional = valueText.contains('.') || valueText.contains('e') || valueText.contains('E');
    if (!fractional) {
        qint64 integer = 0;
        const char *end = valueText.data() + valueText.size();
        const auto [stop, ec] = std::from_chars(valueText.data(), end, integer);
        if (ec == std::errc() && stop == end)
            return QVariant(integer);
    }
    bool ok = false;
    const double d = valueText.toByteArray().toDouble(&ok);
    return ok ? QVariant(d) : QVariant();
}

QJsonValue JsonObjectText::json(const QByteArray &valueText)
{
    return QJsonDocument::fromJson('[' + valueText + ']').array().at(0);
}

QByteArray JsonObjectText::text(const QJsonValue &value)
{
    const QByteArray wrapped = QJsonDocument(QJsonArray { value }).toJson(QJsonDocument::Compact);
    // Qt writes valid UTF-8, in which these three bytes only ever spell U+FEFF.
    return wrapped.mid(1, wrapped.size() - 2).replace(byteOrderMark, escapedByteOrderMark);
}

QByteArray JsonObjectText::doubleText(double value)
{
    if (value == 0)
        return std::signbit(value) ? "-0.0" : "0.0";
    QByteArray text = QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
    if (!text.contains('.') && !text.contains('e') && !text.contains('E'))
        text += ".0";
    return text;
}

} // namespace Velmora::Linux
