#include "platform/linux/proctext.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <unistd.h>

namespace Velmora::Linux::ProcText {

// Reads a procfs file whole. procfs files report size 0, so the buffer grows
// as needed. A short read ends a file that the kernel writes in one go (the
// per-process files); listings that the kernel writes record by record
// (`untilEnd`) are read until the end, since they may come in pieces.
bool readFile(const QByteArray &path, std::string &out, bool untilEnd)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    out.resize(4096);
    size_t used = 0;
    for (;;) {
        if (used == out.size())
            out.resize(out.size() * 2);
        const ssize_t n = ::read(fd, out.data() + used, out.size() - used);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return false;
        }
        used += size_t(n);
        if (n == 0 || (!untilEnd && used < out.size()))
            break;
    }
    ::close(fd);
    out.resize(used);
    return true;
}

// Every listed process's stat line goes through here each second: a plain
// scan, where searching for any of a set of characters costs a library call
// per character.
std::string_view nextToken(std::string_view &text)
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

std::optional<quint64> toNumber(std::string_view token)
{
    quint64 value = 0;
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (ec != std::errc() || end != token.data() + token.size() || token.empty())
        return std::nullopt;
    return value;
}

// Takes the next line off `text`, without its line feed.
std::string_view nextLine(std::string_view &text)
{
    const size_t eol = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, eol);
    text.remove_prefix(std::min(eol + 1, text.size()));
    return line;
}

// The value of the line starting with `key` ("MemTotal:", "Uid:", "btime "),
// as its `index`-th number after the key.
std::optional<quint64> keyedNumber(std::string_view text, std::string_view key, int index)
{
    while (!text.empty()) {
        std::string_view line = nextLine(text);
        if (line.substr(0, key.size()) == key) {
            line.remove_prefix(key.size());
            std::string_view token;
            for (int i = 0; i <= index; ++i)
                token = nextToken(line);
            return toNumber(token);
        }
    }
    return std::nullopt;
}

} // namespace Velmora::Linux::ProcText
