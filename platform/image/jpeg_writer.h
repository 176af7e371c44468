// JPEG encoding of a picture: three channels (YCbCr from blue-green-red), 2x2 chroma
// subsampling, a quality from 1 to 100 (the programs' default is 75).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/image/image.h"

namespace image {

inline constexpr int kDefaultJpegQuality = 75;

// The encoded stream; alpha is dropped. Quality outside 1..100 is clamped. Nothing for an
// empty or malformed picture.
std::optional<std::vector<uint8_t>> EncodeJpeg(const Image& img, int quality);

// Encodes and replaces the file atomically; false when nothing was written, with
// "<path>: <reason>" in `error` when given.
bool WriteJpegFile(const std::string& path, const Image& img, int quality,
                   std::string* error = nullptr);

}  // namespace image
