// Small pictures built byte by byte, shared by the image codec tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/image/image.h"

namespace image::testing {

inline void Put(std::vector<uint8_t>& out, uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A BMP with a 40-byte info header (bit-field masks after it when given), the palette as
// 0x00RRGGBB entries and the pixel bytes exactly as they are to be stored.
inline std::vector<uint8_t> MakeBmp(int32_t width, int32_t height, int bits, uint32_t compression,
                                    const std::vector<uint32_t>& palette,
                                    const std::vector<uint8_t>& pixels,
                                    const std::vector<uint32_t>& masks = {}) {
    uint32_t offBits = static_cast<uint32_t>(14 + 40 + 4 * masks.size() + 4 * palette.size());
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put(out, offBits + static_cast<uint32_t>(pixels.size()), 4);
    Put(out, 0, 4);
    Put(out, offBits, 4);
    Put(out, 40, 4);
    Put(out, static_cast<uint32_t>(width), 4);
    Put(out, static_cast<uint32_t>(height), 4);
    Put(out, 1, 2);
    Put(out, static_cast<uint32_t>(bits), 2);
    Put(out, compression, 4);
    Put(out, static_cast<uint32_t>(pixels.size()), 4);
    Put(out, 0, 8);
    Put(out, static_cast<uint32_t>(palette.size()), 4);
    Put(out, 0, 4);
    for (uint32_t m : masks) Put(out, m, 4);
    for (uint32_t c : palette) Put(out, c, 4);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

inline Image Gradient(int width, int height) {
    Image img{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            img.argb.push_back(0xFF000000u | uint32_t(x * 255 / std::max(1, width - 1)) << 16 |
                               uint32_t(y * 255 / std::max(1, height - 1)) << 8 |
                               uint32_t((x + y) * 255 / std::max(1, width + height - 2)));
    return img;
}

// A fresh directory under the build tree for files a test writes.
inline std::filesystem::path TestDir(const std::string& name) {
    auto dir = std::filesystem::path(MOKKEL_BINARY_DIR) / "test-output" / "image" / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace image::testing
