// Windows BMP encoding of a picture: 24 or 32 bits per pixel, bottom-up rows, no colour table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/image/image.h"

namespace image {

// The whole file: a 14-byte file header ("BM", file size, two zero reserved words, pixel
// offset), a 40-byte BITMAPINFOHEADER, then the rows bottom first, each padded to 4 bytes.
// 32-bit pixels keep the picture's alpha byte. Nothing for other depths or an empty picture.
std::optional<std::vector<uint8_t>> EncodeBmp(const Image& img, int bitsPerPixel = 24);

// Encodes and replaces the file atomically; false when nothing was written, with
// "<path>: <reason>" in `error` when given.
bool WriteBmpFile(const std::string& path, const Image& img, int bitsPerPixel = 24,
                  std::string* error = nullptr);

}  // namespace image
