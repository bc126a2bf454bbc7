#include "platform/linux/jsonfileuserdefaults.h"

#include "platform/linux/jsonobjecttext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonValue>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QStandardPaths>

namespace Velmora::Linux {

namespace {

Q_LOGGING_CATEGORY(lcSettings, "velmora.settings")

const QString settingsFolder = QStringLiteral("velmora");
const QString settingsFileName = QStringLiteral("settings.json");
const QString unreadableSuffix = QStringLiteral(".unreadable");
const QString repeatedKeysSuffix = QStringLiteral(".repeated-keys");

// A member as the product reads it: a supported type where the text says so
// unambiguously, otherwise the JSON value itself, which no typed reader
// accepts.
QVariant fromText(const QByteArray &text)
{
    if (const QVariant number = JsonObjectText::number(text); number.isValid())
        return number;
    const QJsonValue json = JsonObjectText::json(text);
    switch (json.type()) {
    case QJsonValue::Bool:
    case QJsonValue::String:
        return json.toVariant();
    case QJsonValue::Array: {
        QStringList texts;
        for (const QJsonValue &element : json.toArray()) {
            if (!element.isString())
                return QVariant::fromValue(json);
            texts.append(element.toString());
        }
        return texts;
    }
    default:
        return QVariant::fromValue(json);
    }
}

QByteArray valueText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? "true" : "false";
    case QMetaType::LongLong:
        return QByteArray::number(value.toLongLong());
    case QMetaType::Double:
        return JsonObjectText::doubleText(value.toDouble());
    case QMetaType::QString:
        return JsonObjectText::text(value.toString());
    case QMetaType::QStringList:
        return JsonObjectText::text(QJsonArray::fromStringList(value.toStringList()));
    default:
        return JsonObjectText::text(value.value<QJsonValue>());
    }
}

} // namespace

JsonFileUserDefaults::JsonFileUserDefaults(const QString &filePath)
    : m_filePath(filePath)
{
    load();
}

QString JsonFileUserDefaults::defaultFilePath()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(settingsFolder + QLatin1Char('/') + settingsFileName);
}

void JsonFileUserDefaults::load()
{
    QFile file(m_filePath);
    if (!file.exists())
        return;
    const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QString error = file.isOpen() ? QString() : file.errorString();
    const std::optional<JsonObjectText> object = error.isEmpty() ? JsonObjectText::parse(text, &error) : std::nullopt;
    if (!object) {
        qCWarning(lcSettings).noquote()
            << QStringLiteral("The settings file %1 cannot be read (%2). Every setting has its default, and the file "
                              "is moved aside before settings are next saved.")
                   .arg(m_filePath, error);
        m_setAsideSuffix = unreadableSuffix;
        return;
    }
    QStringList repeated;
    for (const JsonObjectText::Member &member : object->members()) {
        if (m_values.contains(member.key) && !repeated.contains(member.key))
            repeated.append(member.key);
        const QVariant value = fromText(member.value);
        m_values.insert(member.key, value);
        if (value.typeId() == qMetaTypeId<QJsonValue>())
            m_verbatim.insert(member.key, member.value);
        else
            m_verbatim.remove(member.key);
    }
    // The last one counts, as in every JSON reader; the next save writes each
    // key once, so the file as it is now is kept beside it.
    if (!repeated.isEmpty()) {
        qCWarning(lcSettings).noquote()
            << QStringLiteral("The settings file %1 names %2 more than once. The last of each counts, and the file "
                              "is copied aside before settings are next saved.")
                   .arg(m_filePath, QLatin1Char('"') + repeated.join(QLatin1String("\", \"")) + QLatin1Char('"'));
        m_setAsideSuffix = repeatedKeysSuffix;
    }
}

QVariant JsonFileUserDefaults::value(const QString &key) const
{
    return m_values.value(key);
}

bool JsonFileUserDefaults::setValue(const QString &key, const QVariant &value)
{
    // A lone surrogate has no UTF-8 form: the key could not be read back.
    const std::optional<QVariant> stored = storedForm(value);
    if (!stored || !QStringView(key).isValidUtf16())
        return false;
    QMap<QString, QVariant> values = m_values;
    values.insert(key, *stored);
    return save(values);
}

bool JsonFileUserDefaults::removeValue(const QString &key)
{
    if (!m_values.contains(key))
        return true;
    QMap<QString, QVariant> values = m_values;
    values.remove(key);
    return save(values);
}

QStringList JsonFileUserDefaults::keys() const
{
    return m_values.keys();
}

QByteArray JsonFileUserDefaults::documentText(const QMap<QString, QVariant> &values) const
{
    QByteArray text = "{";
    bool first = true;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        text += first ? "\n    " : ",\n    ";
        first = false;
        // A member of a kind the product does not write goes back as it was
        // written, so nothing in it changes, not even the form of a number.
        const auto verbatim = m_verbatim.constFind(it.key());
        const bool unchanged = verbatim != m_verbatim.cend() && it.value().typeId() == qMetaTypeId<QJsonValue>();
        text += JsonObjectText::text(it.key()) + ": " + (unchanged ? *verbatim : valueText(it.value()));
    }
    text += first ? "}\n" : "\n}\n";
    return text;
}

bool JsonFileUserDefaults::save(const QMap<QString, QVariant> &values)
{
    if (!m_setAsideSuffix.isEmpty() && !setFileAside())
        return false;
    if (!QDir().mkpath(QFileInfo(m_filePath).absolutePath()))
        return false;
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray text = documentText(values);
    if (file.write(text) != text.size() || !file.commit())
        return false;
    m_values = values;
    for (auto it = m_verbatim.begin(); it != m_verbatim.end();) {
        if (m_values.value(it.key()).typeId() == qMetaTypeId<QJsonValue>())
            ++it;
        else
            it = m_verbatim.erase(it);
    }
    return true;
}

bool JsonFileUserDefaults::setFileAside()
{
    if (!QFile::exists(m_filePath)) {
        m_setAsideSuffix.clear();
        return true;
    }
    // A file that is read as it is (only repeated keys) stays where it is
    // until the new one replaces it; a copy is kept. QFile::rename and
    // QFile::copy never replace an existing file, so an earlier set-aside
    // copy is never lost; look for the first free name.
    for (int attempt = 1; attempt < 1000; ++attempt) {
        const QString candidate = m_filePath + m_setAsideSuffix
            + (attempt == 1 ? QString() : QLatin1Char('.') + QString::number(attempt));
        if (QFile::exists(candidate))
            continue;
        const bool keptAside = m_setAsideSuffix == unreadableSuffix ? QFile::rename(m_filePath, candidate)
                                                                    : QFile::copy(m_filePath, candidate);
        if (!keptAside)
            return false;
        m_setAsidePath = candidate;
        m_setAsideSuffix.clear();
        return true;
    }
    return false;
}

} // namespace Velmora::Linux
