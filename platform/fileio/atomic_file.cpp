#include "platform/fileio/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

namespace fileio {

namespace {

constexpr int kMaxLinkHops = 40;      // as the kernel's own limit
constexpr size_t kMaxTempStem = 200;  // keeps ".<name>.XXXXXX" under NAME_MAX

std::string DirectoryPart(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The path with every symbolic link of its last name followed; a dangling link gives the
// path it points to, which the save then creates.
bool FollowLinks(const std::string& path, std::string& target, int& code) {
    target = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0) {
            if (errno == ENOENT) return true;
            code = errno;
            return false;
        }
        if (!S_ISLNK(st.st_mode)) return true;
        std::string link(static_cast<size_t>(st.st_size > 0 ? st.st_size : 256) + 1, '\0');
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0) {
            code = errno;
            return false;
        }
        link.resize(static_cast<size_t>(n));
        if (link.empty()) {
            code = ENOENT;
            return false;
        }
        target = link[0] == '/' ? link : DirectoryPart(target) + "/" + link;
    }
    code = ELOOP;
    return false;
}

// Opens a new, unique file beside the target. The mode given to open is reduced by the
// umask, which is exactly what a new file should get.
int CreateTemp(const std::string& target, std::string& temp) {
    const size_t slash = target.rfind('/');
    const std::string dir =
        slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    if (name.size() > kMaxTempStem) name.resize(kMaxTempStem);
    static std::mt19937_64 random{std::random_device{}()};
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = dir + "." + name + ".";
        uint64_t bits = random();
        for (int i = 0; i < 8; ++i, bits /= 36) temp += kDigits[bits % 36];
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void SyncDirectory(const std::string& target) {
    // The rename is only durable once the folder is synced; the new file is in place either
    // way, so a failure here is not the save's failure.
    const int dir = ::open(DirectoryPart(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    ::fsync(dir);
    ::close(dir);
}

}  // namespace

AtomicFile::~AtomicFile() {
    Abandon();
}

bool AtomicFile::Fail(int code) {
    if (error_.empty()) errorCode_ = code;
    return Fail(std::string_view(std::strerror(code)));
}

bool AtomicFile::Fail(std::string_view reason) {
    if (error_.empty()) {
        error_ = path_ + ": ";
        error_ += reason;
    }
    Abandon();
    return false;
}

bool AtomicFile::Open(const std::string& path) {
    Abandon();
    path_ = path;
    error_.clear();
    errorCode_ = 0;
    if (path.empty() || path.back() == '/') return Fail(EISDIR);
    int code = 0;
    if (!FollowLinks(path, target_, code)) return Fail(code);

    struct stat old {};
    const bool replacing = ::stat(target_.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode)) return Fail(EISDIR);
    // A device or a pipe is not replaced by a regular file behind the user's back.
    if (replacing && !S_ISREG(old.st_mode)) return Fail("not a regular file");
    // A file marked read-only is not replaced, though its folder would allow it.
    if (replacing && ::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0)
        return Fail(errno);

    fd_ = CreateTemp(target_, temp_);
    if (fd_ < 0) {
        temp_.clear();
        return Fail(errno);
    }
    if (replacing) {
        // The owner is kept where we may (root, or a group of the user's); otherwise the
        // file belongs to whoever saved it, as a new file would. The mode is set last since
        // a change of owner clears the set-id bits.
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(fd_, old.st_uid, old.st_gid) != 0) {
        }
        if (::fchmod(fd_, old.st_mode & 07777) != 0) return Fail(errno);
    }
    return true;
}

bool AtomicFile::Write(const void* data, size_t n) {
    if (fd_ < 0) return error_.empty() ? Fail(EBADF) : false;
    const char* p = static_cast<const char*>(data);
    while (n > 0) {
        const ssize_t w = ::write(fd_, p, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            return Fail(errno);
        }
        if (w == 0) return Fail(EIO);
        p += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

bool AtomicFile::Commit() {
    if (fd_ < 0) return error_.empty() ? Fail(EBADF) : false;
    int result;
    do result = ::fsync(fd_);
    while (result != 0 && errno == EINTR);
    if (result != 0) return Fail(errno);
    // Linux closes the descriptor even when close reports EINTR; only real errors count.
    result = ::close(fd_);
    fd_ = -1;
    if (result != 0 && errno != EINTR) return Fail(errno);
    if (::rename(temp_.c_str(), target_.c_str()) != 0) return Fail(errno);
    temp_.clear();
    SyncDirectory(target_);
    return true;
}

void AtomicFile::Abandon() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    AtomicFile file;
    const bool ok = file.Open(path) && file.Write(bytes.data(), bytes.size()) && file.Commit();
    if (!ok && error) *error = file.Error();
    return ok;
}

}  // namespace fileio
