#pragma once

#include <QByteArray>

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
std::string_view nextToken(std::string_view &text);

// A whole token as an unsigned decimal number.
std::optional<quint64> toNumber(std::string_view token);

// Takes the next line off `text`, without its line feed.
std::string_view nextLine(std::string_view &text);

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
