#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

#include "platform/image/jpeg_reader.h"
#include "platform/image/jpeg_writer.h"
#include "test_images.h"

namespace image {
namespace {

// Encodes raw samples straight through libjpeg, for the channel counts the program's own
// writer never produces.
std::vector<uint8_t> RawJpeg(int width, int height, int components, J_COLOR_SPACE in,
                             J_COLOR_SPACE stored, const std::vector<uint8_t>& samples,
                             bool progressive = false) {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buf = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buf, &size);
    c.image_width = JDIMENSION(width);
    c.image_height = JDIMENSION(height);
    c.input_components = components;
    c.in_color_space = in;
    jpeg_set_defaults(&c);
    jpeg_set_colorspace(&c, stored);
    jpeg_set_quality(&c, 100, TRUE);
    if (progressive) jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) {
        JSAMPROW row =
            const_cast<uint8_t*>(samples.data()) + size_t(c.next_scanline) * width * components;
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::vector<uint8_t> out(buf, buf + size);
    std::free(buf);
    return out;
}

TEST(JpegReader, GreyBecomesEqualBlueGreenRedWithRowPadding) {
    std::vector<uint8_t> grey = {0, 60, 120, 200, 255, 30, 90, 150, 210, 240};
    auto px = DecodeJpeg(RawJpeg(5, 2, 1, JCS_GRAYSCALE, JCS_GRAYSCALE, grey));
    ASSERT_TRUE(px);
    EXPECT_EQ(px->channels, 3);
    EXPECT_EQ(px->padBytes, 1);  // 15 bytes rounded up to 16
    ASSERT_EQ(px->bytes.size(), 32u);
    for (int y = 0; y < 2; ++y) {
        const uint8_t* row = px->bytes.data() + px->Stride() * y;
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(row[3 * x], row[3 * x + 1]);
            EXPECT_EQ(row[3 * x], row[3 * x + 2]);
            EXPECT_NEAR(row[3 * x], grey[size_t(y) * 5 + x], 2);
        }
        EXPECT_EQ(row[15], 0);
    }
}

TEST(JpegReader, OnePixelWideColourImageHasOnePadByteAndTopRowFirst) {
    Image column{1, 16, {}};
    for (int y = 0; y < 16; ++y) column.argb.push_back(y < 8 ? 0xFFFFFFFF : 0xFF000000);
    auto file = EncodeJpeg(column, 95);
    ASSERT_TRUE(file);
    auto px = DecodeJpeg(*file);
    ASSERT_TRUE(px);
    EXPECT_EQ(px->channels, 3);
    EXPECT_EQ(px->padBytes, 1);
    EXPECT_EQ(px->Stride(), 4u);
    EXPECT_GT(px->bytes[0], 240);      // white at the top
    EXPECT_LT(px->bytes[15 * 4], 15);  // black at the bottom
}

TEST(JpegReader, FourChannelsAreSwappedAndPremultipliedByAlpha) {
    // Stored as YCbCr plus alpha: libjpeg's YCCK path takes inverted colours.
    auto pixel = [](uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
        return std::vector<uint8_t>{uint8_t(255 - r), uint8_t(255 - g), uint8_t(255 - b), a};
    };
    std::vector<uint8_t> samples;
    for (int i = 0; i < 64; ++i) {
        auto p = i < 32 ? pixel(250, 120, 10, 0) : pixel(200, 100, 50, 255);
        samples.insert(samples.end(), p.begin(), p.end());
    }
    auto px = DecodeJpeg(RawJpeg(8, 8, 4, JCS_CMYK, JCS_YCCK, samples));
    ASSERT_TRUE(px);
    ASSERT_EQ(px->channels, 4);
    EXPECT_EQ(px->padBytes, 0);
    auto img = JpegPixelsToImage(*px);
    ASSERT_TRUE(img);
    // Alpha 0 gives transparent black whatever the colour.
    EXPECT_EQ(img->At(0, 0), 0u);
    EXPECT_EQ(img->At(7, 3), 0u);
    // Alpha 255 keeps the colour, (c * 255 + 1) >> 8 being one step under c.
    uint32_t solid = img->At(3, 6);
    EXPECT_EQ(solid >> 24, 255u);
    EXPECT_NEAR(int(solid >> 16 & 0xFF), 199, 3);
    EXPECT_NEAR(int(solid >> 8 & 0xFF), 99, 3);
    EXPECT_NEAR(int(solid & 0xFF), 49, 3);
}

TEST(JpegReader, ProgressiveFilesDecodeAndTheirTruncationFails) {
    std::vector<uint8_t> bgr;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 32; ++x) {
            bgr.push_back(uint8_t(x * 8));
            bgr.push_back(uint8_t(255 - y * 8));
            bgr.push_back(128);
        }
    }
    auto file = RawJpeg(32, 16, 3, JCS_EXT_BGR, JCS_YCbCr, bgr, true);
    auto px = DecodeJpeg(file);
    ASSERT_TRUE(px);
    ASSERT_EQ(px->width, 32);
    ASSERT_EQ(px->Stride(), 96u);
    for (size_t i = 0; i < bgr.size(); ++i) EXPECT_NEAR(px->bytes[i], bgr[i], 6) << i;
    // Cut inside the later scans: the picture is incomplete, so no picture at all.
    EXPECT_FALSE(DecodeJpeg(std::span(file).first(file.size() * 3 / 4)));
}

TEST(JpegWriter, RoundTripKeepsColoursAndUsesQualityAndSubsampling) {
    Image img = testing::Gradient(64, 48);
    auto fine = EncodeJpeg(img, 95);
    auto coarse = EncodeJpeg(img, 10);
    ASSERT_TRUE(fine && coarse);
    EXPECT_LT(coarse->size(), fine->size());

    auto back = JpegPixelsToImage(*DecodeJpeg(*fine));
    ASSERT_TRUE(back);
    ASSERT_EQ(back->width, 64);
    ASSERT_EQ(back->height, 48);
    int worst = 0;
    for (size_t i = 0; i < img.argb.size(); ++i)
        for (int shift : {0, 8, 16})
            worst = std::max(worst, std::abs(int(img.argb[i] >> shift & 0xFF) -
                                             int(back->argb[i] >> shift & 0xFF)));
    EXPECT_LT(worst, 24);
    EXPECT_EQ(back->argb[0] >> 24, 0xFFu);

    // The stored sampling factors: luma 2 x 2, chroma 1 x 1.
    jpeg_decompress_struct d{};
    jpeg_error_mgr err{};
    d.err = jpeg_std_error(&err);
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, fine->data(), fine->size());
    jpeg_read_header(&d, TRUE);
    EXPECT_EQ(d.jpeg_color_space, JCS_YCbCr);
    EXPECT_EQ(d.comp_info[0].h_samp_factor, 2);
    EXPECT_EQ(d.comp_info[0].v_samp_factor, 2);
    EXPECT_EQ(d.comp_info[1].h_samp_factor, 1);
    EXPECT_EQ(d.comp_info[2].v_samp_factor, 1);
    jpeg_destroy_decompress(&d);

    EXPECT_FALSE(EncodeJpeg(Image{}, 75));
}

}  // namespace
}  // namespace image
