// Replacing a file so that a failed save never costs the previous one: the bytes go to a
// temporary file in the target's folder, are synced, and only then renamed over the target.
// A symbolic link is written through: its final target is replaced and the link stays.
// A new file gets 0666 less the umask; a file being replaced keeps its mode.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fileio {

class AtomicFile {
public:
    AtomicFile() = default;
    ~AtomicFile();  // abandons an uncommitted write
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file. False (with Error()) when the target cannot be replaced.
    bool Open(const std::string& path);
    // Writes all n bytes. After a failure every later call fails too.
    bool Write(const void* data, size_t n);
    // Syncs and renames over the target; false (with Error(), the target untouched and the
    // temporary file removed) on any failure.
    bool Commit();
    // Drops the temporary file; the target stays as it was.
    void Abandon();

    // "<path>: <reason>" for the first failure, empty while all went well.
    const std::string& Error() const { return error_; }
    // The errno of the first failure (0 when the reason has none).
    int ErrorCode() const { return errorCode_; }

private:
    bool Fail(int code);
    bool Fail(std::string_view reason);

    std::string path_;    // as the caller named it, for messages
    std::string target_;  // with symbolic links followed
    std::string temp_;
    int fd_ = -1;
    std::string error_;
    int errorCode_ = 0;
};

// The whole file in one call; the reason of a failure goes to `error` when given.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr);

}  // namespace fileio
