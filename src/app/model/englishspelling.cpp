#include "app/model/englishspelling.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

namespace Velmora {

namespace {

struct LanguageIdentifier {
    QString language;
    std::optional<QString> region;
};

// "en-GB", "en_GB", "en-Latn-GB", "en-US@calendar=..." -> language and region.
LanguageIdentifier parse(const QString &identifier)
{
    QString plain = identifier.section(QLatin1Char('@'), 0, 0).section(QLatin1Char('.'), 0, 0);
    const QStringList parts = plain.split(QRegularExpression(QStringLiteral("[-_]")), Qt::SkipEmptyParts);
    LanguageIdentifier parsed;
    if (parts.isEmpty())
        return parsed;
    parsed.language = parts.first().toLower();
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString &part = parts.at(i);
        // A region is two letters or three digits; a script is four letters.
        const bool letters = part.size() == 2 && part.at(0).isLetter() && part.at(1).isLetter();
        const bool digits = part.size() == 3 && part.at(0).isDigit() && part.at(1).isDigit() && part.at(2).isDigit();
        if (letters || digits) {
            parsed.region = part.toUpper();
            break;
        }
    }
    return parsed;
}

} // namespace

bool EnglishSpelling::isAmericanRegion(const QString &region)
{
    static const QStringList american{QStringLiteral("US"), QStringLiteral("PR"), QStringLiteral("GU"),
        QStringLiteral("VI"), QStringLiteral("AS"), QStringLiteral("MP"), QStringLiteral("UM"), QStringLiteral("PH"),
        QStringLiteral("LR")};
    return american.contains(region);
}

EnglishSpelling::Variant EnglishSpelling::from(
    const std::optional<QString> &preferredLanguage, const std::optional<QString> &region)
{
    std::optional<QString> deciding = region;
    if (preferredLanguage) {
        const LanguageIdentifier language = parse(*preferredLanguage);
        if (language.language == QLatin1String("en") && language.region)
            deciding = language.region;
    }
    if (!deciding || deciding->isEmpty())
        return British;
    return isAmericanRegion(*deciding) ? American : British;
}

EnglishSpelling::Variant EnglishSpelling::current()
{
    static const Variant variant = [] {
        const QLocale locale = QLocale::system();
        const QStringList languages = locale.uiLanguages();
        const std::optional<QString> preferred
            = languages.isEmpty() ? std::nullopt : std::optional<QString>(languages.first());
        std::optional<QString> region;
        if (locale.territory() != QLocale::AnyTerritory)
            region = QLocale::territoryToCode(locale.territory());
        return from(preferred, region);
    }();
    return variant;
}

} // namespace Velmora
