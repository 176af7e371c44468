#include <gtest/gtest.h>

#include "platform/image/bmp_reader.h"
#include "platform/image/bmp_writer.h"
#include "test_images.h"

namespace image {
namespace {

using testing::MakeBmp;

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;
constexpr uint32_t kWhite = 0xFFFFFFFF, kBlack = 0xFF000000;

// Every depth stores the same 3 x 2 picture: top row red, green, blue; bottom row white,
// black, red. Rows are given bottom first unless the height is negative.
TEST(BmpReader, DecodesEveryDepthToTheSamePicture) {
    const std::vector<uint32_t> expected = {kRed, kGreen, kBlue, kWhite, kBlack, kRed};
    const std::vector<uint32_t> palette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000};
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
    };
    const std::vector<Case> cases = {
        {"1 bit", MakeBmp(3, 2, 1, 0, {0xFF0000, 0xFFFFFF},
                          {0b11000000, 0, 0, 0, 0b00000000, 0, 0, 0})},  // only red/white
        {"4 bit", MakeBmp(3, 2, 4, 0, palette, {0x34, 0x00, 0, 0, 0x01, 0x20, 0, 0})},
        {"8 bit", MakeBmp(3, 2, 8, 0, palette, {3, 4, 0, 0, 0, 1, 2, 0})},
        {"8 bit top-down", MakeBmp(3, -2, 8, 0, palette, {0, 1, 2, 0, 3, 4, 0, 0})},
        {"24 bit", MakeBmp(3, 2, 24, 0, {}, {255, 255, 255, 0, 0,   0, 0,   0, 255, 0, 0, 0,
                                             0,   0,   255, 0, 255, 0, 255, 0, 0,   0, 0, 0})},
        {"32 bit", MakeBmp(3, 2, 32, 0, {}, {255, 255, 255, 0, 0, 0,   0, 0, 0,   0, 255, 0,
                                             0,   0,   255, 0, 0, 255, 0, 0, 255, 0, 0,   0})},
        // 5-5-5: red 0x7C00, green 0x03E0, blue 0x001F, white 0x7FFF.
        {"16 bit 5-5-5",
         MakeBmp(3, 2, 16, 0, {},
                 {0xFF, 0x7F, 0, 0, 0, 0x7C, 0, 0, 0, 0x7C, 0xE0, 0x03, 0x1F, 0, 0, 0})},
        // 5-6-5 bit fields: red 0xF800, green 0x07E0, blue 0x001F.
        {"16 bit 5-6-5",
         MakeBmp(3, 2, 16, 3, {},
                 {0xFF, 0xFF, 0, 0, 0, 0xF8, 0, 0, 0, 0xF8, 0xE0, 0x07, 0x1F, 0, 0, 0},
                 {0xF800, 0x07E0, 0x001F})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto img = ReadBmp(c.file);
        ASSERT_TRUE(img);
        ASSERT_EQ(img->width, 3);
        ASSERT_EQ(img->height, 2);
        if (std::string(c.name) == "1 bit") {
            EXPECT_EQ(img->argb, (std::vector<uint32_t>{kRed, kRed, kRed, kWhite, kWhite, kRed}));
        } else {
            EXPECT_EQ(img->argb, expected);
        }
    }
}

TEST(BmpReader, Rle8AndRle4RunsAbsoluteRunsDeltasAndLineEnds) {
    const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    // 5 x 3, bottom row first: run of 2 x index 1 then absolute 3 (1, 2, 3, padded); EOL;
    // delta (2, 0) then run 1 x index 3; EOL; run 5 x index 2; end of bitmap.
    auto rle8 = MakeBmp(5, 3, 8, 1, palette,
                        {2, 1, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 0, 1, 3, 0, 0, 5, 2, 0, 1});
    auto img = ReadBmp(rle8);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->argb,
              (std::vector<uint32_t>{kGreen, kGreen, kGreen, kGreen, kGreen, kBlack, kBlack, kBlue,
                                     kBlack, kBlack, kRed, kRed, kRed, kGreen, kBlue}));

