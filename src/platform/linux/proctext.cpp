#include "platform/linux/proctext.h"

#include <cerrno>
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
