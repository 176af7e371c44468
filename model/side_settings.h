// The model's single-valued settings: the texture wrap, the joint points, the mirror and
// the display mode.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/sheet.h"

namespace model {

struct WrapSettings {
    std::string textureName;  // a TextureEntry name (CP932)
    int32_t wrapType = 0;     // the render wrap kind
    std::array<float, 3> origin{};
    std::array<float, 3> direction{};
    std::array<float, 3> up{};
    float uOffset = 0, vOffset = 0;
    float uScale = 0, vScale = 0;
    int32_t wrapFlag = 0;  // 1 while a wrap is applied
    friend bool operator==(const WrapSettings&, const WrapSettings&) = default;
};

using JointList = std::vector<Vertex>;

struct MirrorSettings {
    int32_t mirrorAxis = 0;  // 0 none; 1, 2, 3 select x, y, z
    float mirrorPosition = 0;
    friend bool operator==(const MirrorSettings&, const MirrorSettings&) = default;
};

// The 3D display mode stored with the model: 0 lit flat, 1 Gouraud, 2 unlit flat,
// 3 wireframe; other values come from the display commands.
using DeviceType = int32_t;

}  // namespace model
