#include "platform/interchange/face_looks.h"

#include <map>

namespace interchange {

std::vector<FaceLook> FaceLooksOf(const rm::MeshBuilder& mesh, const std::vector<bool>& keepFaces,
                                  const TextureUri& textureUri, bool& textured) {
    const size_t faces = mesh.FaceCount();
    std::vector<FaceLook> looks(faces);
    std::map<const rm::Texture*, std::string> uris;
    textured = false;
    for (size_t f = 0; f < faces; ++f) {
        if (!KeptFace(keepFaces, f)) continue;
        FaceLook& look = looks[f];
        look.color = mesh.FaceColor(f);
        if (const rm::MaterialPtr m = mesh.FaceMaterial(f)) {
            look.hasMaterial = true;
            look.power = m->Power();
            look.specular = m->Specular();
            look.emissive = m->Emissive();
        }
        if (const rm::TexturePtr t = mesh.FaceTexture(f); t && textureUri) {
            auto it = uris.find(t.get());
            if (it == uris.end()) it = uris.emplace(t.get(), textureUri(*t)).first;
            look.texture = it->second;
            textured = textured || !look.texture.empty();
        }
    }
    return looks;
}

bool AppendReadFaces(rm::MeshBuilder& mesh, const std::vector<rm::Vector3>& vertices,
                     std::vector<uint32_t>& faceData, const std::vector<const ReadLook*>& faceLooks,
                     const std::vector<rm::TexCoord>& uvs, const std::vector<bool>& hasUv) {
    if (faceLooks.empty()) return true;
    faceData.push_back(0);
    const size_t firstFace = mesh.FaceCount(), firstVertex = mesh.VertexCount();
    if (!mesh.AddFaces(vertices, {}, faceData)) return false;
    for (size_t f = 0; f < faceLooks.size(); ++f) {
        const ReadLook& look = *faceLooks[f];
        mesh.SetFaceColor(firstFace + f, look.color);
        if (look.material) mesh.SetFaceMaterial(firstFace + f, look.material);
        if (look.texture) mesh.SetFaceTexture(firstFace + f, look.texture);
    }
    for (size_t i = 0; i < vertices.size() && i < hasUv.size(); ++i)
        if (hasUv[i]) mesh.SetTextureCoordinates(firstVertex + i, uvs[i].u, uvs[i].v);
    return true;
}

}  // namespace interchange
