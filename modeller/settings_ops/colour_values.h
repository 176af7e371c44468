// The colour texts of the dialogs: RGB fields holding three numbers 0 to 1, and 0xAARRGGBB
// values.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace modeller::settings {

using Rgb = std::array<float, 3>;

// "r, g, b" with each component in 0..1 from an ARGB value.
std::string RgbText(const Rgb& rgb);
std::string RgbTextOfArgb(uint32_t argb);
// Three numbers separated by commas; nothing when fewer than three read, or one is not a
// finite number. Values are not clamped: the engine clamps colours itself.
std::optional<Rgb> ParseRgbText(std::string_view text);
// The text read, or `old` when it does not parse (a typo keeps the colour, not black).
Rgb RgbOrOld(std::string_view text, const Rgb& old);

}  // namespace modeller::settings
