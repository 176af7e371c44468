#include "modeller/settings_ops/display_settings.h"

namespace modeller::settings {

DisplayFields DisplayFieldsOf(const model::MeshModel& model,
                              const viewport::ModelRenderObjects& objects,
                              const viewport::SceneSettings& st,
                              const viewport::RenderScene& scene) {
    DisplayFields f;
    f.showPoints = st.showPoints;
    f.mode = model.deviceType >= 0 && model.deviceType <= 4 ? model.deviceType : 0;
    f.showTextures = st.showTextures;
    f.background = kNoBackground;
    const rm::TexturePtr image = scene.root ? scene.root->SceneBackgroundImage() : nullptr;
    for (size_t i = 0; image && i < objects.textures.size() && i < model.textures.size(); ++i)
        if (objects.textures[i] == image) f.background = model.textures[i].name;
    return f;
}

std::vector<std::string> BackgroundChoices(const model::TextureList& textures) {
    std::vector<std::string> out{kNoBackground};
    for (const model::TextureEntry& e : textures) out.push_back(e.name);
    return out;
}

void ApplyPointColour(uint32_t argb, ModellerSettings& settings, viewport::SceneSettings& st,
                      viewport::RenderScene& scene) {
    settings.pointColor = st.pointColor = argb;
    scene.SetPointColour(argb);
}

void ApplyBackgroundColour(uint32_t argb, ModellerSettings& settings, viewport::SceneSettings& st,
                           viewport::RenderScene& scene) {
    settings.backgroundColor = st.backgroundColor = argb;
    scene.SetBackground(argb);
}

bool ApplyDisplay(const DisplayFields& f, model::MeshModel& model,
                  const viewport::ModelRenderObjects& objects, viewport::SceneSettings& st,
                  viewport::RenderScene& scene, ops::OpsHost& host) {
    if (scene.root) {
        const int32_t index =
            f.background == kNoBackground ? -1 : model::FindTexture(model.textures, f.background);
        rm::TexturePtr image;
        if (index >= 0 && static_cast<size_t>(index) < objects.textures.size())
            image = objects.textures[static_cast<size_t>(index)];
        scene.root->SetSceneBackgroundImage(image);
    }
    model.deviceType = f.mode >= 0 && f.mode <= 4 ? f.mode : 0;
    st.displayMode = model.deviceType;
    st.showPoints = f.showPoints;
    if (f.showTextures == st.showTextures) return false;
    st.showTextures = f.showTextures;
    host.RebuildModelMesh(0);
    return true;
}

}  // namespace modeller::settings
