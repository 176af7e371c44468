#include <gtest/gtest.h>

#include <filesystem>

#include "modeller/app/help_address.h"
#include "modeller/app/resource_dir.h"
#include "modeller/app/window_title.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace modeller;

TEST(WindowTitle, FileTitleInBracketsAndTheModifiedMark) {
    EXPECT_EQ(WindowTitle("", false), "Mokkel");
    EXPECT_EQ(WindowTitle("", true), "Mokkel");
    EXPECT_EQ(WindowTitle("house.mkl", false), "Mokkel  [house.mkl]");
    EXPECT_EQ(WindowTitle("house.mkl", true), "Mokkel  [house.mkl *]");
    EXPECT_EQ(WindowTitle("家.x", true), "Mokkel  [家.x *]");
}

TEST(HelpAddress, FileInTheProgramDirectoryAndPageInsideIt) {
    EXPECT_EQ(HelpAddress("/opt/mokkel", ""), "/opt/mokkel/Mokkel.chm");
    EXPECT_EQ(HelpAddress("/opt/mokkel/", "dlg_zentai.htm"),
              "/opt/mokkel/Mokkel.chm::/dlg_zentai.htm");
    EXPECT_EQ(HelpAddress("/", "index.htm"), "/Mokkel.chm::/index.htm");
    EXPECT_EQ(HelpAddress("", "a.htm"), "Mokkel.chm::/a.htm");
}

TEST(ResourceDir, FoundBesideTheProgramBeforeTheFallback) {
    testing_support::TempDir tmp;
    namespace fs = std::filesystem;
    auto makeResources = [](const fs::path& dir) {
        fs::create_directories(dir / "help" / "Mokkel");
        testing_support::WriteFile((dir / "help" / "Mokkel" / "index.htm").string(), "x");
    };
    const fs::path root(tmp.path());
    fs::create_directories(root / "bin");
    makeResources(root / "src" / "resources");
    const std::string fallback = (root / "src" / "resources").string();

    // Nothing beside the program: the fallback.
    EXPECT_EQ(FindResourceDir((root / "bin").string(), fallback), fallback);
    // A folder without the start page does not count.
    fs::create_directories(root / "resources" / "help");
    EXPECT_EQ(FindResourceDir((root / "bin").string(), fallback), fallback);
    // <exe>/../resources, normalised.
    makeResources(root / "resources");
    EXPECT_EQ(FindResourceDir((root / "bin").string(), fallback), (root / "resources").string());
    // <exe>/resources wins over that.
    makeResources(root / "bin" / "resources");
    EXPECT_EQ(FindResourceDir((root / "bin").string(), fallback),
              (root / "bin" / "resources").string());

    testing_support::TempDir empty;
    EXPECT_EQ(FindResourceDir(empty.path(), ""), "");
    // A program run from its build folder finds the pages of its source tree.
    EXPECT_EQ(DefaultResourceDir(empty.path()),
              fs::path(MOKKEL_SOURCE_DIR "/resources").lexically_normal().string());
}

}  // namespace
