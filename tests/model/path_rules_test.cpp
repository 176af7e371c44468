#include "model/path_rules.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/current_file.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace model;

TEST(CurrentFile, SplitRules) {
    CurrentFile f;
    f.Set("/home/ann/models/House.MKL");
    EXPECT_EQ(f.title, "House.MKL");
    EXPECT_EQ(f.extension, "mkl");
    EXPECT_EQ(f.ModelDirectory, "/home/ann/models");
    EXPECT_EQ(f.TitleWithoutExtension(), "House");
    f.Set("/home/ann/models/");
    EXPECT_EQ(f.title, "");
    f.Set("/box.tar.GZ");
    EXPECT_EQ(f.extension, "gz");
    EXPECT_EQ(f.ModelDirectory, "/");

    // Periods in folder names never count; the file name's last period does.
    struct Case {
        const char* path;
        const char* extension;
        const char* stem;
    };
    for (const Case& c :
         {Case{"house.v2.mkl", "mkl", "house.v2"}, Case{"/home/first.last/a.mkl", "mkl", "a"},
          Case{"~/.local/share/a.x", "x", "a"}, Case{"/tmp/tmp.Ab12/a.mkl", "mkl", "a"},
          Case{"v1.2/house.mkl", "mkl", "house"}, Case{"/home/ann/my.models/house", "", "house"},
          Case{"/tmp/name.", "", "name."}}) {
        SCOPED_TRACE(c.path);
        f.Set(c.path);
        EXPECT_EQ(f.extension, c.extension);
        EXPECT_EQ(f.TitleWithoutExtension(), c.stem);
    }
}

TEST(CurrentFile, ARelativePathHasTheWorkingDirectoryAsItsFolder) {
    const std::string cwd = std::filesystem::current_path().string();
    const std::string parent = std::filesystem::current_path().parent_path().string();
    CurrentFile f;
    f.Set("box.x");
    EXPECT_EQ(f.title, "box.x");
    EXPECT_EQ(f.path, "box.x");  // the path stays as given
    EXPECT_EQ(f.ModelDirectory, cwd);
    f.Set("v1.2/box.x");
    EXPECT_EQ(f.ModelDirectory, cwd + "/v1.2");
    f.Set("../box.x");
    EXPECT_EQ(f.ModelDirectory, parent);
    f.Clear();
    EXPECT_EQ(f.ModelDirectory, "");
}

TEST(PathRules, RelativeWriting) {
    EXPECT_EQ(MakeRelativePath("/home/ann/models/wood.bmp", "/home/ann/models"), "wood.bmp");
    EXPECT_EQ(MakeRelativePath("/home/ann/models/tex/wood.bmp", "/home/ann/models"),
              "tex\\wood.bmp");
    EXPECT_EQ(MakeRelativePath("/home/ann/tex/wood.bmp", "/home/ann/models/house"),
              "..\\..\\tex\\wood.bmp");
    // A name that merely starts like the directory is not inside it.
    EXPECT_EQ(MakeRelativePath("/home/ann/models2/a.bmp", "/home/ann/models"),
              "..\\models2\\a.bmp");
    EXPECT_EQ(MakeRelativePath("/a.bmp", "/home"), "..\\a.bmp");
    EXPECT_EQ(MakeRelativePath("tex/wood.bmp", "/home/ann"), "tex\\wood.bmp");
    EXPECT_EQ(MakeRelativePath("/home/ann/wood.bmp", ""), "\\home\\ann\\wood.bmp");
}

TEST(PathRules, JoinRule) {
    EXPECT_EQ(JoinPath("/home/ann/models", ""), "/home/ann/models");
    EXPECT_EQ(JoinPath("/home/ann/models", "wood.bmp"), "/home/ann/models/wood.bmp");
    EXPECT_EQ(JoinPath("/home/ann/models/", "\\tex\\wood.bmp"), "/home/ann/models/tex/wood.bmp");
    EXPECT_EQ(JoinPath("/home/ann/models/house", "..\\..\\tex\\wood.bmp"),
              "/home/ann/tex/wood.bmp");
    EXPECT_EQ(JoinPath("/home/ann/models", "../tex/wood.bmp"), "/home/ann/tex/wood.bmp");
    EXPECT_EQ(JoinPath("/home/ann/models", ".\\wood.bmp"), "/home/ann/models/wood.bmp");
    EXPECT_EQ(JoinPath("/home", "..\\..\\..\\a.bmp"), "/a.bmp");  // never above the root
    EXPECT_EQ(JoinPath("/home/ann", "C:\\tex\\a.bmp"), "C:\\tex\\a.bmp");
    EXPECT_EQ(JoinPath("", "a.bmp"), "");
    // Written and joined again, a path comes back.
    for (const char* p : {"/home/ann/models/a.bmp", "/home/ann/x/y/a.bmp", "/b.bmp"})
        EXPECT_EQ(JoinPath("/home/ann/models", MakeRelativePath(p, "/home/ann/models")), p);
}

// A base is cut back to its folder only when it names an existing file; folders with
// periods in their names are folders.
TEST(PathRules, JoinCutsBackOnlyAnExistingFile) {
    testing_support::TempDir dir;
    std::filesystem::create_directories(dir.File("v1.2/tmp.Ab12"));
    testing_support::WriteFile(dir.File("v1.2/house.mkl"), "");
    const std::string v12 = dir.File("v1.2");
    struct Case {
        std::string base;
        const char* relative;
        std::string joined;
    };
    for (const Case& c : {Case{v12, "wood.bmp", v12 + "/wood.bmp"},
                          Case{v12 + "/", "tex\\wood.bmp", v12 + "/tex/wood.bmp"},
                          Case{v12 + "/tmp.Ab12", "..\\wood.bmp", v12 + "/wood.bmp"},
                          Case{v12 + "/house.mkl", "wood.bmp", v12 + "/wood.bmp"},
                          Case{v12 + "/gone.mkl", "wood.bmp", v12 + "/gone.mkl/wood.bmp"}}) {
        SCOPED_TRACE(c.base);
        EXPECT_EQ(JoinPath(c.base, c.relative), c.joined);
    }
}

}  // namespace
