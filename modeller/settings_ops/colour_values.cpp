#include "modeller/settings_ops/colour_values.h"

#include "model/vector_text.h"
#include "modeller/dialogs/field_exchange.h"

namespace modeller::settings {

namespace {

// One comma-separated part as a plain number, blanks allowed around it.
std::optional<float> Component(std::string_view part) {
    return ExchangeFloat(part);
}

}  // namespace

ColourFields ColourFieldsOf(uint32_t argb, bool withAlpha) {
    ColourFields f;
    f.red = std::to_string((argb >> 16) & 0xFF);
    f.green = std::to_string((argb >> 8) & 0xFF);
    f.blue = std::to_string(argb & 0xFF);
    f.opacity = std::to_string(argb >> 24);
    f.withAlpha = withAlpha;
    return f;
}

std::string ValidateColour(const ColourFields& f) {
    const std::string* fields[] = {&f.red, &f.green, &f.blue, &f.opacity};
    for (int i = 0; i < (f.withAlpha ? 4 : 3); ++i) {
        const std::optional<int32_t> v = ExchangeInt(*fields[i]);
        if (!v) return kNeedIntegerText;
        if (*v < 0 || *v > 255) return IntRangeText(0, 255);
    }
    return {};
}

uint32_t ColourOf(const ColourFields& f, uint32_t oldArgb) {
    auto part = [](const std::string& s) {
        return static_cast<uint32_t>(ExchangeInt(s).value_or(0)) & 0xFF;
    };
    const uint32_t alpha = f.withAlpha ? part(f.opacity) : oldArgb >> 24;
    return alpha << 24 | part(f.red) << 16 | part(f.green) << 8 | part(f.blue);
}

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
