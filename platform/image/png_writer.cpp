#include "platform/image/png_writer.h"

#include <png.h>

#include <csetjmp>

#include "platform/fileio/atomic_file.h"

namespace image {
namespace {

struct EncodeState {
    png_structp png = nullptr;
    png_infop info = nullptr;
    std::vector<uint8_t> bytes;
    std::vector<uint8_t> row;
};

void Append(png_structp png, png_bytep data, png_size_t length) {
    auto* state = static_cast<EncodeState*>(png_get_io_ptr(png));
    try {
        state->bytes.insert(state->bytes.end(), data, data + length);
    } catch (...) {
        png_error(png, "out of memory");
    }
}

void NoFlush(png_structp) {}

// libpng reports through longjmp; nothing here may throw across it.
bool RunEncode(EncodeState& s, const Image& img) {
    if (setjmp(png_jmpbuf(s.png))) return false;
    png_set_write_fn(s.png, &s, Append, NoFlush);
    png_set_IHDR(s.png, s.info, static_cast<png_uint_32>(img.width),
                 static_cast<png_uint_32>(img.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(s.png, s.info);
    const size_t w = static_cast<size_t>(img.width);
    for (int y = 0; y < img.height; ++y) {
        const uint32_t* src = &img.argb[w * static_cast<size_t>(y)];
        for (size_t x = 0; x < w; ++x) {
            s.row[3 * x] = static_cast<uint8_t>(src[x] >> 16);
            s.row[3 * x + 1] = static_cast<uint8_t>(src[x] >> 8);
            s.row[3 * x + 2] = static_cast<uint8_t>(src[x]);
        }
        png_write_row(s.png, s.row.data());
    }
    png_write_end(s.png, nullptr);
    return true;
}

}  // namespace

std::optional<std::vector<uint8_t>> EncodePng(const Image& img) {
    if (!SizeAcceptable(img.width, img.height) ||
        img.argb.size() != static_cast<size_t>(img.width) * static_cast<size_t>(img.height))
        return std::nullopt;
    EncodeState state;
    state.row.resize(static_cast<size_t>(img.width) * 3);
    state.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!state.png) return std::nullopt;
    state.info = png_create_info_struct(state.png);
    const bool ok = state.info && RunEncode(state, img);
    png_destroy_write_struct(&state.png, &state.info);
    if (!ok) return std::nullopt;
    return std::move(state.bytes);
}

bool WritePngFile(const std::string& path, const Image& img, std::string* error) {
    std::optional<std::vector<uint8_t>> bytes = EncodePng(img);
    if (!bytes) {
        if (error) *error = path + ": the picture cannot be encoded";
        return false;
    }
    return fileio::WriteFileAtomically(
        path, {reinterpret_cast<const char*>(bytes->data()), bytes->size()}, error);
}

}  // namespace image
