#include "viewport/model_render_objects.h"

namespace viewport {

model::GroupMaterial MaterialValues(const rm::Material& material) {
    model::GroupMaterial v;
    v.power = material.Power();
    const rm::ColorF s = material.Specular(), e = material.Emissive(), a = material.Ambient();
    v.specular = {s.r, s.g, s.b};
    v.emissive = {e.r, e.g, e.b};
    v.ambient = {a.r, a.g, a.b};
    return v;
}

void ApplyMaterialValues(rm::Material& material, const model::GroupMaterial& v) {
    material.SetPower(v.power);
    material.SetSpecular(v.specular[0], v.specular[1], v.specular[2]);
    material.SetEmissive(v.emissive[0], v.emissive[1], v.emissive[2]);
    material.SetAmbient(v.ambient[0], v.ambient[1], v.ambient[2]);
}

void ModelRenderObjects::SyncMaterials(const model::GroupTable& groups) {
    groupMaterials.resize(groups.size());
    for (size_t i = 0; i < groups.size(); ++i) {
        const model::GroupEntry& g = groups[i];
        if (g.hasMaterial == 0 || !g.material) {
            groupMaterials[i].reset();
            continue;
        }
        if (!groupMaterials[i]) groupMaterials[i] = rm::Material::Create(g.material->power);
        if (groupMaterials[i]) ApplyMaterialValues(*groupMaterials[i], *g.material);
    }
}

rm::TexturePtr ModelRenderObjects::TextureOf(const model::TextureList& list,
                                             const std::string& name) const {
    const int32_t index = model::FindTexture(list, name);
    if (index < 0 || static_cast<size_t>(index) >= textures.size()) return {};
    return textures[static_cast<size_t>(index)];
}

}  // namespace viewport
