#include "platform/image/bmp_reader.h"

#include <bit>
#include <vector>

namespace image {
namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;
constexpr uint32_t kOpaqueBlack = 0xFF000000u;

uint16_t U16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t U32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

// One colour channel of a 16- or 32-bit pixel, scaled to 8 bits whatever its width.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit Channel(uint32_t m) : mask(m) {
        if (mask != 0) {
            shift = std::countr_zero(mask);
            max = mask >> shift;
        }
    }
    uint32_t Get(uint32_t pixel, uint32_t absent) const {
        if (max == 0) return absent;
        uint64_t v = (pixel & mask) >> shift;
        return static_cast<uint32_t>((v * 255 + max / 2) / max);
    }
};

struct Header {
    int64_t width = 0;
    int64_t height = 0;  // always positive here; topDown says which way rows run
    bool topDown = false;
    int bits = 0;
    uint32_t compression = kBiRgb;
    uint32_t colorsUsed = 0;
    uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    bool hasMasks = false;
    size_t paletteOffset = 0;
    size_t paletteEntrySize = 4;
    size_t pixelOffset = 0;
};

std::optional<Header> ParseHeader(std::span<const uint8_t> d) {
    if (d.size() < 18 || !LooksLikeBmp(d)) return std::nullopt;
    Header h;
    h.pixelOffset = U32(&d[10]);
    uint32_t infoSize = U32(&d[14]);
    if (infoSize == 12) {
        if (d.size() < 26) return std::nullopt;
        h.width = U16(&d[18]);
        h.height = U16(&d[20]);
        h.bits = U16(&d[24]);
        h.paletteEntrySize = 3;
    } else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 108 ||
               infoSize == 124) {
        if (d.size() < 14 + size_t{infoSize}) return std::nullopt;
        h.width = static_cast<int32_t>(U32(&d[18]));
        int64_t height = static_cast<int32_t>(U32(&d[22]));
        h.topDown = height < 0;
        h.height = height < 0 ? -height : height;
        h.bits = U16(&d[28]);
        h.compression = U32(&d[30]);
        h.colorsUsed = U32(&d[46]);
    } else {
        return std::nullopt;
    }
    h.paletteOffset = 14 + size_t{infoSize};

    if (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) {
        size_t count = h.compression == kBiAlphaBitfields ? 4 : 3;
        size_t at = 54;  // masks inside a larger header, or right after the 40-byte one
        if (infoSize == 40) h.paletteOffset += 4 * count;
        if (infoSize >= 56) count = 4;
        if (d.size() < at + 4 * count) return std::nullopt;
        for (size_t i = 0; i < count; ++i) h.masks[i] = U32(&d[at + 4 * i]);
        h.hasMasks = true;
    }

    if (!SizeAcceptable(h.width, h.height)) return std::nullopt;
    switch (h.compression) {
        case kBiRgb:
            if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 &&
                h.bits != 32)
                return std::nullopt;
            break;
        case kBiRle8:
            if (h.bits != 8) return std::nullopt;
            break;
        case kBiRle4:
            if (h.bits != 4) return std::nullopt;
            break;
        case kBiBitfields:
        case kBiAlphaBitfields:
            if (h.bits != 16 && h.bits != 32) return std::nullopt;
            break;
        default:
            return std::nullopt;  // embedded JPEG/PNG and the rest
    }
    if (h.pixelOffset < h.paletteOffset || h.pixelOffset > d.size()) return std::nullopt;
    return h;
}

std::vector<uint32_t> ReadPalette(std::span<const uint8_t> d, const Header& h) {
    size_t count = size_t{1} << h.bits;
    if (h.colorsUsed != 0 && h.colorsUsed < count) count = h.colorsUsed;
    // Entries never overlap the pixels, however many the header claims.
    size_t room = (h.pixelOffset - h.paletteOffset) / h.paletteEntrySize;
    if (room < count) count = room;
    std::vector<uint32_t> palette(size_t{1} << h.bits, kOpaqueBlack);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* p = &d[h.paletteOffset + i * h.paletteEntrySize];
        palette[i] = kOpaqueBlack | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
    }
    return palette;
}

