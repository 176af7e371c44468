#include "model/byte_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace model {

namespace {
constexpr size_t kBufferSize = 1 << 20;
}

ByteReader::~ByteReader() {
    if (file_) std::fclose(file_);
}

bool ByteReader::Open(const std::string& path) {
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) return false;
    struct stat st {};
    if (fstat(fileno(file_), &st) != 0 || !S_ISREG(st.st_mode)) {
        std::fclose(file_);
        file_ = nullptr;
        return false;
    }
    size_ = static_cast<uint64_t>(st.st_size);
    buffer_.resize(static_cast<size_t>(std::min<uint64_t>(kBufferSize, size_ + 1)));
    return true;
}

bool ByteReader::Fill() {
    if (!file_) return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size()) return false;
    size_t n = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
    end_ += n;
    return n > 0;
}

bool ByteReader::ReadLine(std::string& line) {
    line.clear();
    bool any = false;
    while (true) {
        if (begin_ == end_ && !Fill()) break;
        const char* start = buffer_.data() + begin_;
        const size_t avail = end_ - begin_;
        const void* lf = std::memchr(start, '\n', avail);
        if (lf) {
            size_t n = static_cast<size_t>(static_cast<const char*>(lf) - start);
            line.append(start, n);
            begin_ += n + 1;
            consumed_ += n + 1;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return true;
        }
        line.append(start, avail);
        begin_ = end_;
        consumed_ += avail;
        any = true;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return any;
}

bool ByteReader::ReadBytes(void* out, size_t n) {
    if (n > Remaining()) {
        // Step to the end so that nothing after a truncated block is read as data.
        begin_ = end_ = 0;
        consumed_ = size_;
        if (file_) std::fseek(file_, 0, SEEK_END);
        return false;
    }
    char* dst = static_cast<char*>(out);
    while (n > 0) {
        if (begin_ == end_ && !Fill()) return false;
        size_t take = std::min(n, end_ - begin_);
        std::memcpy(dst, buffer_.data() + begin_, take);
        dst += take;
        n -= take;
        begin_ += take;
        consumed_ += take;
    }
    return true;
}

ByteWriter::~ByteWriter() {
    Abandon();
}

bool ByteWriter::Open(const std::string& target) {
    target_ = target;
    const size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    temp_ = (slash == std::string::npos ? std::string() : dir) + "." + name + ".XXXXXX";
    fd_ = mkstemp(temp_.data());
    if (fd_ < 0) {
        temp_.clear();
        return false;
    }
    // Keep the permissions of the file being replaced, else the usual ones for a new file.
    struct stat st {};
    mode_t mode;
    if (stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    fchmod(fd_, mode);
    buffer_.resize(kBufferSize);
    used_ = 0;
    failed_ = false;
    return true;
}

void ByteWriter::Bytes(const void* data, size_t n) {
    if (failed_ || fd_ < 0) return;
    const char* src = static_cast<const char*>(data);
    while (n > 0) {
        if (used_ == buffer_.size() && !FlushBuffer()) return;
        size_t take = std::min(n, buffer_.size() - used_);
        std::memcpy(buffer_.data() + used_, src, take);
        used_ += take;
        src += take;
        n -= take;
    }
}

bool ByteWriter::FlushBuffer() {
    size_t done = 0;
    while (done < used_) {
        ssize_t w = ::write(fd_, buffer_.data() + done, used_ - done);
        if (w < 0) {
            if (errno == EINTR) continue;
            failed_ = true;
            return false;
        }
        done += static_cast<size_t>(w);
    }
    used_ = 0;
    return true;
}

bool ByteWriter::Commit() {
    if (fd_ < 0) return false;
    bool ok = !failed_ && FlushBuffer() && fsync(fd_) == 0;
    ok = (::close(fd_) == 0) && ok;
    fd_ = -1;
    if (ok && std::rename(temp_.c_str(), target_.c_str()) == 0) {
        temp_.clear();
        return true;
    }
    Abandon();
    return false;
}

void ByteWriter::Abandon() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
}

}  // namespace model
