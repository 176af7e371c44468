#include "model/path_rules.h"

#include <gtest/gtest.h>

#include "model/current_file.h"

namespace {

using namespace model;

TEST(CurrentFile, SplitRules) {
    CurrentFile f;
    f.Set("/home/ann/models/House.MKL");
    EXPECT_EQ(f.title, "House.MKL");
    EXPECT_EQ(f.extension, "mkl");
    EXPECT_EQ(f.ModelDirectory, "/home/ann/models");
    EXPECT_EQ(f.TitleWithoutExtension(), "House");

    f.Set("/home/ann/my.models/house.mkl");  // the first period decides
    EXPECT_EQ(f.extension, "models/house.mkl");
    f.Set("/home/ann/models/");
    EXPECT_EQ(f.title, "");
    f.Set("box.x");
    EXPECT_EQ(f.title, "box.x");
    EXPECT_EQ(f.extension, "x");
    EXPECT_EQ(f.ModelDirectory, "");
    f.Set("/tmp/name.");
    EXPECT_EQ(f.extension, "");
    f.Set("/box.tar.GZ");
    EXPECT_EQ(f.extension, "tar.gz");
    EXPECT_EQ(f.ModelDirectory, "/");
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
    // A file's path given as the directory: its own directory is used.
    EXPECT_EQ(JoinPath("/home/ann/house.mkl", "a.bmp"), "/home/ann/a.bmp");
    // Written and joined again, a path comes back.
    for (const char* p : {"/home/ann/models/a.bmp", "/home/ann/x/y/a.bmp", "/b.bmp"})
        EXPECT_EQ(JoinPath("/home/ann/models", MakeRelativePath(p, "/home/ann/models")), p);
}

}  // namespace
