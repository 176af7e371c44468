#include "modeller/app/recent_file_list.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/memory_settings.h"

namespace {

using modeller::RecentFileList;
using modeller::RecentFileMenuText;
using testing_support::MemorySettings;
using Paths = std::vector<std::string>;

TEST(RecentFileList, MostRecentFirstWithoutRepeatsAndAtMostFour) {
    RecentFileList list;
    for (const char* p : {"/m/a.mkl", "/m/b.mkl", "/m/c.x", "/m/d.mkl"}) list.Add(p);
    EXPECT_EQ(list.Paths(), (Paths{"/m/d.mkl", "/m/c.x", "/m/b.mkl", "/m/a.mkl"}));
    list.Add("/m/sub/../b.mkl");  // the same file by another spelling moves up
    EXPECT_EQ(list.Paths(), (Paths{"/m/b.mkl", "/m/d.mkl", "/m/c.x", "/m/a.mkl"}));
    list.Add("/m/B.mkl");  // Linux names differ by case; the oldest drops off
    EXPECT_EQ(list.Paths(), (Paths{"/m/B.mkl", "/m/b.mkl", "/m/d.mkl", "/m/c.x"}));
    list.Add("");
    list.Remove(10);
    EXPECT_EQ(list.Paths().size(), 4u);

    RecentFileList relative;
    relative.Add("models/house.mkl");
    EXPECT_EQ(relative.Paths().front(),
              (std::filesystem::current_path() / "models/house.mkl").lexically_normal().string());
}

TEST(RecentFileList, KeptInTheSettingsStore) {
    MemorySettings store;
    RecentFileList list;
    list.Add("/m/a.mkl");
    list.Add("/m/b.x");
    store.strings[{"Recent File List", "File3"}] = "/m/stale.mkl";
    list.Save(store);
    EXPECT_EQ(store.strings.at({"Recent File List", "File1"}), "/m/b.x");
    EXPECT_EQ(store.strings.at({"Recent File List", "File2"}), "/m/a.mkl");
    EXPECT_EQ(store.strings.at({"Recent File List", "File3"}), "");  // no stale entry left
    EXPECT_EQ(store.strings.at({"Recent File List", "File4"}), "");

    RecentFileList again;
    again.Add("/m/other.mkl");
    again.Load(store);
    EXPECT_EQ(again.Paths(), list.Paths());

    // A hand-edited file: gaps, a repeat and a fifth entry.
    store.strings[{"Recent File List", "File1"}] = "/m/a.mkl";
    store.strings[{"Recent File List", "File2"}] = "";
    store.strings[{"Recent File List", "File3"}] = "/m/a.mkl";
    store.strings[{"Recent File List", "File4"}] = "/m/b.mkl";
    store.strings[{"Recent File List", "File5"}] = "/m/beyond.mkl";
    again.Load(store);
    EXPECT_EQ(again.Paths(), (Paths{"/m/a.mkl", "/m/b.mkl"}));
}

TEST(RecentFileMenuText, NumberedShortenedAndEscaped) {
    EXPECT_EQ(RecentFileMenuText(0, "/home/u/house.mkl", "/home/u"), "&1 house.mkl");
    EXPECT_EQ(RecentFileMenuText(1, "/home/u/house.mkl", "/home/u/"), "&2 house.mkl");
    // Only the directory itself shortens, not a folder below it or one that begins alike.
    EXPECT_EQ(RecentFileMenuText(2, "/home/u/sub/a.x", "/home/u"), "&3 /home/u/sub/a.x");
    EXPECT_EQ(RecentFileMenuText(3, "/home/user/a.x", "/home/u"), "&4 /home/user/a.x");
    // Long paths keep the root and the trailing folders that fit; the name always shows.
    EXPECT_EQ(RecentFileMenuText(0, "/home/someone/projects/models/cars/truck.mkl", "/", 30),
              "&1 /.../models/cars/truck.mkl");
    EXPECT_EQ(RecentFileMenuText(0, "/x/a-file-name-longer-than-the-limit.mkl", "/", 20),
              "&1 a-file-name-longer-than-the-limit.mkl");
    // Characters are counted, not bytes.
    EXPECT_EQ(RecentFileMenuText(0, "/データ/モデル/いえ.mkl", "/", 20),
              "&1 /データ/モデル/いえ.mkl");
    EXPECT_EQ(RecentFileMenuText(0, "/m/R&D.mkl", "/"), "&1 /m/R&&D.mkl");
}

}  // namespace
