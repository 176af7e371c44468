// The axis dialog (軸) without its widget.
#pragma once

#include <string>

#include "modeller/app/settings.h"
#include "viewport/render_scene.h"

namespace modeller::settings {

inline constexpr const char* kAxisHelpPage = "dlg_jiku.htm";

struct AxisFields {
    bool showAxis = true;     // 軸を表示する
    bool showLetters = true;  // 文字を表示する
    std::string size;         // 軸の大きさ
};

AxisFields AxisFieldsOf(const viewport::SceneSettings& st);
std::string ValidateAxis(const AxisFields& fields);
// Stores the values and rebuilds the gizmo: the letters sit at 1.25 x size on their axes.
void ApplyAxis(const AxisFields& fields, ModellerSettings& settings, viewport::SceneSettings& st,
               viewport::RenderScene& scene);

}  // namespace modeller::settings
