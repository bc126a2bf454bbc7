#include "platform/linux/heldprocfile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace Velmora::Linux {

HeldProcFile::~HeldProcFile()
{
    close();
}

HeldProcFile::HeldProcFile(HeldProcFile &&other) noexcept
    : m_fd(other.m_fd)
{
    other.m_fd = -1;
}

HeldProcFile &HeldProcFile::operator=(HeldProcFile &&other) noexcept
{
    if (this != &other) {
        close();
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

HeldProcFile HeldProcFile::open(int directory, const char *path)
{
    return HeldProcFile(::openat(directory < 0 ? AT_FDCWD : directory, path, O_RDONLY | O_CLOEXEC));
}

namespace {

// The kernel writes a listing a page at a time, each piece ending where its
// next record would not fit in that page. No record of the listings read
// here comes near this length, so a piece that leaves at least this much of
// its page unused was the last, and the read that would only confirm the
// end is saved.
constexpr size_t kernelPage = 4096;
constexpr size_t longestRecord = 1024;

bool endsListing(size_t piece)
{
    return piece + longestRecord <= kernelPage;
}

} // namespace

bool HeldProcFile::read(std::string &out, bool untilEnd) const
{
    const auto text = readText(out, untilEnd);
    if (!text)
        return false;
    out.resize(text->size());
    return true;
}

std::optional<std::string_view> HeldProcFile::readText(std::string &buffer, bool untilEnd) const
{
    if (m_fd < 0)
        return std::nullopt;
    if (buffer.size() < 4096)
        buffer.resize(4096);
    size_t used = 0;
    for (;;) {
        if (used == buffer.size())
            buffer.resize(buffer.size() * 2);
        const ssize_t n = ::pread(m_fd, buffer.data() + used, buffer.size() - used, off_t(used));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        used += size_t(n);
        if (n == 0 || (used < buffer.size() && (!untilEnd || endsListing(size_t(n)))))
            break;
    }
    return std::string_view(buffer.data(), used);
}

void HeldProcFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

} // namespace Velmora::Linux
