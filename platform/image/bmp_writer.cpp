#include "platform/image/bmp_writer.h"

#include "platform/fileio/atomic_file.h"

namespace image {
namespace {

void Put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

std::optional<std::vector<uint8_t>> EncodeBmp(const Image& img, int bitsPerPixel) {
    if (bitsPerPixel != 24 && bitsPerPixel != 32) return std::nullopt;
    if (!SizeAcceptable(img.width, img.height) ||
        img.argb.size() != size_t(img.width) * size_t(img.height))
        return std::nullopt;

    const size_t w = static_cast<size_t>(img.width);
    const size_t h = static_cast<size_t>(img.height);
    const size_t bytesPerPixel = static_cast<size_t>(bitsPerPixel) / 8;
    // The true padded row length. For the usual pane widths (multiples of 8) it equals the
    // ((width + 7) / 8) * height * bits size the old writer stored, but unlike that formula
    // it is right for every width.
    const size_t stride = (w * bytesPerPixel + 3) & ~size_t{3};
    const size_t imageSize = stride * h;
    constexpr size_t kFileHeader = 14;
    constexpr size_t kInfoHeader = 40;
    const size_t offBits = kFileHeader + kInfoHeader;

    std::vector<uint8_t> out(offBits + imageSize, 0);
    Put16(out, 0, 0x4D42);
    Put32(out, 2, static_cast<uint32_t>(offBits + imageSize));
    Put32(out, 10, static_cast<uint32_t>(offBits));
    Put32(out, 14, kInfoHeader);
    Put32(out, 18, static_cast<uint32_t>(w));
    Put32(out, 22, static_cast<uint32_t>(h));  // positive: bottom-up rows
    Put16(out, 26, 1);
    Put16(out, 28, static_cast<uint32_t>(bitsPerPixel));
    Put32(out, 30, 0);  // BI_RGB
    Put32(out, 34, static_cast<uint32_t>(imageSize));
    // Resolution, colours used and colours important stay 0.

    for (size_t y = 0; y < h; ++y) {
        uint8_t* row = &out[offBits + (h - 1 - y) * stride];
        const uint32_t* src = &img.argb[y * w];
        for (size_t x = 0; x < w; ++x) {
            uint32_t v = src[x];
            row[0] = static_cast<uint8_t>(v);
            row[1] = static_cast<uint8_t>(v >> 8);
            row[2] = static_cast<uint8_t>(v >> 16);
            if (bytesPerPixel == 4) row[3] = static_cast<uint8_t>(v >> 24);
            row += bytesPerPixel;
        }
    }
    return out;
}

bool WriteBmpFile(const std::string& path, const Image& img, int bitsPerPixel, std::string* error) {
    std::optional<std::vector<uint8_t>> bytes = EncodeBmp(img, bitsPerPixel);
    if (!bytes) {
        if (error) *error = path + ": the picture cannot be encoded";
        return false;
    }
    return fileio::WriteFileAtomically(
        path, {reinterpret_cast<const char*>(bytes->data()), bytes->size()}, error);
}

}  // namespace image
