// Windows BMP decoding: 1, 4 and 8 bits with a colour table (RLE8 and RLE4 included), 16 bits
// (5-5-5 or bit fields such as 5-6-5), 24 and 32 bits; bottom-up and top-down rows; the
// 12-byte core header and the 40- to 124-byte info headers.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/image/image.h"

namespace image {

// True when the bytes start like a BMP file ("BM").
bool LooksLikeBmp(std::span<const uint8_t> data);

// The picture, or nothing when the file is not a BMP this reader handles, is truncated, or
// claims a size beyond the readers' limits.
std::optional<Image> ReadBmp(std::span<const uint8_t> data);

}  // namespace image
