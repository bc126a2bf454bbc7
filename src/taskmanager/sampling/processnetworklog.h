#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QString>

#include <optional>

namespace Velmora {

// The per-process network tool's output turned into one-second blocks of
// bytes per process. The tool writes a header line (starting with ",") once a
// second, then one line per process: "name.pid,bytes in,bytes out,".
//
// Safe to use from several threads; times are system uptime in seconds.
class ProcessNetworkLog
{
public:
    // A block is committed once the tool has been quiet this long, so a
    // reader need not wait for the next header.
    static constexpr double quietPeriod = 0.15;
    static constexpr int maxBlocks = 5;
    static constexpr int maxNames = 4096;
    // The tool's lines are a name and two numbers; a longer line is dropped
    // (and logged) rather than kept growing until a line end arrives.
    static constexpr qsizetype maxLineBytes = 64 * 1024;

    // A new run of the tool: its first block is incomplete and is dropped,
    // as is anything left of the previous run that was not yet committed.
    void beginRun();
    // Forgets everything, committed or not.
    void clear();

    void consume(const QByteArray &data, double now);

    // Bytes per second of each process over [from, to].
    QHash<qint32, double> rates(double from, double to, double now);
    // The last name the tool gave the process.
    std::optional<QString> name(qint32 pid, double now);
    // Header lines seen since beginRun().
    int headerCount() const;

private:
    struct Block
    {
        double end = 0;
        QHash<qint32, double> bytes;
    };

    void parse(const QString &line, double now);
    void logDroppedLine();
    void publish();
    void commitIfQuiet(double now);
    void dropUncommitted();

    mutable QMutex m_lock;
    QByteArray m_buffer;
    bool m_droppingLine = false; // the rest of an over-long line is still to come
    QHash<qint32, double> m_pending;
    QHash<qint32, QString> m_pendingNames;
    double m_pendingEnd = 0;
    int m_blockCount = 0;
    std::optional<double> m_commitDue;
    QList<Block> m_blocks;
    QHash<qint32, QString> m_names;
};

} // namespace Velmora
