// A PPM texture as the image loader reads it.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/image/ppm_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    if (image::LooksLikePpm(bytes)) image::ReadPpm(bytes);
    return 0;
}
