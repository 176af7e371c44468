// A rendered picture as a binary PPM file, to look at while writing a test or a benchmark.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/rm/device.h"

namespace testing_support {

inline void DumpPpm(const rm::PixelView& p, const std::string& path) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return;
    std::fprintf(out, "P6\n%d %d\n255\n", p.width, p.height);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const uint32_t c = p.pixels[y * p.stride + x];
            const unsigned char rgb[3] = {static_cast<unsigned char>(c >> 16),
                                          static_cast<unsigned char>(c >> 8),
                                          static_cast<unsigned char>(c)};
            std::fwrite(rgb, 1, 3, out);
        }
    std::fclose(out);
}

}  // namespace testing_support
