#include "platform/image/ppm_reader.h"

namespace image {
namespace {

class Cursor {
public:
    explicit Cursor(std::span<const uint8_t> d) : d_(d) {}

    static bool IsSpace(uint8_t c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    }

    // Skips white space and '#' comments up to the end of their line.
    void SkipSeparators() {
        while (p_ < d_.size()) {
            if (IsSpace(d_[p_])) {
                ++p_;
            } else if (d_[p_] == '#') {
                while (p_ < d_.size() && d_[p_] != '\n' && d_[p_] != '\r') ++p_;
            } else {
                break;
            }
        }
    }

    // A decimal number of at most 9 digits, after separators.
    std::optional<uint32_t> Number() {
        SkipSeparators();
        uint32_t v = 0;
        size_t digits = 0;
        while (p_ < d_.size() && d_[p_] >= '0' && d_[p_] <= '9') {
            if (++digits > 9) return std::nullopt;
            v = v * 10 + (d_[p_++] - '0');
        }
        if (digits == 0) return std::nullopt;
        return v;
    }

    size_t pos() const { return p_; }
    void Advance(size_t n) { p_ += n; }
    size_t Remaining() const { return d_.size() - p_; }
    uint8_t Peek() const { return d_[p_]; }
    const uint8_t* Here() const { return d_.data() + p_; }

private:
    std::span<const uint8_t> d_;
    size_t p_ = 0;
};

uint32_t Scale(uint32_t v, uint32_t maxval) {
    return (v * 255 + maxval / 2) / maxval;
}

}  // namespace

bool LooksLikePpm(std::span<const uint8_t> data) {
    return data.size() >= 2 && data[0] == 'P' && (data[1] == '3' || data[1] == '6');
}

std::optional<Image> ReadPpm(std::span<const uint8_t> data) {
    if (!LooksLikePpm(data)) return std::nullopt;
    const bool binary = data[1] == '6';
    Cursor c(data);
    c.Advance(2);
    auto width = c.Number();
    auto height = c.Number();
    auto maxval = c.Number();
    if (!width || !height || !maxval || *maxval == 0 || *maxval > 65535) return std::nullopt;
    if (!SizeAcceptable(*width, *height)) return std::nullopt;

    const size_t pixels = size_t{*width} * *height;
    const size_t samples = pixels * 3;
    Image img;
    img.width = static_cast<int>(*width);
    img.height = static_cast<int>(*height);

    if (binary) {
        // Exactly one white-space byte separates the header from the raster.
        if (c.Remaining() == 0 || !Cursor::IsSpace(c.Peek())) return std::nullopt;
        c.Advance(1);
        const size_t bytesPerSample = *maxval < 256 ? 1 : 2;
        if (c.Remaining() < samples * bytesPerSample) return std::nullopt;
        const uint8_t* p = c.Here();
        img.argb.resize(pixels);
        for (size_t i = 0; i < pixels; ++i) {
            uint32_t rgb[3];
            for (uint32_t& s : rgb) {
                uint32_t v = bytesPerSample == 1 ? *p : uint32_t{p[0]} << 8 | p[1];
                p += bytesPerSample;
                s = Scale(v < *maxval ? v : *maxval, *maxval);
            }
            img.argb[i] = 0xFF000000u | rgb[0] << 16 | rgb[1] << 8 | rgb[2];
        }
        return img;
    }

    // Every text sample takes at least one digit and one separator (but the last).
    if (c.Remaining() < 2 * samples) return std::nullopt;
    img.argb.resize(pixels);
    for (size_t i = 0; i < pixels; ++i) {
        uint32_t rgb[3];
        for (uint32_t& s : rgb) {
            auto v = c.Number();
            if (!v || *v > *maxval) return std::nullopt;
            s = Scale(*v, *maxval);
        }
        img.argb[i] = 0xFF000000u | rgb[0] << 16 | rgb[1] << 8 | rgb[2];
    }
    return img;
}

}  // namespace image
