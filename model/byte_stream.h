// Buffered file streams for the tagged-section files: CR LF text lines mixed with
// little-endian binary values read by count.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/fileio/atomic_file.h"

namespace model {

class ByteReader {
public:
    ByteReader() = default;
    ~ByteReader();
    ByteReader(const ByteReader&) = delete;
    ByteReader& operator=(const ByteReader&) = delete;

    bool Open(const std::string& path);
    // Reads a copy of `bytes` as if they were a file's contents (the fuzz harnesses).
    void OpenBytes(std::string_view bytes);
    // Reads up to LF, dropping the CR before it. At the end of the file the line is empty
    // and the result false; a last line without its CR LF is returned as it stands.
    bool ReadLine(std::string& line);
    // Exactly n bytes, or false at the end of the file.
    bool ReadBytes(void* out, size_t n);
    template <typename T>
    bool Read(T& value) {
        static_assert(std::is_trivially_copyable_v<T>);
        return ReadBytes(&value, sizeof value);  // little-endian host, as the files are
    }
    // Bytes not yet consumed; counts in a file are checked against it before allocating.
    uint64_t Remaining() const { return size_ - consumed_; }
    bool AtEnd() const { return Remaining() == 0; }

private:
    bool Fill();

    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    size_t begin_ = 0, end_ = 0;
    uint64_t size_ = 0, consumed_ = 0;
};

// Buffers the bytes for the atomic file writer: the target is replaced only after a
// complete, synced write, so a failed save leaves the previous file intact.
class ByteWriter {
public:
    ByteWriter() = default;
    ~ByteWriter();
    ByteWriter(const ByteWriter&) = delete;
    ByteWriter& operator=(const ByteWriter&) = delete;

    bool Open(const std::string& target);
    void Line(std::string_view text) {
        Bytes(text.data(), text.size());
        Bytes("\r\n", 2);
    }
    void Bytes(const void* data, size_t n);
    template <typename T>
    void Put(T value) {
        static_assert(std::is_trivially_copyable_v<T>);
        Bytes(&value, sizeof value);
    }
    template <typename T>
    void PutArray(const std::vector<T>& values) {
        if (!values.empty()) Bytes(values.data(), values.size() * sizeof(T));
    }
    // Flushes, syncs and renames; false (and the target untouched) on any failure.
    bool Commit();
    void Abandon();
    // "<path>: <reason>" after a failure.
    const std::string& Error() const { return file_.Error(); }

private:
    bool FlushBuffer();

    fileio::AtomicFile file_;
    bool open_ = false;
    std::vector<char> buffer_;
    size_t used_ = 0;
    bool failed_ = false;
};

}  // namespace model