// RLE8/RLE4: runs, absolute runs, end of line, end of bitmap and deltas. Pixels the stream
// skips keep colour 0. Each step consumes input, so a hostile stream cannot loop. Without
// `img` the stream is only followed, to tell whether it is whole.
bool DecodeRle(std::span<const uint8_t> d, const Header& h, const std::vector<uint32_t>& palette,
               Image* img) {
    const bool four = h.compression == kBiRle4;
    const int64_t w = h.width;
    const int64_t rows = h.height;
    int64_t x = 0;
    int64_t y = 0;  // rows in file order
    auto put = [&](uint32_t index) {
        if (img && x < w && y < rows) {
            int64_t dy = h.topDown ? y : rows - 1 - y;
            img->argb[static_cast<size_t>(dy * w + x)] = palette[index];
        }
        ++x;
    };
    size_t p = h.pixelOffset;
    while (y < rows) {
        if (p + 2 > d.size()) return false;  // ran out before the picture was complete
        uint8_t count = d[p];
        uint8_t value = d[p + 1];
        p += 2;
        if (count > 0) {
            for (int i = 0; i < count && x < w; ++i)
                put(four ? ((i & 1) ? value & 0x0F : value >> 4) : value);
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (p + 2 > d.size()) return false;
            x += d[p];
            y += d[p + 1];
            p += 2;
        } else {
            size_t bytes = four ? (value + 1u) / 2 : value;
            if (p + bytes > d.size()) return false;
            for (int i = 0; i < value; ++i)
                put(four ? ((i & 1) ? d[p + i / 2] & 0x0F : d[p + i / 2] >> 4) : d[p + i]);
            p += (bytes + 1) & ~size_t{1};  // absolute runs are padded to a 16-bit boundary
        }
    }
    return true;
}

}  // namespace

bool LooksLikeBmp(std::span<const uint8_t> data) {
    return data.size() >= 2 && data[0] == 'B' && data[1] == 'M';
}

std::optional<Image> ReadBmp(std::span<const uint8_t> d) {
    std::optional<Header> parsed = ParseHeader(d);
    if (!parsed) return std::nullopt;
    const Header& h = *parsed;

    std::vector<uint32_t> palette;
    if (h.bits <= 8) palette = ReadPalette(d, h);

    const size_t w = static_cast<size_t>(h.width);
    const size_t rows = static_cast<size_t>(h.height);
    const size_t stride = (w * h.bits + 31) / 32 * 4;
    const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
    // Uncompressed pixels must all be there before anything is allocated; the last row may
    // lack its padding.
    if (!rle && h.pixelOffset + stride * (rows - 1) + (w * h.bits + 7) / 8 > d.size())
        return std::nullopt;
    // A compressed stream is followed once before the picture is allocated: a few bytes may
    // claim the largest picture, and only a whole stream earns the memory.
    if (rle && !DecodeRle(d, h, palette, nullptr)) return std::nullopt;

    Image img;
    img.width = static_cast<int>(w);
    img.height = static_cast<int>(rows);
    img.argb.assign(w * rows, palette.empty() ? kOpaqueBlack : palette[0]);
    if (rle) {
        if (!DecodeRle(d, h, palette, &img)) return std::nullopt;
        return img;
    }

    uint32_t defaults16[4] = {0x7C00, 0x03E0, 0x001F, 0};
    uint32_t defaults32[4] = {0xFF0000, 0xFF00, 0xFF, 0};
    const uint32_t* masks = h.hasMasks ? h.masks : (h.bits == 16 ? defaults16 : defaults32);
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);

    for (size_t r = 0; r < rows; ++r) {
        const uint8_t* row = &d[h.pixelOffset + r * stride];
        uint32_t* out = &img.argb[(h.topDown ? r : rows - 1 - r) * w];
        for (size_t x = 0; x < w; ++x) {
            switch (h.bits) {
                case 1:
                    out[x] = palette[(row[x >> 3] >> (7 - (x & 7))) & 1];
                    break;
                case 4:
                    out[x] = palette[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
                    break;
                case 8:
                    out[x] = palette[row[x]];
                    break;
                case 24: {
                    const uint8_t* p = row + 3 * x;
                    out[x] = kOpaqueBlack | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
                    break;
                }
                default: {
                    uint32_t v = h.bits == 16 ? U16(row + 2 * x) : U32(row + 4 * x);
                    out[x] = alpha.Get(v, 255) << 24 | red.Get(v, 0) << 16 | green.Get(v, 0) << 8 |
                             blue.Get(v, 0);
                    break;
                }
            }
        }
    }
    return img;
}

}  // namespace image
