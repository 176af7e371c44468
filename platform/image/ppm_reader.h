// Netpbm colour pictures: P6 (binary) and P3 (text), maximum sample values up to 65535,
// comments between header fields.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "platform/image/image.h"

namespace image {

// True when the bytes start with the magic of a P3 or P6 file.
bool LooksLikePpm(std::span<const uint8_t> data);

// The picture (samples scaled to 8 bits, opaque), or nothing when the file is malformed,
// truncated or claims a size beyond the readers' limits. Only the first picture of a file
// is read.
std::optional<Image> ReadPpm(std::span<const uint8_t> data);

}  // namespace image
