// A BMP texture or background as the image loader reads it.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/image/bmp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    if (image::LooksLikeBmp(bytes)) image::ReadBmp(bytes);
    return 0;
}
