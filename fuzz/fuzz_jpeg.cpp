// A JPEG texture or background as the image loader reads it: decoded, then made a picture.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/image/jpeg_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (auto pixels = image::DecodeJpeg(std::span<const uint8_t>(data, size)))
        image::JpegPixelsToImage(*pixels);
    return 0;
}
