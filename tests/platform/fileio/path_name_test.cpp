#include "platform/fileio/path_name.h"

#include <gtest/gtest.h>

namespace {

TEST(PathName, ExtensionComesFromTheFileNameOnly) {
    struct Case {
        const char* path;
        const char* name;
        const char* extension;
        const char* stem;
    };
    const Case cases[] = {
        {"house.v2.mkl", "house.v2.mkl", "mkl", "house.v2"},
        {"/home/first.last/a.mkl", "a.mkl", "mkl", "a"},
        {"~/.local/share/a.x", "a.x", "x", "a"},
        {"/tmp/tmp.Ab12/a.MKL", "a.MKL", "mkl", "a"},
        {"v1.2/house.mkl", "house.mkl", "mkl", "house"},
        {"v1.2/house", "house", "", "house"},  // a folder's period is no extension
        {"C:\\tex.d\\a.b.Jpeg", "a.b.Jpeg", "jpeg", "a.b"},
        {"/tmp/name.", "name.", "", "name."},
        {"/models/", "", "", ""},
        {"box.x", "box.x", "x", "box"},
        {"/\x83\x65.d/\x83\x65\x83\x4C.BMP", "\x83\x65\x83\x4C.BMP", "bmp", "\x83\x65\x83\x4C"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(fileio::FileNameOf(c.path), c.name);
        EXPECT_EQ(fileio::ExtensionOf(c.path), c.extension);
        EXPECT_EQ(fileio::StemOf(c.path), c.stem);
    }
}

}  // namespace
