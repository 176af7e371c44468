// The light dialog (ライト) without its widget.
#pragma once

#include <string>

#include "modeller/app/settings.h"
#include "modeller/settings_ops/colour_values.h"
#include "viewport/render_scene.h"

namespace modeller::settings {

inline constexpr const char* kLightHelpPage = "dlg_light.htm";
// The camera light's range shown while there is no camera light.
inline constexpr float kDefaultCameraLightRange = 5.0f;

struct LightFields {
    std::string ambient;       // 環境ライト, RGB 0 to 1
    std::string direction;     // ディレクショナルライト 方向, vector
    std::string directional;   // its colour
    bool cameraLight = false;  // カメラにライトを設定
    std::string cameraColour;
    std::string range;  // 範囲
};

LightFields LightFieldsOf(const LightSettings& light, const viewport::RenderScene& scene);
std::string ValidateLight(const LightFields& fields);

// Colours to both lights, the direction stored and the light frame turned along it, and
// the camera light made, recoloured or removed. Fields that do not read keep the old value.
void ApplyLight(const LightFields& fields, LightSettings& light, viewport::SceneSettings& scene,
                viewport::RenderScene& objects);

}  // namespace modeller::settings
