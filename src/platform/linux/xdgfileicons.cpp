#include "platform/linux/xdgfileicons.h"

#include "platform/linux/desktopentrykeys.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QIconEngine>
#include <QMimeDatabase>
#include <QPainter>
#include <QStandardPaths>

namespace Velmora::Linux {

namespace {

// Resolves theme names (or icon files) on first use. QIcon::fromTheme touches
// the shared theme loader, which is not safe off the main thread; painting is.
class ThemeIconEngine final : public QIconEngine
{
public:
    explicit ThemeIconEngine(QStringList names)
        : m_names(std::move(names))
    {
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        resolved().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return resolved().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine *clone() const override { return new ThemeIconEngine(m_names); }
    QString key() const override { return QStringLiteral("velmora-theme"); }
    QString iconName() override { return m_names.value(0); }
    bool isNull() override { return false; }

private:
    const QIcon &resolved()
    {
        if (!m_didResolve) {
            m_didResolve = true;
            for (const QString &name : std::as_const(m_names)) {
                // A desktop entry may name its icon by the file's path.
                if (QFileInfo(name).isAbsolute()) {
                    if (QFileInfo::exists(name)) {
                        m_icon = QIcon(name);
                        break;
                    }
                    continue;
                }
                if (QIcon::hasThemeIcon(name)) {
                    m_icon = QIcon::fromTheme(name);
                    break;
                }
            }
        }
        return m_icon;
    }

    QStringList m_names;
    bool m_didResolve = false;
    QIcon m_icon;
};

QIcon themeIcon(QStringList names)
{
    return QIcon(new ThemeIconEngine(std::move(names)));
}

} // namespace

XdgFileIcons::XdgFileIcons(QString ownBundlePath)
    : m_ownBundlePath(ownBundlePath.isEmpty() ? QCoreApplication::applicationFilePath() : std::move(ownBundlePath))
{
}

QIcon XdgFileIcons::iconForFile(const QString &path)
{
    static const QMimeDatabase mimeTypes; // documented as thread-safe
    const QFileInfo info(path);
    if (info.isDir())
        return themeIcon({ QStringLiteral("folder"), QStringLiteral("inode-directory") });
    // An application's desktop entry stands for the application, as a bundle
    // does: its icon is the one the entry names, not that of an entry file.
    if (info.suffix() == QLatin1String("desktop")) {
        if (const auto keys = readDesktopEntryKeys(path)) {
            const QString icon = keys->value(QStringLiteral("Icon"));
            if (!icon.isEmpty())
                return themeIcon({ icon, QStringLiteral("application-x-executable") });
        }
    }
    const QMimeType type = mimeTypes.mimeTypeForFile(info);
    return themeIcon({ type.iconName(), type.genericIconName(), QStringLiteral("text-x-generic") });
}

std::optional<QString> XdgFileIcons::applicationPath(const QString &bundleIdentifier)
{
    // The identifier becomes part of a file name; never let it name a folder.
    if (bundleIdentifier.isEmpty() || bundleIdentifier.contains(QLatin1Char('/')))
        return std::nullopt;
    const QString path
        = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, bundleIdentifier + QStringLiteral(".desktop"));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QIcon> XdgFileIcons::symbolImage(const QString &name)
{
    static const QHash<QString, QStringList> themeNames {
        { QStringLiteral("app"), { QStringLiteral("application-x-executable") } },
        { QStringLiteral("waveform.path.ecg.rectangle.fill"),
            { QStringLiteral("utilities-system-monitor"), QStringLiteral("application-x-executable") } },
        { QStringLiteral("folder"), { QStringLiteral("folder") } },
    };
    const auto it = themeNames.constFind(name);
    if (it == themeNames.cend())
        return std::nullopt;
    return themeIcon(*it);
}

QString XdgFileIcons::ownBundlePath() const
{
    return m_ownBundlePath;
}

} // namespace Velmora::Linux
