#include "platform/linux/jsonfileuserdefaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QLocale>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>

namespace Velmora::Linux {

namespace {

const QString settingsFolder = QStringLiteral("velmora");
const QString settingsFileName = QStringLiteral("settings.json");
const QString setAsideSuffix = QStringLiteral(".unreadable");

// Qt's parser keeps a whole number as an integer even when the file wrote it
// as 1.0, so the written form decides: this finds the top-level members whose
// number has a fraction or an exponent. The text is already known to be a
// valid JSON object, so the scan only has to skip strings and nested values.
QSet<QString> keysOfFractionalNumbers(const QByteArray &text)
{
    QSet<QString> keys;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipSpace = [&] {
        while (i < n && (text[i] == ' ' || text[i] == '\n' || text[i] == '\r' || text[i] == '\t'))
            ++i;
    };
    auto skipString = [&] { // at the opening quote; returns past the closing one
        for (++i; i < n && text[i] != '"'; ++i) {
            if (text[i] == '\\')
                ++i;
        }
        ++i;
    };
    if (text.startsWith("\xEF\xBB\xBF"))
        i = 3; // a byte-order mark, which the parser accepts too
    skipSpace();
    ++i; // the opening brace
    while (i < n) {
        skipSpace();
        if (i >= n || text[i] != '"')
            break;
        const qsizetype keyStart = i;
        skipString();
        const QByteArray rawKey = text.mid(keyStart, i - keyStart);
        const QString key = QJsonDocument::fromJson("[" + rawKey + "]").array().at(0).toString();
        skipSpace();
        ++i; // the colon
        skipSpace();
        if (i >= n)
            break;
        const char first = text[i];
        if (first == '-' || (first >= '0' && first <= '9')) {
            bool fractional = false;
            for (; i < n && QByteArrayView("+-.eE0123456789").contains(text[i]); ++i)
                fractional = fractional || text[i] == '.' || text[i] == 'e' || text[i] == 'E';
            if (fractional)
                keys.insert(key);
        } else if (first == '"') {
            skipString();
        } else if (first == '{' || first == '[') {
            int depth = 0;
            while (i < n) {
                const char c = text[i];
                if (c == '"') {
                    skipString();
                    continue;
                }
                ++i;
                if (c == '{' || c == '[')
                    ++depth;
                else if ((c == '}' || c == ']') && --depth == 0)
                    break;
            }
        } else {
            while (i < n && text[i] >= 'a' && text[i] <= 'z')
                ++i;
        }
        skipSpace();
        ++i; // the comma or the closing brace
    }
    return keys;
}

// A member as the product reads it: a supported type where the JSON says so
// unambiguously, otherwise the JSON value itself, which no typed reader accepts.
QVariant fromJson(const QJsonValue &json, bool writtenAsFraction)
{
    switch (json.type()) {
    case QJsonValue::Bool:
    case QJsonValue::String:
        return json.toVariant();
    case QJsonValue::Double:
        if (writtenAsFraction)
            return json.toDouble();
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

// One JSON value as compact text, escaped by Qt's own writer.
QByteArray jsonText(const QJsonValue &json)
{
    const QByteArray wrapped = QJsonDocument(QJsonArray { json }).toJson(QJsonDocument::Compact);
    return wrapped.mid(1, wrapped.size() - 2);
}

QByteArray doubleText(double d)
{
    QByteArray text = QByteArray::number(d, 'g', QLocale::FloatingPointShortest);
    if (!text.contains('.') && !text.contains('e') && !text.contains('E'))
        text += ".0";
    return text;
}

QByteArray valueText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? "true" : "false";
    case QMetaType::LongLong:
        return QByteArray::number(value.toLongLong());
    case QMetaType::Double:
        return doubleText(value.toDouble());
    case QMetaType::QString:
        return jsonText(value.toString());
    case QMetaType::QStringList:
        return jsonText(QJsonArray::fromStringList(value.toStringList()));
    default:
        return jsonText(value.value<QJsonValue>());
    }
}

QByteArray documentText(const QMap<QString, QVariant> &values)
{
    QByteArray text = "{";
    bool first = true;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        text += first ? "\n    " : ",\n    ";
        first = false;
        text += jsonText(it.key()) + ": " + valueText(it.value());
    }
    text += first ? "}\n" : "\n}\n";
    return text;
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
    const QJsonDocument document = QJsonDocument::fromJson(text);
    if (!document.isObject()) {
        m_fileUnreadable = true;
        return;
    }
    const QSet<QString> fractional = keysOfFractionalNumbers(text);
    const QJsonObject object = document.object();
    for (auto it = object.begin(); it != object.end(); ++it)
        m_values.insert(it.key(), fromJson(it.value(), fractional.contains(it.key())));
}

QVariant JsonFileUserDefaults::value(const QString &key) const
{
    return m_values.value(key);
}

bool JsonFileUserDefaults::setValue(const QString &key, const QVariant &value)
{
    const std::optional<QVariant> stored = storedForm(value);
    if (!stored)
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

bool JsonFileUserDefaults::save(const QMap<QString, QVariant> &values)
{
    if (m_fileUnreadable && !setUnreadableFileAside())
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
    return true;
}

bool JsonFileUserDefaults::setUnreadableFileAside()
{
    if (!QFile::exists(m_filePath)) {
        m_fileUnreadable = false;
        return true;
    }
    // QFile::rename never replaces an existing file, so an earlier
    // set-aside copy is never lost; look for the first free name.
    for (int attempt = 1; attempt < 1000; ++attempt) {
        const QString candidate
            = m_filePath + setAsideSuffix + (attempt == 1 ? QString() : QLatin1Char('.') + QString::number(attempt));
        if (QFile::exists(candidate))
            continue;
        if (!QFile::rename(m_filePath, candidate))
            return false;
        m_setAsidePath = candidate;
        m_fileUnreadable = false;
        return true;
    }
    return false;
}

} // namespace Velmora::Linux
