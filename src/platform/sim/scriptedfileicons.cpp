#include "platform/sim/scriptedfileicons.h"

#include <QIconEngine>
#include <QPainter>

namespace Velmora::Sim {

namespace {

class NamedIconEngine final : public QIconEngine
{
public:
    explicit NamedIconEngine(QString name)
        : m_name(std::move(name))
    {
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        painter->fillRect(rect, QColor::fromHsv(int(qHash(m_name) % 360), 120, 200));
    }
    QIconEngine *clone() const override { return new NamedIconEngine(m_name); }
    QString key() const override { return QStringLiteral("velmora-sim-named"); }
    QString iconName() override { return m_name; }
    bool isNull() override { return false; }

private:
    QString m_name;
};

} // namespace

ScriptedFileIcons::ScriptedFileIcons()
    : m_symbols { QStringLiteral("app") }
    , m_ownBundlePath(QStringLiteral("/Applications/Velmora.app"))
{
}

QIcon ScriptedFileIcons::namedIcon(const QString &name)
{
    return QIcon(new NamedIconEngine(name));
}

void ScriptedFileIcons::log(const QString &request)
{
    QMutexLocker lock(&m_mutex);
    m_requests.append(request);
}

QIcon ScriptedFileIcons::iconForFile(const QString &path)
{
    log(QStringLiteral("iconForFile ") + path);
    return namedIcon(QStringLiteral("file:") + path);
}

std::optional<QString> ScriptedFileIcons::applicationPath(const QString &bundleIdentifier)
{
    log(QStringLiteral("applicationPath ") + bundleIdentifier);
    QMutexLocker lock(&m_mutex);
    const auto it = m_applications.constFind(bundleIdentifier);
    if (it == m_applications.cend())
        return std::nullopt;
    return *it;
}

std::optional<QIcon> ScriptedFileIcons::symbolImage(const QString &name)
{
    log(QStringLiteral("symbolImage ") + name);
    QMutexLocker lock(&m_mutex);
    if (!m_symbols.contains(name))
        return std::nullopt;
    return namedIcon(QStringLiteral("symbol:") + name);
}

QString ScriptedFileIcons::ownBundlePath() const
{
    QMutexLocker lock(&m_mutex);
    return m_ownBundlePath;
}

void ScriptedFileIcons::setApplicationPath(const QString &bundleIdentifier, const QString &path)
{
    QMutexLocker lock(&m_mutex);
    m_applications.insert(bundleIdentifier, path);
}

void ScriptedFileIcons::setKnownSymbols(const QStringList &names)
{
    QMutexLocker lock(&m_mutex);
    m_symbols = QSet<QString>(names.cbegin(), names.cend());
}

void ScriptedFileIcons::setOwnBundlePath(const QString &path)
{
    QMutexLocker lock(&m_mutex);
    m_ownBundlePath = path;
}

QStringList ScriptedFileIcons::requests() const
{
    QMutexLocker lock(&m_mutex);
    return m_requests;
}

void ScriptedFileIcons::clearRequests()
{
    QMutexLocker lock(&m_mutex);
    m_requests.clear();
}

} // namespace Velmora::Sim
