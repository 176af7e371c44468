#include "modeller/settings_ops/light_settings.h"

#include <cmath>

#include "model/vector_text.h"
#include "platform/field_exchange.h"

namespace modeller::settings {

namespace {

Rgb ToRgb(const Vec3& v) {
    return {v[0], v[1], v[2]};
}

}  // namespace

LightFields LightFieldsOf(const LightSettings& light, const viewport::RenderScene& scene) {
    LightFields f;
    f.ambient = RgbText(ToRgb(light.ambient));
    f.direction = model::FormatVector(light.direction[0], light.direction[1], light.direction[2]);
    f.directional = RgbText(ToRgb(light.directional));
    f.cameraLight = scene.cameraLight != nullptr;
    const rm::ColorF c = scene.cameraLight ? scene.cameraLight->Color() : rm::ColorF{1, 1, 1};
    f.cameraColour = RgbText({c.r, c.g, c.b});
    f.range = model::FormatNumber(scene.cameraLight ? scene.cameraLight->Range()
                                                    : kDefaultCameraLightRange);
    return f;
}

std::string ValidateLight(const LightFields& f) {
    if (!shell::ExchangeFloat(f.range)) return shell::kNeedNumberText;
    return {};
}

void ApplyLight(const LightFields& f, LightSettings& light, viewport::SceneSettings& st,
                viewport::RenderScene& scene) {
    const Rgb ambient = RgbOrOld(f.ambient, ToRgb(light.ambient));
    const Rgb directional = RgbOrOld(f.directional, ToRgb(light.directional));
    light.ambient = {ambient[0], ambient[1], ambient[2]};
    light.directional = {directional[0], directional[1], directional[2]};
    if (std::optional<model::Vertex> d = model::ParseVector(f.direction);
        d && std::isfinite(d->x) && std::isfinite(d->y) && std::isfinite(d->z) &&
        (d->x != 0 || d->y != 0 || d->z != 0))
        light.direction = {d->x, d->y, d->z};
    st.ambient = {ambient[0], ambient[1], ambient[2]};
    st.directional = {directional[0], directional[1], directional[2]};
    st.lightDirection = {light.direction[0], light.direction[1], light.direction[2]};

    if (scene.ambientLight) scene.ambientLight->SetColorRgb(ambient[0], ambient[1], ambient[2]);
    if (scene.directionalLight)
        scene.directionalLight->SetColorRgb(directional[0], directional[1], directional[2]);
    if (scene.lightFrame) {
        const rm::Vector3 d = st.lightDirection;
        // Straight down the usual up (dx, dy + 1, dz) is zero: any other up turns it as well.
        if (!scene.lightFrame->SetOrientation(scene.root, d, {d.x, d.y + 1, d.z}))
            scene.lightFrame->SetOrientation(scene.root, d, {0, 0, 1});
    }

    if (!f.cameraLight) {
        if (scene.cameraLight && scene.camera) scene.camera->RemoveLight(scene.cameraLight);
        scene.cameraLight.reset();
        return;
    }
    const Rgb oldColour = scene.cameraLight
                              ? Rgb{scene.cameraLight->Color().r, scene.cameraLight->Color().g,
                                    scene.cameraLight->Color().b}
                              : Rgb{1, 1, 1};
    const Rgb colour = RgbOrOld(f.cameraColour, oldColour);
    if (!scene.cameraLight) {
        scene.cameraLight =
            rm::Light::CreateRgb(rm::LightType::kPoint, colour[0], colour[1], colour[2]);
        if (scene.camera) scene.camera->AddLight(scene.cameraLight);
    } else {
        scene.cameraLight->SetColorRgb(colour[0], colour[1], colour[2]);
    }
    scene.cameraLight->SetRange(shell::ExchangeFloat(f.range).value_or(kDefaultCameraLightRange));
    scene.cameraLight->SetConstantAttenuation(0);
    scene.cameraLight->SetLinearAttenuation(1);
    scene.cameraLight->SetQuadraticAttenuation(0);
}

}  // namespace modeller::settings
