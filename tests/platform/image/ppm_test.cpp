#include <gtest/gtest.h>

#include <string>

#include "platform/image/ppm_reader.h"

namespace image {
namespace {

std::vector<uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

TEST(PpmReader, TextAndBinaryWithCommentsAndWideSamples) {
    // Comments may sit between any header fields; samples scale to 8 bits.
    auto text =
        ReadPpm(Bytes("P3\n# made by hand\n2 1 # size\n# depth next\n10\n"
                      "10 0 5  0 10\n10\n"));
    ASSERT_TRUE(text);
    EXPECT_EQ(text->argb, (std::vector<uint32_t>{0xFFFF0080, 0xFF00FFFF}));

    std::string raw = "P6 2 1 255\n";
    raw += std::string("\x01\x02\x03\xFF\x80\x00", 6);
    auto binary = ReadPpm(Bytes(raw));
    ASSERT_TRUE(binary);
    EXPECT_EQ(binary->argb, (std::vector<uint32_t>{0xFF010203, 0xFFFF8000}));

    // Above 255 each sample is two bytes, most significant first.
    std::string wide = "P6\n1 1\n65535\n";
    wide += std::string("\xFF\xFF\x80\x00\x00\x00", 6);
    auto deep = ReadPpm(Bytes(wide));
    ASSERT_TRUE(deep);
    EXPECT_EQ(deep->argb, (std::vector<uint32_t>{0xFFFF8000}));
}

TEST(PpmReader, RefusesMalformedHeadersAndSamples) {
    for (const char* bad : {"P3 2 1 0\n0 0 0 0 0 0",     // maxval 0
                            "P3 1 1 65536\n0 0 0",       // maxval too deep
                            "P3 1 1 10\n0 11 0",         // sample above maxval
                            "P3 1 1 10\n0 x 0",          // not a number
                            "P3 -1 1 255\n0 0 0",        // no sign allowed
                            "P6 1 1 255",                // no raster at all
                            "P3 1 1 9999999999\n0 0 0",  // overlong number
                            "P5 1 1 255\n\x01"}) {       // greymap, not a pixmap
        EXPECT_FALSE(ReadPpm(Bytes(bad))) << bad;
    }
}

}  // namespace
}  // namespace image
