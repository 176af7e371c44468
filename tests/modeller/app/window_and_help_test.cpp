#include <gtest/gtest.h>

#include <filesystem>

#include "modeller/app/help_address.h"
#include "modeller/app/resource_dir.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace modeller;
namespace fs = std::filesystem;

TEST(HelpAddress, FileInTheProgramDirectoryAndPageInsideIt) {
    EXPECT_EQ(HelpAddress("/opt/mokkel", ""), "/opt/mokkel/Mokkel.chm");
    EXPECT_EQ(HelpAddress("/opt/mokkel/", "dlg_zentai.htm"),
              "/opt/mokkel/Mokkel.chm::/dlg_zentai.htm");
    EXPECT_EQ(HelpAddress("/", "index.htm"), "/Mokkel.chm::/index.htm");
}

TEST(ResourceDir, BesideTheProgramFirstThenTheFallback) {
    testing_support::TempDir tmp;
    auto makeResources = [](const fs::path& dir) {
        fs::create_directories(dir / "help" / "Mokkel");
        testing_support::WriteFile((dir / "help" / "Mokkel" / "index.htm").string(), "x");
    };
    const fs::path root(tmp.path());
    const std::string bin = (root / "bin").string();
    const std::string fallback = (root / "src" / "resources").string();
    fs::create_directories(bin);
    makeResources(fallback);

    EXPECT_EQ(FindResourceDir(bin, fallback), fallback);
    fs::create_directories(root / "resources" / "help");  // no start page: not it
    EXPECT_EQ(FindResourceDir(bin, fallback), fallback);
    makeResources(root / "resources");
    EXPECT_EQ(FindResourceDir(bin, fallback), (root / "resources").string());
    makeResources(root / "bin" / "resources");
    EXPECT_EQ(FindResourceDir(bin, fallback), (root / "bin" / "resources").string());

    testing_support::TempDir empty;
    EXPECT_EQ(FindResourceDir(empty.path(), ""), "");
    // A program run from its build folder finds the pages of its source tree.
    EXPECT_EQ(DefaultResourceDir(empty.path()),
              fs::path(MOKKEL_SOURCE_DIR "/resources").lexically_normal().string());
}

}  // namespace
