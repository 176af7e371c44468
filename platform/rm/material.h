// Surface reflectance beyond the face colour: specular highlight, emission, ambient.
#pragma once

#include <memory>

#include "platform/rm/color.h"

namespace rm {

class Material;
using MaterialPtr = std::shared_ptr<Material>;

class Material {
public:
    static MaterialPtr Create(float power = 0.0f);

    bool SetPower(float power);
    bool SetSpecular(float r, float g, float b);
    bool SetEmissive(float r, float g, float b);
    bool SetAmbient(float r, float g, float b);

    float Power() const { return power_; }
    ColorF Specular() const { return specular_; }
    ColorF Emissive() const { return emissive_; }
    ColorF Ambient() const { return ambient_; }

private:
    float power_ = 0.0f;
    ColorF specular_{};
    ColorF emissive_{};
    ColorF ambient_{};
};

}  // namespace rm
