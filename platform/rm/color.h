// Colours: 0xAARRGGBB values, and float triples clamped to 0..1.
#pragma once

#include <algorithm>
#include <cstdint>

namespace rm {

struct ColorF {
    float r = 0.0f, g = 0.0f, b = 0.0f;
};

inline float Clamp01(float v) {
    return v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f;
}  // NaN -> 0

inline uint32_t ColorFromRgba(float r, float g, float b, float a = 1.0f) {
    auto byte = [](float v) { return static_cast<uint32_t>(Clamp01(v) * 255.0f + 0.5f); };
    return byte(a) << 24 | byte(r) << 16 | byte(g) << 8 | byte(b);
}
inline uint32_t ColorFromRgb(ColorF c) {
    return ColorFromRgba(c.r, c.g, c.b);
}

inline uint32_t AlphaOf(uint32_t c) {
    return c >> 24;
}
inline uint32_t RedOf(uint32_t c) {
    return (c >> 16) & 0xFF;
}
inline uint32_t GreenOf(uint32_t c) {
    return (c >> 8) & 0xFF;
}
inline uint32_t BlueOf(uint32_t c) {
    return c & 0xFF;
}

inline ColorF ClampColor(ColorF c) {
    return {Clamp01(c.r), Clamp01(c.g), Clamp01(c.b)};
}
inline ColorF ToColorF(uint32_t c) {
    return {RedOf(c) / 255.0f, GreenOf(c) / 255.0f, BlueOf(c) / 255.0f};
}

}  // namespace rm
