// The texture set dialog (テクスチャのセット) without its widget: one face's texture and
// the "u, v" of each of its vertices.
#pragma once

#include <string>
#include <vector>

#include "model/mesh_model.h"
#include "modeller/ops/ops_host.h"
#include "platform/rm/rm.h"

namespace modeller::settings {

inline constexpr const char* kTextureSetHelpPage = "dlg_textureset.htm";
inline constexpr const char* kDataIncorrectText = "データが正しくありません";

struct TextureSetFields {
    std::string face;     // 面インデックス
    std::string texture;  // an entry name (CP932); empty: no texture
    std::string coords;   // one "u, v" line per vertex of the face
};

// The face's texture name and its vertices' coordinates as they are now.
TextureSetFields TextureSetFieldsOf(const model::MeshModel& model, const rm::MeshBuilder& mesh,
                                    int32_t face);
// The coordinate lines of the face's vertices ("0, 0" for a vertex without any).
std::string CoordText(const model::MeshModel& model, const rm::MeshBuilder& mesh, int32_t face);

// The face number refused as the field exchange does; a face that is not a valid face line,
// or
// a line among the first n (n = the face's vertex count) that does not give two numbers:
// "データが正しくありません".
std::string ValidateTextureSet(const TextureSetFields& fields, const model::MeshModel& model,
                               const rm::MeshBuilder& mesh);
// Stores (u, v) for each vertex of the face and the face's texture, then rebuilds the mesh.
bool ApplyTextureSet(const TextureSetFields& fields, model::MeshModel& model, ops::OpsHost& host);

}  // namespace modeller::settings
