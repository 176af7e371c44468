// Pixel widths of CP932 text, injected so the screen logic needs no font. The widgets
// measure with the view's font; tests and headless users use the fixed pitch one.
#pragma once

#include <cstdint>
#include <string_view>

namespace modeller {

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // Width of text without tabs.
    virtual int32_t Width(std::string_view cp932) const = 0;
    // Distance between tab stops in pixels.
    virtual int32_t TabStop() const = 0;
};

// Width as drawn with tabs expanded to the next tab stop.
int32_t ExpandedWidth(const TextMeasurer& measurer, std::string_view cp932);

// Every single-byte character one cell, every double-byte character two; tab stops every
// eight cells.
class FixedPitchMeasurer : public TextMeasurer {
public:
    explicit FixedPitchMeasurer(int32_t cellWidth = 8) : cell_(cellWidth > 0 ? cellWidth : 1) {}
    int32_t Width(std::string_view cp932) const override;
    int32_t TabStop() const override { return cell_ * 8; }

private:
    int32_t cell_;
};

}  // namespace modeller
