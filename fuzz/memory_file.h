// A file that lives only in memory, for the readers that take a path: the bytes of one fuzz
// input are put into a memfd, reached as /proc/self/fd/N. One per process, reused.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace fuzz {

class MemoryFile {
public:
    MemoryFile() {
        fd_ = ::memfd_create("mokkel-fuzz", MFD_CLOEXEC);
        if (fd_ < 0) std::abort();
        path_ = "/proc/self/fd/" + std::to_string(fd_);
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    // Replaces the contents; the path then names exactly these bytes.
    const std::string& Hold(const uint8_t* data, size_t size) {
        if (::ftruncate(fd_, 0) != 0) std::abort();
        size_t done = 0;
        while (done < size) {
            const ssize_t n = ::pwrite(fd_, data + done, size - done, static_cast<off_t>(done));
            if (n <= 0) std::abort();
            done += static_cast<size_t>(n);
        }
        return path_;
    }

private:
    int fd_ = -1;
    std::string path_;
};

}  // namespace fuzz
