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
    EXPECT_EQ(list.Capacity(), 4u);
    for (const char* p : {"/m/a.mkl", "/m/b.mkl", "/m/c.x", "/m/d.mkl"}) list.Add(p);
    EXPECT_EQ(list.Paths(), (Paths{"/m/d.mkl", "/m/c.x", "/m/b.mkl", "/m/a.mkl"}));

    list.Add("/m/b.mkl");  // moves up, nothing drops off
    EXPECT_EQ(list.Paths(), (Paths{"/m/b.mkl", "/m/d.mkl", "/m/c.x", "/m/a.mkl"}));
    list.Add("/m/sub/../a.mkl");  // the same file by another spelling
    EXPECT_EQ(list.Paths(), (Paths{"/m/a.mkl", "/m/b.mkl", "/m/d.mkl", "/m/c.x"}));
    list.Add("/m/e.mkl");  // the oldest goes
    EXPECT_EQ(list.Paths(), (Paths{"/m/e.mkl", "/m/a.mkl", "/m/b.mkl", "/m/d.mkl"}));
    list.Add("/m/E.mkl");  // Linux names differ by case
    EXPECT_EQ(list.Paths().front(), "/m/E.mkl");
    EXPECT_EQ(list.Paths().size(), 4u);

    list.Add("");
    EXPECT_EQ(list.Paths().front(), "/m/E.mkl");
    list.Remove(0);
    list.Remove(10);
    EXPECT_EQ(list.Paths(), (Paths{"/m/e.mkl", "/m/a.mkl", "/m/b.mkl"}));
}

TEST(RecentFileList, RelativePathsAreStoredAbsolute) {
    RecentFileList list;
    list.Add("models/house.mkl");
    const std::string expected =
        (std::filesystem::current_path() / "models" / "house.mkl").lexically_normal().string();
    EXPECT_EQ(list.Paths(), (Paths{expected}));
}

TEST(RecentFileList, KeptInTheSettingsStore) {
    MemorySettings store;
    RecentFileList list;
    list.Add("/m/a.mkl");
    list.Add("/m/b.x");
    list.Save(store);
    EXPECT_EQ(store.strings.at({"Recent File List", "File1"}), "/m/b.x");
    EXPECT_EQ(store.strings.at({"Recent File List", "File2"}), "/m/a.mkl");
    EXPECT_EQ(store.strings.at({"Recent File List", "File3"}), "");
    EXPECT_EQ(store.strings.at({"Recent File List", "File4"}), "");

    RecentFileList again;
    again.Add("/m/stale.mkl");
    again.Load(store);
    EXPECT_EQ(again.Paths(), list.Paths());

    // A shorter list blanks the slots it no longer uses.
    store.strings[{"Recent File List", "File3"}] = "/m/old.mkl";
    store.strings[{"Recent File List", "File4"}] = "/m/older.mkl";
    again.Remove(0);
    again.Save(store);
    EXPECT_EQ(store.strings.at({"Recent File List", "File2"}), "");
    EXPECT_EQ(store.strings.at({"Recent File List", "File3"}), "");
}

TEST(RecentFileList, LoadSkipsGapsAndRepeats) {
    MemorySettings store;
    store.strings[{"Recent File List", "File1"}] = "/m/a.mkl";
    store.strings[{"Recent File List", "File2"}] = "";
    store.strings[{"Recent File List", "File3"}] = "/m/a.mkl";
    store.strings[{"Recent File List", "File4"}] = "/m/b.mkl";
    store.strings[{"Recent File List", "File5"}] = "/m/beyond.mkl";
    RecentFileList list;
    list.Load(store);
    EXPECT_EQ(list.Paths(), (Paths{"/m/a.mkl", "/m/b.mkl"}));

    MemorySettings nothing;
    list.Load(nothing);
    EXPECT_TRUE(list.Paths().empty());
}

TEST(RecentFileMenuText, NumberedShortenedAndEscaped) {
    EXPECT_EQ(RecentFileMenuText(0, "/home/u/house.mkl", "/home/u"), "&1 house.mkl");
    EXPECT_EQ(RecentFileMenuText(1, "/home/u/house.mkl", "/home/u/"), "&2 house.mkl");
    // Only the directory itself shortens, not a folder below it or one that merely begins alike.
    EXPECT_EQ(RecentFileMenuText(2, "/home/u/sub/a.x", "/home/u"), "&3 /home/u/sub/a.x");
    EXPECT_EQ(RecentFileMenuText(3, "/home/user/a.x", "/home/u"), "&4 /home/user/a.x");
    EXPECT_EQ(RecentFileMenuText(0, "/a.x", "/"), "&1 a.x");

    // Long paths keep the root and the trailing folders that fit.
    EXPECT_EQ(RecentFileMenuText(0, "/home/someone/projects/models/cars/truck.mkl", "/", 30),
              "&1 /.../models/cars/truck.mkl");
    EXPECT_EQ(RecentFileMenuText(0, "/a/very-long-folder-name-indeed/t.mkl", "/", 20),
              "&1 /.../t.mkl");
    // A name too long for even that shows whole.
    EXPECT_EQ(RecentFileMenuText(0, "/x/a-file-name-longer-than-the-limit.mkl", "/", 20),
              "&1 a-file-name-longer-than-the-limit.mkl");
    // Characters are counted, not bytes: ten kana fit in 30.
    EXPECT_EQ(RecentFileMenuText(0, "/データ/モデル/いえ.mkl", "/", 30),
              "&1 /データ/モデル/いえ.mkl");
    EXPECT_EQ(RecentFileMenuText(0, "/m/R&D.mkl", "/"), "&1 /m/R&&D.mkl");
}

}  // namespace
