// A decoded picture: rows top first, each pixel 0xAARRGGBB.
#pragma once

#include <cstdint>
#include <vector>

namespace image {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;  // width * height pixels, row 0 at the top

    uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y) * width + x]; }
};

// Limits every reader checks before it allocates, so a header claiming a giant picture is
// refused instead of exhausting memory. 32 Mpixel is 128 MiB of ARGB.
inline constexpr int kMaxImageSide = 32768;
inline constexpr int64_t kMaxImagePixels = int64_t{1} << 25;
// Files are read whole; nothing the programs load legitimately comes near this.
inline constexpr int64_t kMaxImageFileBytes = int64_t{256} << 20;

constexpr bool SizeAcceptable(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
           width * height <= kMaxImagePixels;
}

}  // namespace image
