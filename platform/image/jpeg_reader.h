// JPEG decoding into the byte layout the program's bitmaps use.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/image/image.h"

namespace image {

// Decoded samples: rows top first, `channels` bytes per pixel, each row padded with zero
// bytes to a multiple of 4. Grey and three-channel files come out as blue, green, red; a
// four-channel file (YCbCr plus alpha) as blue, green, red, alpha with the colours
// premultiplied by alpha ((c * a + 1) >> 8); other channel counts as the raw samples.
struct JpegPixels {
    int width = 0;
    int height = 0;
    int channels = 0;
    int padBytes = 0;
    std::vector<uint8_t> bytes;

    size_t Stride() const { return size_t(width) * size_t(channels) + size_t(padBytes); }
};

// Nothing when the stream cannot be parsed or decoded, is truncated or corrupt, or claims
// a size beyond the readers' limits.
std::optional<JpegPixels> DecodeJpeg(std::span<const uint8_t> data);

// The decoded samples as a picture: three channels opaque, four channels with their
// (premultiplied) alpha. Nothing for other channel counts, which have no colour meaning.
std::optional<Image> JpegPixelsToImage(const JpegPixels& pixels);

}  // namespace image
