#pragma once

#include "platform/fileicons.h"

#include <QHash>
#include <QMutex>
#include <QSet>
#include <QStringList>

namespace Velmora::Sim {

// A workspace whose applications and symbols a test or scenario sets up.
// Every icon it hands out is named after what was asked for ("file:<path>",
// "symbol:<name>", readable through QIcon::name()), and every request is
// logged so a test can tell that an icon was fetched only once.
class ScriptedFileIcons final : public FileIcons
{
public:
    ScriptedFileIcons();

    QIcon iconForFile(const QString &path) override;
    std::optional<QString> applicationPath(const QString &bundleIdentifier) override;
    std::optional<QIcon> symbolImage(const QString &name) override;
    QString ownBundlePath() const override;

    void setApplicationPath(const QString &bundleIdentifier, const QString &path);
    // Known symbols; "app" is known from the start.
    void setKnownSymbols(const QStringList &names);
    void setOwnBundlePath(const QString &path);

    // "iconForFile <path>", "applicationPath <id>", "symbolImage <name>", in order.
    QStringList requests() const;
    void clearRequests();

    // An icon that paints a flat colour derived from `name` and reports `name`.
    static QIcon namedIcon(const QString &name);

private:
    void log(const QString &request);

    mutable QMutex m_mutex;
    QHash<QString, QString> m_applications;
    QSet<QString> m_symbols;
    QString m_ownBundlePath;
    QStringList m_requests;
};

} // namespace Velmora::Sim
