// Hostile and broken files: each must fail cleanly (or, cut only where nothing is missing,
// decode to the very same picture), never crash, hang or allocate what a header claims.
#include <gtest/gtest.h>

#include <random>

#include "platform/image/bmp_reader.h"
#include "platform/image/bmp_writer.h"
#include "platform/image/jpeg_reader.h"
#include "platform/image/jpeg_writer.h"
#include "platform/image/ppm_reader.h"
#include "test_images.h"
#include "tests/platform/xfile/x_test_util.h"

namespace image {
namespace {

using Decoder = std::optional<Image> (*)(std::span<const uint8_t>);

std::optional<Image> DecodeJpegImage(std::span<const uint8_t> data) {
    auto px = DecodeJpeg(data);
    return px ? JpegPixelsToImage(*px) : std::nullopt;
}

struct Sample {
    const char* name;
    Decoder decode;
    std::vector<uint8_t> file;
};

std::vector<Sample> Samples() {
    Image img = testing::Gradient(9, 5);
    // A text raster cut inside its last number cannot be told from a shorter number, so
    // the last sample has one digit.
    img.argb.back() = 0xFF102005;
    std::string ppm = "P6\n9 5\n255\n";
    std::string p3 = "P3 9 5 255\n";
    for (uint32_t px : img.argb) {
        for (int shift : {16, 8, 0}) {
            ppm.push_back(char(px >> shift & 0xFF));
            p3 += std::to_string(px >> shift & 0xFF) + " ";
        }
    }
    return {
        {"bmp24", ReadBmp, *EncodeBmp(img, 24)},
        {"bmp32", ReadBmp, *EncodeBmp(img, 32)},
        {"bmp8", ReadBmp, testing::MakeBmp(4, 2, 8, 0, {0xFF, 0xFF00}, {0, 1, 1, 0, 1, 0, 0, 1})},
        {"rle8", ReadBmp,
         testing::MakeBmp(5, 2, 8, 1, {0xFF, 0xFF00}, {5, 1, 0, 0, 0, 3, 0, 1, 0, 0, 2, 1, 0, 1})},
        {"ppm6", ReadPpm, {ppm.begin(), ppm.end()}},
        {"ppm3", ReadPpm, {p3.begin(), p3.end()}},
        {"jpeg", DecodeJpegImage, *EncodeJpeg(img, 80)},
    };
}

TEST(HostileImages, TruncationAtEveryOffsetFailsOrLosesNothing) {
    for (const Sample& s : Samples()) {
        SCOPED_TRACE(s.name);
        auto whole = s.decode(s.file);
        ASSERT_TRUE(whole);
        for (size_t cut = 0; cut < s.file.size(); ++cut) {
            auto part = s.decode(std::span(s.file).first(cut));
            if (part) {
                EXPECT_EQ(part->argb, whole->argb) << "cut at " << cut;
            }
        }
    }
}

TEST(HostileImages, CorruptedBytesNeverCrash) {
    std::mt19937 rng(1234);
    for (const Sample& s : Samples()) {
        for (int round = 0; round < 400; ++round) {
            std::vector<uint8_t> bytes = s.file;
            int flips = 1 + int(rng() % 4);
            for (int i = 0; i < flips; ++i) bytes[rng() % bytes.size()] = uint8_t(rng());
            auto img = s.decode(bytes);
            if (img) {
                EXPECT_TRUE(SizeAcceptable(img->width, img->height));
                EXPECT_EQ(img->argb.size(), size_t(img->width) * size_t(img->height));
            }
        }
    }
}

TEST(HostileImages, GiantClaimedSizesAreRefusedBeforeAllocating) {
    // 100000 x 100000 in each header; the files themselves are tiny.
    EXPECT_FALSE(ReadBmp(testing::MakeBmp(100000, 100000, 24, 0, {}, {1, 2, 3, 0})));
    EXPECT_FALSE(ReadBmp(testing::MakeBmp(100000, -100000, 8, 1, {0}, {0, 1})));
    EXPECT_FALSE(ReadBmp(testing::MakeBmp(-5, 5, 24, 0, {}, std::vector<uint8_t>(80))));
    EXPECT_FALSE(ReadBmp(testing::MakeBmp(int32_t(0x80000000u), 1, 24, 0, {}, {0, 0, 0, 0})));
    std::string ppm = "P6 100000 100000 255\n\x01\x02\x03";
    EXPECT_FALSE(ReadPpm(std::vector<uint8_t>(ppm.begin(), ppm.end())));
    std::string p3 = "P3 4000 4000 255\n1 2 3";  // allowed size, far too few samples
    EXPECT_FALSE(ReadPpm(std::vector<uint8_t>(p3.begin(), p3.end())));

    // A JPEG frame header only holds 16-bit sizes: claim 65535 x 65535.
    auto jpeg = *EncodeJpeg(testing::Gradient(8, 8), 75);
    for (size_t i = 0; i + 8 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            for (size_t k = 5; k < 9; ++k) jpeg[i + k] = 0xFF;
            break;
        }
    }
    EXPECT_FALSE(DecodeJpeg(jpeg));

    // A BMP whose pixels start past its end, or whose palette claims 2^32 entries.
    auto bmp = *EncodeBmp(testing::Gradient(2, 2));
    bmp[10] = 0xF0;
    bmp[11] = 0xFF;
    EXPECT_FALSE(ReadBmp(bmp));
    auto pal = testing::MakeBmp(2, 1, 8, 0, {0xFFFFFF}, {0, 0, 0, 0});
    for (size_t k = 46; k < 50; ++k) pal[k] = 0xFF;
    EXPECT_TRUE(ReadBmp(pal));  // only the entries that fit before the pixels are read

    // An RLE stream may legally end early, so the largest picture can be claimed in a few
    // bytes; one cut short is refused without its 128 MiB ever being allocated.
    xtest::HeapTally::Reset();
    EXPECT_FALSE(ReadBmp(testing::MakeBmp(32768, 1024, 8, 1, {0}, {4, 0, 0, 0})));
    EXPECT_LT(xtest::HeapTally::Peak(), size_t{1} << 20);
}

}  // namespace
}  // namespace image
