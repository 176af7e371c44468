// The colour picker (色の設定) without its widget, and the colour texts of the dialogs: RGB
// fields holding three numbers 0 to 1, and 0xAARRGGBB values.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace modeller::settings {

inline constexpr const char* kColourHelpPage = "dlg_iro.htm";

using Rgb = std::array<float, 3>;

// The picker's fields as typed: R, G, B and 不透明度, integers 0 to 255.
struct ColourFields {
    std::string red, green, blue, opacity;
    bool withAlpha = true;  // without it the opacity field is disabled and not read
};

ColourFields ColourFieldsOf(uint32_t argb, bool withAlpha);
// The first refusal in field order, or empty.
std::string ValidateColour(const ColourFields& fields);
// The ARGB value of valid fields; without alpha the old alpha is kept.
uint32_t ColourOf(const ColourFields& fields, uint32_t oldArgb);

// "r, g, b" with each component in 0..1 from an ARGB value.
std::string RgbText(const Rgb& rgb);
std::string RgbTextOfArgb(uint32_t argb);
// Three numbers separated by commas; nothing when fewer than three read, or one is not a
// finite number. Values are not clamped: the engine clamps colours itself.
std::optional<Rgb> ParseRgbText(std::string_view text);
// The text read, or `old` when it does not parse (a typo keeps the colour, not black).
Rgb RgbOrOld(std::string_view text, const Rgb& old);

}  // namespace modeller::settings
