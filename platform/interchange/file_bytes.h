// What the readers and writers of this folder share: reading a whole file with a size limit,
// URIs, and numbers as short text that reads back to the same float.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace interchange {

// A reader's or writer's refusal of a file: `error` (when given) gets "<path>: <why>", and the
// call gives false to return.
class FileRefusal {
public:
    FileRefusal(const std::string& path, std::string* error) : path_(path), error_(error) {}
    bool operator()(const std::string& why) const {
        if (error_) *error_ = path_ + ": " + why;
        return false;
    }

private:
    const std::string& path_;
    std::string* error_;
};

// The whole file, when it is a regular file of at most `maxBytes` bytes (a device or pipe
// named in a file could otherwise be read forever).
bool ReadRegularFile(const std::string& path, size_t maxBytes, std::vector<unsigned char>& out,
                     std::string* error = nullptr);

inline constexpr size_t kMaxFileBytes = size_t{1} << 30;

// A relative path as a URI reference: bytes other than unreserved characters and '/' are
// percent-encoded; and back.
std::string PercentEncode(std::string_view path);
std::string PercentDecode(std::string_view uri);

// The shortest text that reads back to the same float.
std::string FloatText(float v);

// The directory part of a path ("" when it has none), with its trailing '/'.
std::string DirectoryOf(const std::string& path);

}  // namespace interchange
