#include "platform/linux/xdgautostartentry.h"

#include "platform/linux/desktopentrykeys.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <algorithm>

namespace Velmora::Linux {

namespace {

// Characters that need no quoting anywhere: neither a desktop nor a shell
// reading the line gives them a meaning of their own.
bool isPlain(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
        || QStringView(u"/._+,:@%=-").contains(c);
}

QString quotedArgument(const QString &argument)
{
    QString result;
    const bool plain = !argument.isEmpty() && std::all_of(argument.begin(), argument.end(), isPlain);
    if (!plain)
        result += u'"';
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            result += u'\\';
        // A lone percent sign would start a field code.
        if (c == u'%')
            result += u'%';
        result += c;
    }
    if (!plain)
        result += u'"';
    return result;
}

// The escapes of a desktop entry's string values, applied over the quoting.
QString escapedString(const QString &value)
{
    QString result;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'\\': result += QStringLiteral("\\\\"); break;
        case u'\n': result += QStringLiteral("\\n"); break;
        case u'\t': result += QStringLiteral("\\t"); break;
        case u'\r': result += QStringLiteral("\\r"); break;
        default: result += c;
        }
    }
    return result;
}

struct EntryKeys
{
    bool readable = false;
    QString exec;
    bool hidden = false;
    bool disabled = false;
};

EntryKeys readEntry(const QString &path)
{
    EntryKeys keys;
    const auto values = readDesktopEntryKeys(path);
    if (!values)
        return keys;
    keys.readable = true;
    keys.exec = values->value(QStringLiteral("Exec"));
    keys.hidden = values->value(QStringLiteral("Hidden")) == u"true";
    keys.disabled = values->value(QStringLiteral("X-GNOME-Autostart-enabled")) == u"false";
    return keys;
}

} // namespace

XdgAutostartEntry::XdgAutostartEntry(QString folder, QString fileName, QString applicationName, QString executable)
    : m_folder(std::move(folder))
    , m_fileName(std::move(fileName))
    , m_applicationName(std::move(applicationName))
    , m_executable(std::move(executable))
{
}

QString XdgAutostartEntry::entryPath() const
{
    return QDir(m_folder).filePath(m_fileName);
}

QString XdgAutostartEntry::entryText() const
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Exec=%2\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(escapedString(m_applicationName), execValue({m_executable}));
}

LoginItemService::Status XdgAutostartEntry::status() const
{
    const EntryKeys keys = readEntry(entryPath());
    if (!keys.readable || keys.hidden || keys.disabled || keys.exec != execValue({m_executable}))
        return Status::NotRegistered;
    return Status::Enabled;
}

std::optional<QString> XdgAutostartEntry::registerItem()
{
    if (!QDir().mkpath(m_folder))
        return QStringLiteral("The folder \u201c%1\u201d could not be created.").arg(m_folder);
    // Written whole or not at all: a desktop never reads half an entry.
    QSaveFile file(entryPath());
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("\u201c%1\u201d could not be written: %2").arg(entryPath(), file.errorString());
    const QByteArray text = entryText().toUtf8();
    if (file.write(text) != text.size() || !file.commit())
        return QStringLiteral("\u201c%1\u201d could not be written: %2").arg(entryPath(), file.errorString());
    return std::nullopt;
}

std::optional<QString> XdgAutostartEntry::unregisterItem()
{
    QFile file(entryPath());
    if (!file.exists() || file.remove())
        return std::nullopt;
    return QStringLiteral("\u201c%1\u201d could not be removed: %2").arg(entryPath(), file.errorString());
}

QString XdgAutostartEntry::autostartFolder(const QString &xdgConfigHome, const QString &home)
{
    const QString config = QDir::isAbsolutePath(xdgConfigHome) ? xdgConfigHome : QDir(home).filePath(QStringLiteral(".config"));
    return QDir::cleanPath(QDir(config).filePath(QStringLiteral("autostart")));
}

QString XdgAutostartEntry::autostartFolder()
{
    return autostartFolder(qEnvironmentVariable("XDG_CONFIG_HOME"), QDir::homePath());
}

QString XdgAutostartEntry::execValue(const QStringList &command)
{
    QStringList arguments;
    for (const QString &argument : command)
        arguments += quotedArgument(argument);
    return escapedString(arguments.join(u' '));
}

} // namespace Velmora::Linux
