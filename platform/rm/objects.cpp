// The small value objects: materials, lights, textures.
#include <cmath>
#include <new>

#include "platform/rm/error.h"
#include "platform/rm/light.h"
#include "platform/rm/material.h"
#include "platform/rm/texture.h"

namespace rm {
namespace {
bool Finite(float v) {
    return std::isfinite(v);
}
ColorF Clamped(float r, float g, float b) {
    return ClampColor({r, g, b});
}
}  // namespace

MaterialPtr Material::Create(float power) {
    try {
        auto m = std::make_shared<Material>();
        m->SetPower(power);
        return m;
    } catch (...) {
        detail::Fail("out of memory creating a material");
        return {};
    }
}

bool Material::SetPower(float power) {
    if (!Finite(power) || power < 0.0f)
        return detail::Fail("material power must be finite and >= 0");
    power_ = power;
    return true;
}
bool Material::SetSpecular(float r, float g, float b) {
    specular_ = Clamped(r, g, b);
    return true;
}
bool Material::SetEmissive(float r, float g, float b) {
    emissive_ = Clamped(r, g, b);
    return true;
}
bool Material::SetAmbient(float r, float g, float b) {
    ambient_ = Clamped(r, g, b);
    return true;
}

LightPtr Light::Create(LightType type, uint32_t argb) {
    try {
        auto l = std::make_shared<Light>();
        if (!l->SetType(type)) return {};
        l->SetColor(argb);
        return l;
    } catch (...) {
        detail::Fail("out of memory creating a light");
        return {};
    }
}

LightPtr Light::CreateRgb(LightType type, float r, float g, float b) {
    LightPtr l = Create(type, 0xFFFFFFFF);
    if (l) l->SetColorRgb(r, g, b);
    return l;
}

bool Light::SetType(LightType type) {
    int t = static_cast<int>(type);
    if (t < 0 || t > 3) return detail::Fail("unknown light type");
    type_ = type;
    return true;
}
bool Light::SetColor(uint32_t argb) {
    color_ = ToColorF(argb);
    return true;
}
bool Light::SetColorRgb(float r, float g, float b) {
    color_ = Clamped(r, g, b);
    return true;
}
bool Light::SetRange(float range) {
    if (std::isnan(range) || range < 0.0f) return detail::Fail("light range must be >= 0");
    range_ = range;
    return true;
}
bool Light::SetUmbra(float angle) {
    if (!Finite(angle)) return detail::Fail("umbra angle must be finite");
    umbra_ = angle;
    return true;
}
bool Light::SetPenumbra(float angle) {
    if (!Finite(angle)) return detail::Fail("penumbra angle must be finite");
    penumbra_ = angle;
    return true;
}
bool Light::SetConstantAttenuation(float a) {
    if (!Finite(a)) return detail::Fail("attenuation must be finite");
    constant_ = a;
    return true;
}
bool Light::SetLinearAttenuation(float a) {
    if (!Finite(a)) return detail::Fail("attenuation must be finite");
    linear_ = a;
    return true;
}
bool Light::SetQuadraticAttenuation(float a) {
    if (!Finite(a)) return detail::Fail("attenuation must be finite");
    quadratic_ = a;
    return true;
}

TexturePtr Texture::Create(int width, int height, std::vector<uint32_t> argb) {
    if (width <= 0 || height <= 0 || width > 65536 || height > 65536 ||
        argb.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        detail::Fail("texture size does not match its pixels");
        return {};
    }
    try {
        auto t = std::make_shared<Texture>();
        t->width_ = width;
        t->height_ = height;
        t->pixels_ = std::move(argb);
        return t;
    } catch (...) {
        detail::Fail("out of memory creating a texture");
        return {};
    }
}

bool Texture::SetDecalTransparency(bool on) {
    transparent_ = on;
    return true;
}
bool Texture::SetDecalTransparentColor(uint32_t rgb) {
    key_ = rgb & 0x00FFFFFF;
    return true;
}

}  // namespace rm
