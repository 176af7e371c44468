// PNG encoding of a picture: 8-bit RGB, no interlacing; alpha is dropped, as in the 24-bit BMP.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/image/image.h"

namespace image {

// The encoded file. Nothing for an empty or malformed picture.
std::optional<std::vector<uint8_t>> EncodePng(const Image& img);

// Encodes and replaces the file atomically; false when nothing was written, with
// "<path>: <reason>" in `error` when given.
bool WritePngFile(const std::string& path, const Image& img, std::string* error = nullptr);

}  // namespace image
