// What the glTF and OBJ readers and writers of this folder share about faces: which faces a
// writer keeps, the look that tells faces apart in a written file, and the last step of a
// read, the gathered vertices and faces with their looks into the mesh.
#pragma once

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "platform/interchange/interchange.h"

namespace interchange {

// All faces when `keepFaces` is empty.
inline bool KeptFace(const std::vector<bool>& keepFaces, size_t face) {
    return keepFaces.empty() || (face < keepFaces.size() && keepFaces[face]);
}

struct FaceLook {
    uint32_t color = 0;
    bool hasMaterial = false;
    float power = 0;
    rm::ColorF specular, emissive;
    std::string texture;  // URI

    auto Tie() const {
        return std::make_tuple(color, hasMaterial, power, specular.r, specular.g, specular.b,
                               emissive.r, emissive.g, emissive.b, texture);
    }
    bool operator<(const FaceLook& o) const { return Tie() < o.Tie(); }
    bool operator==(const FaceLook& o) const { return Tie() == o.Tie(); }
};

// Every face's look (faces not kept keep the default one), asking `textureUri` once per
// texture; `textured` tells whether a kept face names an image.
std::vector<FaceLook> FaceLooksOf(const rm::MeshBuilder& mesh, const std::vector<bool>& keepFaces,
                                  const TextureUri& textureUri, bool& textured);

// A material of a read file as the engine draws it.
struct ReadLook {
    uint32_t color = 0xFFFFFFFF;
    rm::MaterialPtr material;
    rm::TexturePtr texture;
};

// Appends `vertices` and the faces of `faceData` (each a corner count and its corners; the
// closing 0 is added here), face f with `faceLooks[f]`, and the texture coordinates of the
// vertices marked in `hasUv`. Nothing to add is success.
bool AppendReadFaces(rm::MeshBuilder& mesh, const std::vector<rm::Vector3>& vertices,
                     std::vector<uint32_t>& faceData, const std::vector<const ReadLook*>& faceLooks,
                     const std::vector<rm::TexCoord>& uvs, const std::vector<bool>& hasUv);

}  // namespace interchange
