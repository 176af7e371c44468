#include "platform/fileio/resource_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using fileio::FindResourceDir;

void MakeResources(const fs::path& dir, const char* program) {
    fs::create_directories(dir / "help" / program);
    testing_support::WriteFile((dir / "help" / program / "index.htm").string(), "x");
}

// Installed (bin/../share/mokkel), beside the program, or the source tree: the first folder
// holding this program's start page wins, whatever periods the folder names have.
TEST(ResourceDir, BesideTheProgramFirstThenTheFallback) {
    testing_support::TempDir tmp;
    const fs::path root = fs::path(tmp.path()) / "opt.v1.2";
    const std::string bin = (root / "bin").string();
    const std::string fallback = (root / "src" / "resources").string();
    fs::create_directories(bin);
    MakeResources(fallback, "Mokkel");

    EXPECT_EQ(FindResourceDir(bin, "Mokkel", fallback), fallback);
    EXPECT_EQ(FindResourceDir(bin, "Stagora", fallback), "");    // only the modeller's pages
    fs::create_directories(root / "share" / "mokkel" / "help");  // no start page: not it
    EXPECT_EQ(FindResourceDir(bin, "Mokkel", fallback), fallback);
    MakeResources(root / "share" / "mokkel", "Stagora");
    EXPECT_EQ(FindResourceDir(bin, "Stagora", fallback), (root / "share" / "mokkel").string());
    MakeResources(root / "share" / "mokkel", "Mokkel");
    EXPECT_EQ(FindResourceDir(bin, "Mokkel", fallback), (root / "share" / "mokkel").string());
    MakeResources(root / "bin" / "resources", "Mokkel");
    EXPECT_EQ(FindResourceDir(bin, "Mokkel", fallback), (root / "bin" / "resources").string());

    // No program folder: only the fallback, never the current directory's "resources".
    EXPECT_EQ(FindResourceDir("", "Mokkel", fallback), fallback);
    testing_support::TempDir empty;
    EXPECT_EQ(FindResourceDir(empty.path(), "Mokkel", ""), "");
    // A program run from its build folder finds the pages of its source tree.
    EXPECT_EQ(fileio::DefaultResourceDir(empty.path(), "Stagora"),
              fs::path(MOKKEL_SOURCE_DIR "/resources").lexically_normal().string());
}

TEST(ResourceDir, ExecutableDirIsThisTestsFolder) {
    EXPECT_TRUE(fs::is_regular_file(fs::path(fileio::ExecutableDir()) / "platform_fileio_tests"));
}

}  // namespace