    // RLE4 alternates the two nibbles of a run; an absolute run of 3 nibbles takes 2 bytes.
    auto rle4 = MakeBmp(5, 1, 4, 2, palette, {3, 0x12, 0, 3, 0x32, 0x10, 0, 1});
    img = ReadBmp(rle4);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->argb, (std::vector<uint32_t>{kRed, kGreen, kRed, kBlue, kGreen}));
}

TEST(BmpWriter, HeaderOfA320By200PaneAndPaddingOfOnePixelRows) {
    auto file = EncodeBmp(testing::Gradient(320, 200), 24);
    ASSERT_TRUE(file);
    auto u32 = [&](size_t at) {
        return uint32_t((*file)[at]) | uint32_t((*file)[at + 1]) << 8 |
               uint32_t((*file)[at + 2]) << 16 | uint32_t((*file)[at + 3]) << 24;
    };
    EXPECT_EQ((*file)[0], 'B');
    EXPECT_EQ((*file)[1], 'M');
    EXPECT_EQ(u32(34), 320u * 200 * 3);             // biSizeImage
    EXPECT_EQ(u32(34), (320u + 7) / 8 * 200 * 24);  // the same value
    EXPECT_EQ(u32(10), 54u);                        // bfOffBits
    EXPECT_EQ(u32(2), 54u + 320 * 200 * 3);         // bfSize
    EXPECT_EQ(u32(6), 0u);                          // reserved words
    EXPECT_EQ(u32(14), 40u);
    EXPECT_EQ(u32(18), 320u);
    EXPECT_EQ(u32(22), 200u);  // positive: bottom-up
    EXPECT_EQ(u32(26), 1u | 24u << 16);
    EXPECT_EQ(u32(30), 0u);
    EXPECT_EQ(file->size(), u32(2));

    // One pixel wide: 3 bytes plus 1 pad byte per row, and the bottom row comes first.
    Image column{1, 2, {0xFF102030, 0xFF405060}};
    file = EncodeBmp(column, 24);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->size(), 54u + 2 * 4);
    EXPECT_EQ(std::vector<uint8_t>(file->begin() + 54, file->end()),
              (std::vector<uint8_t>{0x60, 0x50, 0x40, 0, 0x30, 0x20, 0x10, 0}));
}

TEST(BmpWriter, RoundTripsThroughTheReaderAtBothDepths) {
    for (int bits : {24, 32}) {
        for (auto [w, h] : {std::pair{1, 1}, {7, 3}, {33, 17}}) {
            Image img = testing::Gradient(w, h);
            auto file = EncodeBmp(img, bits);
            ASSERT_TRUE(file);
            auto back = ReadBmp(*file);
            ASSERT_TRUE(back);
            EXPECT_EQ(back->argb, img.argb) << bits << " bits, " << w << " x " << h;
        }
    }
    EXPECT_FALSE(EncodeBmp(testing::Gradient(2, 2), 8));
    EXPECT_FALSE(EncodeBmp(Image{2, 2, {1, 2, 3}}, 24));  // pixel count does not match
}

TEST(BmpWriter, ReplacesTheTargetWholeAndLeavesNoTemporaryFile) {
    auto dir = testing::TestDir("bmp_writer");
    auto path = dir / "shot.bmp";
    testing::WriteBytes(path, std::vector<uint8_t>(100000, 'x'));
    ASSERT_TRUE(WriteBmpFile(path.string(), testing::Gradient(4, 4)));
    auto bytes = testing::ReadBytes(path);
    EXPECT_EQ(bytes.size(), 54u + 4 * 4 * 3);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);

    EXPECT_FALSE(WriteBmpFile((dir / "missing" / "shot.bmp").string(), testing::Gradient(4, 4)));
    EXPECT_FALSE(WriteBmpFile(dir.string() + "/", testing::Gradient(4, 4)));
}

}  // namespace
}  // namespace image
