#include "platform/image/jpeg_writer.h"

#include <algorithm>
#include <cstdlib>

#include "platform/fileio/atomic_file.h"
#include "platform/image/jpeg_error.h"

namespace image {
namespace {

constexpr int kMaxJpegSide = 65500;

struct EncodeState {
    jpeg_compress_struct cinfo{};
    jpeg_detail::ErrorManager err{};
    unsigned char* buffer = nullptr;  // owned by libjpeg's destination, freed with free()
    unsigned long size = 0;
    std::vector<uint8_t> row;
};

bool RunEncode(EncodeState& s, const Image& img, int quality) {
    s.cinfo.err = jpeg_detail::InstallErrorManager(s.err);
    if (setjmp(s.err.jump)) {
        jpeg_destroy_compress(&s.cinfo);
        return false;
    }
    jpeg_create_compress(&s.cinfo);
    jpeg_mem_dest(&s.cinfo, &s.buffer, &s.size);
    s.cinfo.image_width = static_cast<JDIMENSION>(img.width);
    s.cinfo.image_height = static_cast<JDIMENSION>(img.height);
    s.cinfo.input_components = 3;
    s.cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&s.cinfo);
    jpeg_set_colorspace(&s.cinfo, JCS_YCbCr);
    jpeg_set_quality(&s.cinfo, quality, TRUE);
    // Luma at full resolution, both chroma planes at half in each direction.
    s.cinfo.comp_info[0].h_samp_factor = 2;
    s.cinfo.comp_info[0].v_samp_factor = 2;
    for (int c = 1; c < 3; ++c) {
        s.cinfo.comp_info[c].h_samp_factor = 1;
        s.cinfo.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&s.cinfo, TRUE);

    const size_t w = static_cast<size_t>(img.width);
    while (s.cinfo.next_scanline < s.cinfo.image_height) {
        const uint32_t* src = &img.argb[w * s.cinfo.next_scanline];
        for (size_t x = 0; x < w; ++x) {
            s.row[3 * x] = static_cast<uint8_t>(src[x]);
            s.row[3 * x + 1] = static_cast<uint8_t>(src[x] >> 8);
            s.row[3 * x + 2] = static_cast<uint8_t>(src[x] >> 16);
        }
        JSAMPROW row = s.row.data();
        jpeg_write_scanlines(&s.cinfo, &row, 1);
    }
    jpeg_finish_compress(&s.cinfo);
    jpeg_destroy_compress(&s.cinfo);
    return true;
}

}  // namespace

std::optional<std::vector<uint8_t>> EncodeJpeg(const Image& img, int quality) {
    if (img.width <= 0 || img.height <= 0 || img.width > kMaxJpegSide ||
        img.height > kMaxJpegSide || img.argb.size() != size_t(img.width) * size_t(img.height))
        return std::nullopt;
    EncodeState state;
    state.row.resize(size_t(img.width) * 3);
    bool ok = RunEncode(state, img, std::clamp(quality, 1, 100));
    std::optional<std::vector<uint8_t>> out;
    if (ok && state.buffer) out.emplace(state.buffer, state.buffer + state.size);
    std::free(state.buffer);
    return out;
}

bool WriteJpegFile(const std::string& path, const Image& img, int quality, std::string* error) {
    std::optional<std::vector<uint8_t>> bytes = EncodeJpeg(img, quality);
    if (!bytes) {
        if (error) *error = path + ": the picture cannot be encoded";
        return false;
    }
    return fileio::WriteFileAtomically(
        path, {reinterpret_cast<const char*>(bytes->data()), bytes->size()}, error);
}

}  // namespace image
