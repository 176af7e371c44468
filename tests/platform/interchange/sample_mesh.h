// A small mesh in the model's space for the interchange tests: a quad, a triangle and a
// pentagon (six triangles), two colours, one material, one texture.
#pragma once

#include <memory>

#include "platform/rm/rm.h"

namespace interchange_test {

inline rm::MeshBuilderPtr SampleMesh() {
    auto mesh = rm::MeshBuilder::Create();
    const rm::Vector3 v[] = {{0, 0, 0}, {0, 1, 0}, {1, 1, 0},       {1, 0, 0}, {2, 0, 1},
                             {2, 1, 1}, {3, 1, 2}, {3.5f, 0.5f, 2}, {3, 0, 2}};
    const uint32_t faces[] = {4, 0, 1, 2, 3, 3, 3, 2, 4, 5, 4, 5, 6, 7, 8, 0};
    mesh->AddFaces(v, {}, faces);
    mesh->SetFaceColor(0, 0xFFFF0000);
    mesh->SetFaceColor(1, 0xFF00FF00);
    mesh->SetFaceColor(2, 0xFFFF0000);
    auto shiny = rm::Material::Create(8);
    shiny->SetSpecular(1, 1, 1);
    shiny->SetEmissive(0.25f, 0, 0);
    mesh->SetFaceMaterial(1, shiny);
    auto texture = rm::Texture::Create(1, 1, {0xFFFFFFFF});
    texture->SetName("wood.png");
    mesh->SetFaceTexture(2, texture);
    for (size_t i = 0; i < 9; ++i)
        mesh->SetTextureCoordinates(i, 0.125f * static_cast<float>(i), 0.25f);
    return mesh;
}

}  // namespace interchange_test
