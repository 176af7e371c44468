#include "model/byte_stream.h"

#include <sys/stat.h>

#include <algorithm>

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

void ByteReader::OpenBytes(std::string_view bytes) {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    buffer_.assign(bytes.begin(), bytes.end());
    begin_ = 0;
    end_ = buffer_.size();
    size_ = end_;
    consumed_ = 0;
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
    open_ = file_.Open(target);
    if (!open_) return false;
    buffer_.resize(kBufferSize);
    used_ = 0;
    failed_ = false;
    return true;
}

void ByteWriter::Bytes(const void* data, size_t n) {
    if (failed_ || !open_) return;
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
    if (!file_.Write(buffer_.data(), used_)) {
        failed_ = true;
        return false;
    }
    used_ = 0;
    return true;
}

bool ByteWriter::Commit() {
    if (!open_) return false;
    open_ = false;
    if (failed_ || !FlushBuffer()) return false;
    return file_.Commit();
}

void ByteWriter::Abandon() {
    open_ = false;
    file_.Abandon();
}

}  // namespace model
