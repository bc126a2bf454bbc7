#pragma once

#include <QByteArray>

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>

// Reading the kernel's text files under /proc and /sys: whole files into a
// kept buffer, and the numbers, tokens and keyed lines in them, without
// allocating per field.
namespace Velmora::Linux::ProcText {

// Reads a procfs file whole into `out`, reusing its storage. Listings the
// kernel writes record by record are read until the end (`untilEnd`).
bool readFile(const QByteArray &path, std::string &out, bool untilEnd = false);

// Takes the next field, separated by spaces or tabs, off `text`.
//
// These three run for every line of every listed process's files each
// second, so they are inline and plain scans: searching for any of a set of
// characters costs a library call per character.
inline std::string_view nextToken(std::string_view &text)
{
    const char *at = text.data();
    const char *const end = at + text.size();
    while (at != end && (*at == ' ' || *at == '\t'))
        ++at;
    const char *const start = at;
    while (at != end && *at != ' ' && *at != '\t' && *at != '\n')
        ++at;
    text = std::string_view(at, size_t(end - at));
    return std::string_view(start, size_t(at - start));
}

// A whole token as an unsigned decimal number.
inline std::optional<quint64> toNumber(std::string_view token)
{
    quint64 value = 0;
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (ec != std::errc() || end != token.data() + token.size() || token.empty())
        return std::nullopt;
    return value;
}

// Takes the next line off `text`, without its line feed.
inline std::string_view nextLine(std::string_view &text)
{
    const size_t eol = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, eol);
    text.remove_prefix(std::min(eol + 1, text.size()));
    return line;
}

// The `index`-th number after `key` on the line that starts with it.
std::optional<quint64> keyedNumber(std::string_view text, std::string_view key, int index = 0);

// Fills `out` with the next whitespace-separated numbers of `text`.
template<size_t N> bool readNumbers(std::string_view &text, quint64 (&out)[N])
{
    for (size_t i = 0; i < N; ++i) {
        const auto value = toNumber(nextToken(text));
        if (!value)
            return false;
        out[i] = *value;
    }
    return true;
}

} // namespace Velmora::Linux::ProcText
