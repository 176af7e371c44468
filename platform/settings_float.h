// Floats in the settings store travel as the integer holding their 32-bit pattern, as the
// registry values they replace did.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/shell.h"

namespace shell {

inline int32_t FloatToPattern(float value) {
    return std::bit_cast<int32_t>(value);
}
inline float PatternToFloat(int32_t pattern) {
    return std::bit_cast<float>(pattern);
}

// The stored float, or nothing when the value is missing or its pattern is not a finite
// number (a damaged or hand-edited file must not feed NaN into the geometry).
inline std::optional<float> ReadFloat(SettingsStore& store, std::string_view section,
                                      std::string_view name) {
    std::optional<int32_t> pattern = store.ReadInt(section, name);
    if (!pattern) return std::nullopt;
    float value = PatternToFloat(*pattern);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

inline float GetFloat(SettingsStore& store, std::string_view section, std::string_view name,
                      float fallback) {
    return ReadFloat(store, section, name).value_or(fallback);
}

inline void WriteFloat(SettingsStore& store, std::string_view section, std::string_view name,
                       float value) {
    store.WriteInt(section, name, FloatToPattern(value));
}

}  // namespace shell
