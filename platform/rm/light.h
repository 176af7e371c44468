// Lights hang on frames: a frame's origin is the light position, its +z the light direction.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/rm/color.h"

namespace rm {

// The retained-mode light type values.
enum class LightType : int { kAmbient = 0, kPoint = 1, kSpot = 2, kDirectional = 3 };

class Light;
using LightPtr = std::shared_ptr<Light>;

class Light {
public:
    static LightPtr Create(LightType type, uint32_t argb);
    static LightPtr CreateRgb(LightType type, float r, float g, float b);

    bool SetType(LightType type);
    bool SetColor(uint32_t argb);
    bool SetColorRgb(float r, float g, float b);
    bool SetRange(float range);
    // Full cone angles in radians: full light inside the umbra, none beyond the penumbra.
    bool SetUmbra(float angle);
    bool SetPenumbra(float angle);
    // Intensity falls as 1 / (constant + linear * d + quadratic * d * d).
    bool SetConstantAttenuation(float a);
    bool SetLinearAttenuation(float a);
    bool SetQuadraticAttenuation(float a);

    LightType Type() const { return type_; }
    ColorF Color() const { return color_; }
    float Range() const { return range_; }
    float Umbra() const { return umbra_; }
    float Penumbra() const { return penumbra_; }
    float ConstantAttenuation() const { return constant_; }
    float LinearAttenuation() const { return linear_; }
    float QuadraticAttenuation() const { return quadratic_; }

private:
    LightType type_ = LightType::kAmbient;
    ColorF color_{1, 1, 1};
    float range_ = 1.0e30f;
    float umbra_ = 0.4f;
    float penumbra_ = 0.5f;
    float constant_ = 1.0f;
    float linear_ = 0.0f;
    float quadratic_ = 0.0f;
};

}  // namespace rm
