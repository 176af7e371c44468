#include "modeller/settings_ops/colour_values.h"

#include "model/vector_text.h"
#include "platform/field_exchange.h"

namespace modeller::settings {

namespace {

// One comma-separated part as a plain number, blanks allowed around it.
std::optional<float> Component(std::string_view part) {
    return shell::ExchangeFloat(part);
}

}  // namespace

std::string RgbText(const Rgb& rgb) {
    return model::FormatVector(rgb[0], rgb[1], rgb[2]);
}

std::string RgbTextOfArgb(uint32_t argb) {
    return RgbText(
        {((argb >> 16) & 0xFF) / 255.0f, ((argb >> 8) & 0xFF) / 255.0f, (argb & 0xFF) / 255.0f});
}

std::optional<Rgb> ParseRgbText(std::string_view text) {
    Rgb out{};
    for (int i = 0; i < 3; ++i) {
        const size_t comma = i < 2 ? text.find(',') : std::string_view::npos;
        if (i < 2 && comma == std::string_view::npos) return std::nullopt;
        const std::optional<float> v = Component(text.substr(0, comma));
        if (!v) return std::nullopt;
        out[static_cast<size_t>(i)] = *v;
        if (i < 2) text.remove_prefix(comma + 1);
    }
    return out;
}

Rgb RgbOrOld(std::string_view text, const Rgb& old) {
    return ParseRgbText(text).value_or(old);
}

}  // namespace modeller::settings
