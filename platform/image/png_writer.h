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

// Encodes and saves through a temporary file; false when nothing was written.
bool WritePngFile(const std::string& path, const Image& img);

}  // namespace image
