#pragma once

#include <QString>

#include <optional>

namespace Velmora {

// American or British spelling for the few texts that differ, chosen once
// per process from the user's first preferred language and the locale's region.
class EnglishSpelling
{
public:
    enum Variant { American, British };

    // Decided on first use; fixed for the life of the process.
    static Variant current();

    // An English preferred language that names its region decides; otherwise
    // the locale's region does. No region at all means British.
    static Variant from(const std::optional<QString> &preferredLanguage, const std::optional<QString> &region);

    // The text in the current spelling.
    static QString text(const QString &american, const QString &british)
    {
        return current() == American ? american : british;
    }

    // The region codes that spell the American way.
    static bool isAmericanRegion(const QString &region);
};

} // namespace Velmora
