#include "platform/image/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace image {

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::string& path, int64_t maxBytes) {
    // Non-blocking so that opening a FIFO returns at once; the type check below refuses it.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > maxBytes) {
        ::close(fd);
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;  // the file shrank under us: keep what was read
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    bytes.resize(done);
    return bytes;
}

}  // namespace image
