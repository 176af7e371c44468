#include "modeller/settings_ops/option_settings.h"

#include <algorithm>
#include <limits>

#include "platform/field_exchange.h"

namespace modeller::settings {

namespace {

// The largest size the settings keep: beyond it a signed 32-bit value would wrap.
constexpr uint32_t kMaxSide = std::numeric_limits<int32_t>::max();

int32_t Side(const std::string& text) {
    const uint32_t v = std::min(shell::ExchangeUnsigned(text).value_or(0), kMaxSide);
    return std::max(static_cast<int32_t>(v), kMinRenderSide);
}

}  // namespace

OptionFields OptionFieldsOf(const ModellerSettings& s, int paneWidth, int paneHeight) {
    OptionFields f;
    f.width = std::to_string(s.device.width > 0 ? s.device.width : paneWidth);
    f.height = std::to_string(s.device.height > 0 ? s.device.height : paneHeight);
    f.device = s.device.type >= 0 && s.device.type <= 2 ? s.device.type : 1;
    f.jpegQuality = std::to_string(s.jpegQuality);
    f.xFormat = s.xFormat != 0 ? 1 : 0;
    f.saveCamera = s.saveCamera;
    f.saveLight = s.saveLight;
    f.saveAxis = s.saveAxis;
    f.saveColor = s.saveColor;
    return f;
}

OptionFields InitialOptionFields() {
    OptionFields f;
    f.width = "640";
    f.height = "480";
    f.device = 1;
    f.jpegQuality = "75";
    f.xFormat = 0;
    return f;
}

std::string ValidateOption(const OptionFields& f) {
    for (const std::string* side : {&f.width, &f.height})
        if (!shell::ExchangeUnsigned(*side)) return shell::kNeedUnsignedText;
    const std::optional<uint32_t> quality = shell::ExchangeUnsigned(f.jpegQuality);
    if (!quality) return shell::kNeedUnsignedText;
    if (*quality < 1 || *quality > 100) return shell::IntRangeText(1, 100);
    return {};
}

void ApplyOption(const OptionFields& f, ModellerSettings& s) {
    s.device.width = Side(f.width);
    s.device.height = Side(f.height);
    s.device.type = f.device >= 0 && f.device <= 2 ? f.device : 1;
    s.jpegQuality = static_cast<int32_t>(shell::ExchangeUnsigned(f.jpegQuality).value_or(75));
    s.xFormat = f.xFormat != 0 ? 1 : 0;
    s.saveCamera = f.saveCamera;
    s.saveLight = f.saveLight;
    s.saveAxis = f.saveAxis;
    s.saveColor = f.saveColor;
}

}  // namespace modeller::settings
