#include "platform/fileio/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>

#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Names in the folder other than those expected: a left-over temporary file shows here.
std::vector<std::string> Entries(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// Root passes every permission check; the permission cases run as "nobody" then.
class Unprivileged {
public:
    explicit Unprivileged(bool drop) {
        if (!drop || ::geteuid() != 0) return;
        changed_ = ::setegid(65534) == 0 && ::seteuid(65534) == 0;
        ok_ = changed_;
    }
    ~Unprivileged() {
        if (changed_) {
            [[maybe_unused]] int a = ::seteuid(0), b = ::setegid(0);
        }
    }
    bool ok() const { return ok_; }

private:
    bool changed_ = false, ok_ = true;
};

class AtomicFileTest : public ::testing::Test {
protected:
    TempDir dir;
    void SetUp() override { ::chmod(dir.path().c_str(), 0777); }  // reachable by "nobody"
};

TEST_F(AtomicFileTest, NewFilesFollowTheUmaskReplacedFilesKeepTheirMode) {
    const mode_t oldMask = ::umask(027);
    EXPECT_TRUE(fileio::WriteFileAtomically(dir.File("new.mkl"), "abc"));
    ::umask(oldMask);
    EXPECT_EQ(ModeOf(dir.File("new.mkl")), 0640u);
    EXPECT_EQ(ReadFile(dir.File("new.mkl")), "abc");

    WriteFile(dir.File("old.mkl"), "old");
    ::chmod(dir.File("old.mkl").c_str(), 0604);
    EXPECT_TRUE(fileio::WriteFileAtomically(dir.File("old.mkl"), std::string(300000, 'x')));
    EXPECT_EQ(ModeOf(dir.File("old.mkl")), 0604u);
    EXPECT_EQ(ReadFile(dir.File("old.mkl")).size(), 300000u);
    EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"new.mkl", "old.mkl"}));

    // A name as long as the system allows still finds room for its temporary file.
    const std::string longName = dir.File(std::string(250, 'n') + ".mkl");
    EXPECT_TRUE(fileio::WriteFileAtomically(longName, "long"));
    EXPECT_EQ(ReadFile(longName), "long");
}

TEST_F(AtomicFileTest, SavingThroughALinkWritesItsTarget) {
    fs::create_directory(dir.File("real.d"));
    WriteFile(dir.File("real.d/a.mkl"), "old");
    ::chmod(dir.File("real.d/a.mkl").c_str(), 0600);
    struct Case {
        const char* link;
        std::string points_to;  // as stored in the link
        std::string target;     // the file that gets the bytes
    };
    const Case cases[] = {
        {"relative.mkl", "real.d/a.mkl", dir.File("real.d/a.mkl")},
        {"absolute.mkl", dir.File("real.d/a.mkl"), dir.File("real.d/a.mkl")},
        {"chain.mkl", "relative.mkl", dir.File("real.d/a.mkl")},
        {"dangling.mkl", "real.d/later.mkl", dir.File("real.d/later.mkl")},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.link);
        fs::create_symlink(c.points_to, dir.File(c.link));
        const std::string bytes = "saved " + std::to_string(++n);
        std::string error;
        ASSERT_TRUE(fileio::WriteFileAtomically(dir.File(c.link), bytes, &error)) << error;
        EXPECT_TRUE(fs::is_symlink(dir.File(c.link)));
        EXPECT_EQ(fs::read_symlink(dir.File(c.link)), c.points_to);
        EXPECT_EQ(ReadFile(c.target), bytes);
    }
    EXPECT_EQ(ModeOf(dir.File("real.d/a.mkl")), 0600u);
    EXPECT_EQ(Entries(dir.File("real.d")), (std::vector<std::string>{"a.mkl", "later.mkl"}));
}

TEST_F(AtomicFileTest, AFailedSaveLeavesTheOldFileAndSaysWhereAndWhy) {
    fs::create_directory(dir.File("locked.d"));
    WriteFile(dir.File("locked.d/a.mkl"), "old");
    ::chmod(dir.File("locked.d").c_str(), 0555);
    WriteFile(dir.File("readonly.mkl"), "old");
    ::chmod(dir.File("readonly.mkl").c_str(), 0444);
    WriteFile(dir.File("file"), "old");
    fs::create_directory(dir.File("folder.mkl"));
    ::mkfifo(dir.File("pipe.mkl").c_str(), 0666);
    fs::create_symlink("loop.mkl", dir.File("loop.mkl"));
    WriteFile(dir.File("big.mkl"), "old");

    struct Case {
        const char* name;
        const char* reason;
        bool unprivileged = false;
        std::function<bool(fileio::AtomicFile&)> write = nullptr;  // after Open
    };
    const Case cases[] = {
        {"missing.d/a.mkl", "No such file or directory"},
        {"file/a.mkl", "Not a directory"},
        {"folder.mkl", "Is a directory"},
        {"pipe.mkl", "not a regular file"},
        {"loop.mkl", "Too many levels of symbolic links"},
        {"locked.d/a.mkl", "Permission denied", true},
        {"readonly.mkl", "Permission denied", true},
        // The disk filling up half-way: the file size limit stands in for it.
        {"big.mkl", "File too large", false,
         [](fileio::AtomicFile& f) {
             rlimit old{};
             ::getrlimit(RLIMIT_FSIZE, &old);
             rlimit small = old;
             small.rlim_cur = 4096;
             auto handler = std::signal(SIGXFSZ, SIG_IGN);
             ::setrlimit(RLIMIT_FSIZE, &small);
             const std::string block(10000, 'x');
             const bool ok = f.Write(block.data(), block.size());
             ::setrlimit(RLIMIT_FSIZE, &old);
             std::signal(SIGXFSZ, handler);
             return ok && f.Commit();
         }},
    };
    const auto before = Entries(dir.path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File(c.name);
        std::error_code ec;
        const std::string old = fs::is_regular_file(path, ec) ? ReadFile(path) : "";
        bool ok;
        std::string error;
        {
            Unprivileged as(c.unprivileged);
            if (c.unprivileged && !as.ok()) continue;  // cannot drop root here
            fileio::AtomicFile file;
            ok = file.Open(path) &&
                 (c.write ? c.write(file) : file.Write("new", 3) && file.Commit());
            error = file.Error();
        }
        EXPECT_FALSE(ok);
        EXPECT_EQ(error, path + ": " + c.reason);
        if (!old.empty()) {
            EXPECT_EQ(ReadFile(path), old);
        }
    }
    EXPECT_EQ(Entries(dir.path()), before);
    EXPECT_EQ(Entries(dir.File("locked.d")), std::vector<std::string>{"a.mkl"});
    ::chmod(dir.File("locked.d").c_str(), 0755);
}

}  // namespace
