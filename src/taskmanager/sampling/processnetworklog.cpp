#include "taskmanager/sampling/processnetworklog.h"

#include <QLoggingCategory>

#include <charconv>
#include <cmath>
#include <limits>

namespace Velmora {

namespace {

Q_LOGGING_CATEGORY(lcNetwork, "velmora.network")

// Byte counts are doubles read from the tool's text; counts near the top of
// the range would add up to infinity, and an infinite rate to nonsense.
double saturatingSum(double a, double b)
{
    return std::min(a + b, std::numeric_limits<double>::max());
}

std::optional<qint32> parsePid(QStringView text)
{
    const QByteArray latin = text.toLatin1();
    qint32 pid = 0;
    const auto [end, ec] = std::from_chars(latin.constData(), latin.constData() + latin.size(), pid);
    if (latin.isEmpty() || ec != std::errc() || end != latin.constData() + latin.size())
        return std::nullopt;
    return pid;
}

std::optional<double> parseBytes(QStringView text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0)
        return std::nullopt;
    return value;
}

// A name with a line break or other control character in it could be
// spelling out rows of its own; such a row is not to be trusted.
bool hasControlCharacters(QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.category() == QChar::Other_Control)
            return true;
    }
    return false;
}

} // namespace

void ProcessNetworkLog::beginRun()
{
    QMutexLocker lock(&m_lock);
    dropUncommitted();
}

void ProcessNetworkLog::clear()
{
    QMutexLocker lock(&m_lock);
    dropUncommitted();
    m_blocks.clear();
    m_names.clear();
}

void ProcessNetworkLog::dropUncommitted()
{
    m_buffer.clear();
    m_droppingLine = false;
    m_pending.clear();
    m_pendingNames.clear();
    m_blockCount = 0;
    m_commitDue.reset();
}

void ProcessNetworkLog::consume(const QByteArray &data, double now)
{
    QMutexLocker lock(&m_lock);
    // What is kept from earlier chunks holds no line end: search only what arrived.
    const qsizetype searchFrom = m_buffer.size();
    m_buffer.append(data);
    qsizetype start = 0;
    for (qsizetype newline = m_buffer.indexOf('\n', searchFrom); newline >= 0;
         newline = m_buffer.indexOf('\n', start)) {
        if (m_droppingLine || newline - start > maxLineBytes) {
            if (!m_droppingLine)
                logDroppedLine();
            m_droppingLine = false;
        } else {
            // Trimming also takes the carriage return of a CRLF line end.
            parse(QString::fromUtf8(m_buffer.constData() + start, newline - start).trimmed(), now);
        }
        start = newline + 1;
    }
    m_buffer.remove(0, start);
    // A line without an end is not kept past the bound: the rest of it is
    // dropped as it arrives, and the next line is read as usual.
    if (m_buffer.size() > maxLineBytes) {
        if (!m_droppingLine)
            logDroppedLine();
        m_droppingLine = true;
        m_buffer.clear();
    }
    m_commitDue = now + quietPeriod;
}

void ProcessNetworkLog::logDroppedLine()
{
    qCWarning(lcNetwork) << "Dropped a line of more than" << maxLineBytes << "bytes from the network tool";
}

void ProcessNetworkLog::parse(const QString &line, double now)
{
    if (line.startsWith(QLatin1Char(','))) {
        publish();
        ++m_blockCount;
        m_pendingEnd = now;
        return;
    }
    const QStringList fields = line.split(QLatin1Char(','));
    const qsizetype n = fields.size();
    if (n < 4)
        return;
    const auto received = parseBytes(fields[n - 3]);
    const auto sent = parseBytes(fields[n - 2]);
    if (!received || !sent)
        return;
    // The name may contain commas and dots: the pid follows the last dot of
    // everything before the two counters.
    const QString identifier = fields.mid(0, n - 3).join(QLatin1Char(','));
    const qsizetype dot = identifier.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return;
    const auto pid = parsePid(QStringView(identifier).mid(dot + 1));
    const QString name = identifier.left(dot);
    if (!pid || hasControlCharacters(name))
        return;
    double &pending = m_pending[*pid];
    pending = saturatingSum(saturatingSum(pending, *received), *sent);
    m_pendingNames[*pid] = name;
}

void ProcessNetworkLog::publish()
{
    // Everything before the second header of a run belongs to a block that
    // started before the tool did.
    if (m_blockCount > 1 && !m_pending.isEmpty()) {
        if (m_blocks.size() >= maxBlocks)
            m_blocks.remove(0, m_blocks.size() - maxBlocks + 1);
        m_blocks.append(Block { m_pendingEnd, m_pending });
        for (auto it = m_pendingNames.cbegin(); it != m_pendingNames.cend(); ++it)
            m_names.insert(it.key(), it.value());
        if (m_names.size() > maxNames)
            m_names = m_pendingNames;
    }
    m_pending.clear();
    m_pendingNames.clear();
}

void ProcessNetworkLog::commitIfQuiet(double now)
{
    if (m_commitDue && now >= *m_commitDue) {
        m_commitDue.reset();
        publish();
    }
}

QHash<qint32, double> ProcessNetworkLog::rates(double from, double to, double now)
{
    QHash<qint32, double> result;
    if (!(from < to))
        return result;
    QMutexLocker lock(&m_lock);
    commitIfQuiet(now);
    // A block holds the second before its end; a window that covers part of
    // it gets that part of its bytes.
    for (const Block &block : std::as_const(m_blocks)) {
        const double overlap = std::min(block.end, to) - std::max(block.end - 1, from);
        if (!(overlap > 0))
            continue;
        // At most one: the part of the window that the block covers.
        const double share = std::min(overlap / (to - from), 1.0);
        for (auto it = block.bytes.cbegin(); it != block.bytes.cend(); ++it) {
            if (it.value() > 0) {
                double &rate = result[it.key()];
                rate = saturatingSum(rate, share * it.value());
            }
        }
    }
    return result;
}

std::optional<QString> ProcessNetworkLog::name(qint32 pid, double now)
{
    QMutexLocker lock(&m_lock);
    commitIfQuiet(now);
    const auto found = m_names.constFind(pid);
    if (found == m_names.cend())
        return std::nullopt;
    return *found;
}

int ProcessNetworkLog::headerCount() const
{
    QMutexLocker lock(&m_lock);
    return m_blockCount;
}

} // namespace Velmora
