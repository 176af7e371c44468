#include "platform/colour_fields.h"

#include "platform/field_exchange.h"

namespace shell {

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

}  // namespace shell
