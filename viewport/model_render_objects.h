// The engine objects made from the model's values: one material per group and one texture
// per texture entry, kept parallel to their tables, and the wrap.
#pragma once

#include <vector>

#include "model/mesh_model.h"
#include "platform/rm/rm.h"

namespace viewport {

struct ModelRenderObjects {
    // The two meshes made from the model; the 3D pane hangs them in its scene, and X files
    // are read into and written from the model mesh.
    rm::MeshBuilderPtr modelMesh = rm::MeshBuilder::Create();
    rm::MeshBuilderPtr pointMesh = rm::MeshBuilder::Create();
    std::vector<rm::MaterialPtr> groupMaterials;  // index = group entry
    std::vector<rm::TexturePtr> textures;         // index = texture entry
    rm::WrapPtr wrap;

    // Brings the materials in step with the group table: an entry with material values
    // gets an engine material carrying them (the same object while it lives), others none.
    void SyncMaterials(const model::GroupTable& groups);
    rm::MaterialPtr GroupMaterial(size_t group) const {
        return group < groupMaterials.size() ? groupMaterials[group] : rm::MaterialPtr{};
    }
    rm::TexturePtr TextureOf(const model::TextureList& list, const std::string& name) const;

    void ReleaseTextures() { textures.clear(); }
    // Shutdown: the records of the model stay, their engine objects go.
    void ReleaseAll() {
        groupMaterials.clear();
        textures.clear();
        wrap.reset();
        pointMesh.reset();
        modelMesh.reset();
    }
};

// Material values for the model from an engine material, and back.
model::GroupMaterial MaterialValues(const rm::Material& material);
void ApplyMaterialValues(rm::Material& material, const model::GroupMaterial& values);

}  // namespace viewport
