#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

namespace Velmora::Linux {

// A JSON object read the way its text is written, and values written so that
// they read back the same. Qt's parser alone loses some of what a file says:
// it drops U+FEFF from the start of a string (so "\uFEFFlabel" and "label"
// become one key), reads -0.0 and 1.0 as integers, and keeps one of two
// members with the same key without a word.
class JsonObjectText
{
public:
    struct Member
    {
        QString key;
        // The member's value as written, except that every U+FEFF in a
        // string is escaped: the text reads back as the same value.
        QByteArray value;
    };

    // Nothing when `text` is not one JSON object; `error` then says why.
    static std::optional<JsonObjectText> parse(const QByteArray &text, QString *error = nullptr);

    // The top-level members in the order written, repeated keys included.
    const QList<Member> &members() const { return m_members; }

    // A number as its text writes it: a double when written with a fraction
    // or an exponent (-0.0 included), otherwise a qint64 when it fits and a
    // double when it does not. Invalid for a value that is not a number.
    static QVariant number(QByteArrayView valueText);
    // Any value as Qt's JSON type, which keeps no difference between 1.0 and 1.
    static QJsonValue json(const QByteArray &valueText);

    // One value as compact JSON text that reads back as the same value.
    static QByteArray text(const QJsonValue &value);
    // A double with a fraction or an exponent, so that it reads back as a
    // double, and with its sign, so that -0.0 stays negative.
    static QByteArray doubleText(double value);

private:
    QList<Member> m_members;
};

} // namespace Velmora::Linux
