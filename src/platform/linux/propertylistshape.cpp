#include "platform/linux/propertylistshape.h"

#include <QHash>
#include <QList>
#include <QSet>

#include <algorithm>
#include <vector>

namespace Velmora::Linux {

namespace {

bool startsWithAt(QByteArrayView data, qsizetype at, QByteArrayView prefix)
{
    return data.size() - at >= prefix.size() && data.sliced(at, prefix.size()) == prefix;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Where the markup starting at `at` ends: the index of `terminator`, or -1.
// Quoted text is skipped the way a parser skips attribute values. Parsers
// differ on which quotes they honour, so quoted text holding '<' or '>' is
// refused, and so is '<' anywhere else in the markup: then every reader of
// the file agrees on where each tag ends, and none of them can see a tag that
// this scan did not count.
qsizetype markupEnd(QByteArrayView data, qsizetype at, QByteArrayView terminator)
{
    while (at < data.size()) {
        const char c = data[at];
        if (c == '"' || c == '\'') {
            const qsizetype close = data.indexOf(c, at + 1);
            if (close < 0)
                return -1;
            const QByteArrayView quoted = data.sliced(at + 1, close - at - 1);
            if (quoted.contains('<') || quoted.contains('>'))
                return -1;
            at = close + 1;
            continue;
        }
        if (c == '<')
            return -1;
        if (startsWithAt(data, at, terminator))
            return at;
        ++at;
    }
    return -1;
}

QByteArrayView tagName(QByteArrayView body)
{
    qsizetype end = 0;
    while (end < body.size() && !isSpace(body[end]) && body[end] != '/')
        ++end;
    return body.first(end);
}

// A big-endian unsigned number of 1 to 8 bytes.
quint64 bigEndian(const char *bytes, int size)
{
    quint64 value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | uchar(bytes[i]);
    return value;
}

QString tooDeep(int depthLimit)
{
    return QStringLiteral("it nests deeper than %1 levels").arg(depthLimit);
}

QString tooLarge(qint64 valueLimit)
{
    return QStringLiteral("it holds more than %1 values").arg(valueLimit);
}

} // namespace

PropertyListShape PropertyListShape::refused(QString problem)
{
    PropertyListShape shape;
    shape.m_problem = std::move(problem);
    return shape;
}

PropertyListShape PropertyListShape::measure(QByteArrayView data, int depthLimit, qint64 valueLimit)
{
    // The same test the library makes to tell the two formats apart.
    if (data.startsWith("bplist00"))
        return measureBinary(data, depthLimit, valueLimit);
    return measureXml(data, depthLimit, valueLimit);
}

// Every element counts, not only arrays and dictionaries, so the measure is
// at least what the library builds from the same text. A tag that the library
// would read differently from this scan is refused rather than guessed at.
PropertyListShape PropertyListShape::measureXml(QByteArrayView data, int depthLimit, qint64 valueLimit)
{
    QList<QByteArrayView> open;
    qint64 elements = 0;
    int deepest = 0;
    for (qsizetype at = data.indexOf('<'); at >= 0; at = data.indexOf('<', at)) {
        if (startsWithAt(data, at, "<!--")) {
            const qsizetype end = data.indexOf("-->", at + 4);
            if (end < 0)
                return refused(QStringLiteral("a comment is not closed"));
            at = end + 3;
        } else if (startsWithAt(data, at, "<![CDATA[")) {
            const qsizetype end = data.indexOf("]]>", at + 9);
            if (end < 0)
                return refused(QStringLiteral("a CDATA section is not closed"));
            at = end + 3;
        } else if (startsWithAt(data, at, "<?")) {
            const qsizetype end = markupEnd(data, at + 2, "?>");
            if (end < 0)
                return refused(QStringLiteral("a processing instruction is malformed"));
            at = end + 2;
        } else if (startsWithAt(data, at, "<!")) {
            // A document type declaration; one with an internal subset holds
            // markup of its own, which no info list needs.
            const qsizetype end = markupEnd(data, at + 2, ">");
            if (end < 0 || data.sliced(at, end - at).contains('['))
                return refused(QStringLiteral("a declaration is malformed"));
            at = end + 1;
        } else {
            const bool closing = startsWithAt(data, at, "</");
            const qsizetype bodyStart = at + (closing ? 2 : 1);
            const qsizetype end = markupEnd(data, bodyStart, ">");
            if (end < 0)
                return refused(QStringLiteral("a tag is malformed"));
            const QByteArrayView body = data.sliced(bodyStart, end - bodyStart);
            const QByteArrayView name = tagName(body);
            if (closing) {
                if (open.isEmpty() || open.last() != name)
                    return refused(QStringLiteral("its tags are not nested properly"));
                open.removeLast();
            } else {
                if (++elements > valueLimit)
                    return refused(tooLarge(valueLimit));
                const bool empty = body.endsWith('/');
                if (!empty)
                    open.append(name);
                deepest = std::max(deepest, int(open.size()) + (empty ? 1 : 0));
                if (deepest > depthLimit)
                    return refused(tooDeep(depthLimit));
            }
            at = end + 1;
        }
    }
    PropertyListShape shape;
    shape.m_depth = deepest;
    shape.m_values = elements;
    return shape;
}

// Follows the object references from the root object as the library does,
// with each object measured once. Anything the library would refuse to parse
// (a reference to a missing object, an object outside the object area, a
// cycle) is refused here, so the outcome is the same, only sooner.
PropertyListShape PropertyListShape::measureBinary(QByteArrayView data, int depthLimit, qint64 valueLimit)
{
    constexpr quint64 headerSize = 8;
    constexpr qsizetype trailerSize = 32;
    if (data.size() < qsizetype(headerSize) + trailerSize)
        return refused(QStringLiteral("it is too short for a binary property list"));
    const char *bytes = data.data();
    const char *trailer = bytes + data.size() - trailerSize;
    const int offsetSize = uchar(trailer[6]);
    const int referenceSize = uchar(trailer[7]);
    const quint64 objectCount = bigEndian(trailer + 8, 8);
    const quint64 rootObject = bigEndian(trailer + 16, 8);
    const quint64 tableStart = bigEndian(trailer + 24, 8);
    const quint64 tableEnd = quint64(data.size() - trailerSize);
    if (offsetSize < 1 || offsetSize > 8 || referenceSize < 1 || referenceSize > 8 || objectCount == 0
        || rootObject >= objectCount || tableStart < headerSize || tableStart >= tableEnd
        || objectCount > (tableEnd - tableStart) / quint64(offsetSize))
        return refused(QStringLiteral("its trailer is malformed"));

    // The references an object holds: none for a plain value, the items of an
    // array or set, the keys and then the values of a dictionary.
    struct References
    {
        quint64 start = 0;
        quint64 count = 0;
    };
    auto referencesOf = [&](quint64 object) -> std::optional<References> {
        quint64 at = bigEndian(bytes + tableStart + object * quint64(offsetSize), offsetSize);
        if (at < headerSize || at >= tableStart)
            return std::nullopt;
        const uchar marker = uchar(bytes[at++]);
        const int type = marker >> 4;
        if (type != 0xA && type != 0xC && type != 0xD)
            return References {};
        quint64 count = marker & 0x0F;
        if (count == 0x0F) { // the count follows as an integer object
            if (at >= tableStart)
                return std::nullopt;
            const uchar countMarker = uchar(bytes[at++]);
            const int width = 1 << (countMarker & 0x0F);
            if ((countMarker & 0xF0) != 0x10 || width > 8 || tableStart - at < quint64(width))
                return std::nullopt;
            count = bigEndian(bytes + at, width);
            at += quint64(width);
        }
        const quint64 perEntry = type == 0xD ? 2 : 1;
        if (count > (tableStart - at) / quint64(referenceSize) / perEntry)
            return std::nullopt;
        return References { at, count * perEntry };
    };

    struct Measured
    {
        int depth = 1;
        qint64 values = 1;
    };
    struct Frame
    {
        quint64 object;
        References references;
        quint64 next = 0;
        Measured measured;
    };
    const QString malformed = QStringLiteral("it refers to objects that are missing or malformed");
    QHash<quint64, Measured> done;
    QSet<quint64> onPath;
    std::vector<Frame> path;
    // Every reference followed adds at least one value to the tree, so this
    // bounds the work however the objects share one another.
    qint64 followed = 0;

    const std::optional<References> rootReferences = referencesOf(rootObject);
    if (!rootReferences)
        return refused(malformed);
    path.push_back(Frame { rootObject, *rootReferences, 0, {} });
    onPath.insert(rootObject);
    for (;;) {
        Frame &frame = path.back();
        if (frame.next < frame.references.count) {
            const quint64 child
                = bigEndian(bytes + frame.references.start + frame.next * quint64(referenceSize), referenceSize);
            ++frame.next;
            if (++followed > valueLimit)
                return refused(tooLarge(valueLimit));
            if (child >= objectCount)
                return refused(malformed);
            if (onPath.contains(child))
                return refused(QStringLiteral("an object contains itself"));
            if (const auto found = done.constFind(child); found != done.cend()) {
                frame.measured.depth = std::max(frame.measured.depth, found->depth + 1);
                frame.measured.values += found->values;
                if (frame.measured.values > valueLimit)
                    return refused(tooLarge(valueLimit));
                continue;
            }
            const std::optional<References> references = referencesOf(child);
            if (!references)
                return refused(malformed);
            if (qsizetype(path.size()) >= depthLimit)
                return refused(tooDeep(depthLimit));
            onPath.insert(child);
            path.push_back(Frame { child, *references, 0, {} }); // `frame` is not used past this
            continue;
        }
        const quint64 object = frame.object;
        const Measured measured = frame.measured;
        path.pop_back();
        onPath.remove(object);
        done.insert(object, measured);
        if (path.empty()) {
            PropertyListShape shape;
            shape.m_depth = measured.depth;
            shape.m_values = measured.values;
            return shape;
        }
        Measured &parent = path.back().measured;
        parent.depth = std::max(parent.depth, measured.depth + 1);
        parent.values += measured.values;
        if (parent.values > valueLimit)
            return refused(tooLarge(valueLimit));
    }
}

} // namespace Velmora::Linux
