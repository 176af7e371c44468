// The display dialog (表示) without its widget.
#pragma once

#include <string>
#include <vector>

#include "model/mesh_model.h"
#include "modeller/app/settings.h"
#include "modeller/ops/ops_host.h"
#include "viewport/model_render_objects.h"
#include "viewport/render_scene.h"

namespace modeller::settings {

inline constexpr const char* kDisplayHelpPage = "dlg_hyouji.htm";
// The background choice for no image (CP932 of "なし").
inline const std::string kNoBackground = "\x82\xc8\x82\xb5";

struct DisplayFields {
    bool showPoints = true;    // 頂点を表示する
    int32_t mode = 0;          // 面を表示 .. 表示しない
    bool showTextures = true;  // テクスチャを表示する
    std::string background;    // 背景: kNoBackground or a texture name (CP932)
};

DisplayFields DisplayFieldsOf(const model::MeshModel& model,
                              const viewport::ModelRenderObjects& objects,
                              const viewport::SceneSettings& scene,
                              const viewport::RenderScene& objectsInScene);
// The background combo's entries: なし, then every texture entry's name.
std::vector<std::string> BackgroundChoices(const model::TextureList& textures);

// The colour buttons act at once, before OK.
void ApplyPointColour(uint32_t argb, ModellerSettings& settings, viewport::SceneSettings& st,
                      viewport::RenderScene& scene);
void ApplyBackgroundColour(uint32_t argb, ModellerSettings& settings, viewport::SceneSettings& st,
                           viewport::RenderScene& scene);

// OK: the background image (none for なし or a name no longer loaded), the display mode and
// the point display; a change of the texture flag rebuilds the model mesh. True when the
// mesh was rebuilt (and rendered); otherwise the caller renders.
bool ApplyDisplay(const DisplayFields& fields, model::MeshModel& model,
                  const viewport::ModelRenderObjects& objects, viewport::SceneSettings& st,
                  viewport::RenderScene& scene, ops::OpsHost& host);

}  // namespace modeller::settings
