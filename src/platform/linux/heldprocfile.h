#pragma once

#include <QByteArray>

#include <optional>
#include <string>
#include <string_view>

namespace Velmora::Linux {

// A procfs file kept open and read again from its start each time: procfs
// makes the text afresh on every read from the start, so this gives the
// current values without the open and close of a fresh reading. A file of a
// process that has ended can no longer be read.
class HeldProcFile
{
public:
    HeldProcFile() = default;
    ~HeldProcFile();
    HeldProcFile(HeldProcFile &&other) noexcept;
    HeldProcFile &operator=(HeldProcFile &&other) noexcept;
    HeldProcFile(const HeldProcFile &) = delete;
    HeldProcFile &operator=(const HeldProcFile &) = delete;

    // `path` relative to `directory` (a descriptor), or absolute with -1.
    static HeldProcFile open(int directory, const char *path);

    bool isOpen() const { return m_fd >= 0; }
    // The whole text into `out`. A file the kernel writes in one go ends at
    // the first short read; listings written record by record (`untilEnd`)
    // are read to the end, which a piece well short of a page shows.
    bool read(std::string &out, bool untilEnd = false) const;
    // The same into `buffer`, which keeps its size from one call to the next
    // so that nothing is cleared or allocated again for each reading: the
    // text is the start of it. None when the file cannot be read.
    std::optional<std::string_view> readText(std::string &buffer, bool untilEnd = false) const;
    void close();

private:
    explicit HeldProcFile(int fd)
        : m_fd(fd)
    {
    }

    int m_fd = -1;
};

} // namespace Velmora::Linux
