#include <gtest/gtest.h>
#include <png.h>

#include "platform/image/png_writer.h"

namespace image {
namespace {

// Decodes with libpng's own reader: what any viewer would see.
std::vector<uint8_t> DecodeRgb(const std::vector<uint8_t>& file, int& width, int& height) {
    png_image decoded{};
    decoded.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&decoded, file.data(), file.size())) return {};
    decoded.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(decoded));
    if (!png_image_finish_read(&decoded, nullptr, pixels.data(), 0, nullptr)) return {};
    width = static_cast<int>(decoded.width);
    height = static_cast<int>(decoded.height);
    return pixels;
}

TEST(PngWriter, KeepsEveryPixelTopRowFirstAndDropsAlpha) {
    Image img;
    img.width = 3;
    img.height = 2;
    img.argb = {0xFFFF0000, 0x8000FF00, 0x000000FF, 0xFFFFFFFF, 0xFF000000, 0xFF123456};
    const std::optional<std::vector<uint8_t>> file = EncodePng(img);
    ASSERT_TRUE(file);
    int w = 0, h = 0;
    const std::vector<uint8_t> rgb = DecodeRgb(*file, w, h);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    EXPECT_EQ(rgb, (std::vector<uint8_t>{255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0,
                                         0x12, 0x34, 0x56}));
}

TEST(PngWriter, RefusesPicturesThatDoNotHoldTheirPixels) {
    const struct {
        int width, height;
        size_t pixels;
    } cases[] = {{0, 0, 0}, {2, 2, 3}, {-1, 4, 4}};
    for (const auto& c : cases) {
        Image img;
        img.width = c.width;
        img.height = c.height;
        img.argb.resize(c.pixels);
        EXPECT_FALSE(EncodePng(img)) << c.width << "x" << c.height;
        EXPECT_FALSE(WritePngFile("/nonexistent.d/x.png", img));
    }
}

}  // namespace
}  // namespace image
