#include "platform/image/jpeg_reader.h"

#include "platform/image/jpeg_error.h"

namespace image {
namespace {

// A progressive stream can repeat scans without end, each one a full pass over the
// coefficients; real encoders use a dozen or so.
constexpr int kMaxScans = 500;
// Working memory libjpeg may take beyond the output rows (progressive coefficient buffers).
constexpr long kMaxWorkMemory = 512L << 20;

// Everything the jump back from an error may touch lives here, outside the jumping frame.
struct DecodeState {
    jpeg_decompress_struct cinfo{};
    jpeg_detail::ErrorManager err{};
    jpeg_progress_mgr progress{};
    JpegPixels out;
};

void CheckProgress(j_common_ptr common) {
    auto* cinfo = reinterpret_cast<j_decompress_ptr>(common);
    if (cinfo->progressive_mode && cinfo->input_scan_number > kMaxScans)
        common->err->error_exit(common);
}

bool RunDecode(DecodeState& s, std::span<const uint8_t> data) {
    s.cinfo.err = jpeg_detail::InstallErrorManager(s.err);
    if (setjmp(s.err.jump)) {
        jpeg_destroy_decompress(&s.cinfo);
        return false;
    }
    jpeg_create_decompress(&s.cinfo);
    s.cinfo.mem->max_memory_to_use = kMaxWorkMemory;
    s.progress.progress_monitor = CheckProgress;
    s.cinfo.progress = &s.progress;
    jpeg_mem_src(&s.cinfo, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&s.cinfo, TRUE);

    if (!SizeAcceptable(s.cinfo.image_width, s.cinfo.image_height)) {
        jpeg_destroy_decompress(&s.cinfo);
        return false;
    }
    // The channel table: grey and YCbCr become blue-green-red; four channels are YCbCr
    // plus alpha, which libjpeg decodes as YCCK (inverted colours, fourth channel as is);
    // anything else is passed through untouched.
    switch (s.cinfo.num_components) {
        case 1:
        case 3:
            s.cinfo.out_color_space = JCS_EXT_BGR;
            s.out.channels = 3;
            break;
        case 4:
            s.cinfo.jpeg_color_space = JCS_YCCK;
            s.cinfo.out_color_space = JCS_CMYK;
            s.out.channels = 4;
            break;
        default:
            s.cinfo.jpeg_color_space = JCS_UNKNOWN;
            s.cinfo.out_color_space = JCS_UNKNOWN;
            s.out.channels = s.cinfo.num_components;
            break;
    }
    jpeg_start_decompress(&s.cinfo);
    if (s.cinfo.output_components != s.out.channels ||
        s.cinfo.output_width != s.cinfo.image_width ||
        s.cinfo.output_height != s.cinfo.image_height) {
        jpeg_destroy_decompress(&s.cinfo);
        return false;
    }

    s.out.width = static_cast<int>(s.cinfo.output_width);
    s.out.height = static_cast<int>(s.cinfo.output_height);
    size_t rowBytes = size_t(s.out.width) * size_t(s.out.channels);
    s.out.padBytes = static_cast<int>(((rowBytes + 3) & ~size_t{3}) - rowBytes);
    s.out.bytes.assign(s.out.Stride() * size_t(s.out.height), 0);
    while (s.cinfo.output_scanline < s.cinfo.output_height) {
        JSAMPROW row = s.out.bytes.data() + s.out.Stride() * s.cinfo.output_scanline;
        if (jpeg_read_scanlines(&s.cinfo, &row, 1) != 1) {
            jpeg_destroy_decompress(&s.cinfo);
            return false;
        }
    }
    // Every row is in; what follows the picture (trailing markers, a missing end marker)
    // does not matter, so the stream is not read to its end.
    jpeg_destroy_decompress(&s.cinfo);
    return true;
}

// libjpeg's YCCK output is (255 - R, 255 - G, 255 - B, A); the stored form is blue, green,
// red, alpha with the colours multiplied by alpha.
void PremultiplyFourChannels(JpegPixels& px) {
    for (int y = 0; y < px.height; ++y) {
        uint8_t* p = px.bytes.data() + px.Stride() * size_t(y);
        for (int x = 0; x < px.width; ++x, p += 4) {
            uint32_t r = 255u - p[0], g = 255u - p[1], b = 255u - p[2], a = p[3];
            p[0] = static_cast<uint8_t>((b * a + 1) >> 8);
            p[1] = static_cast<uint8_t>((g * a + 1) >> 8);
            p[2] = static_cast<uint8_t>((r * a + 1) >> 8);
        }
    }
}

}  // namespace

std::optional<JpegPixels> DecodeJpeg(std::span<const uint8_t> data) {
    if (data.empty()) return std::nullopt;
    DecodeState state;
    if (!RunDecode(state, data)) return std::nullopt;
    if (state.out.channels == 4) PremultiplyFourChannels(state.out);
    return std::move(state.out);
}

std::optional<Image> JpegPixelsToImage(const JpegPixels& px) {
    if (px.channels != 3 && px.channels != 4) return std::nullopt;
    if (px.bytes.size() < px.Stride() * size_t(px.height)) return std::nullopt;
    Image img;
    img.width = px.width;
    img.height = px.height;
    img.argb.resize(size_t(px.width) * size_t(px.height));
    for (int y = 0; y < px.height; ++y) {
        const uint8_t* p = px.bytes.data() + px.Stride() * size_t(y);
        uint32_t* out = &img.argb[size_t(y) * size_t(px.width)];
        for (int x = 0; x < px.width; ++x, p += px.channels) {
            uint32_t a = px.channels == 4 ? p[3] : 0xFF;
            out[x] = a << 24 | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
        }
    }
    return img;
}

}  // namespace image
