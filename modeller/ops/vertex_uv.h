// The vertex dialog (頂点): a point's texture coordinates, shown and set.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/mesh_model.h"
#include "platform/rm/rm.h"

namespace modeller::ops {

struct VertexUvFields {
    int32_t point = 0;
    std::string current;  // 現在のテクスチャ座標: stored, else the wrap's, else empty
    std::string toSet;    // 設定するテクスチャ座標(u,v): the stored pair, or empty
};

// `mesh` is the render mesh as last rebuilt (vertex i is point i); `wrapEnabled` is false
// while the wrap dialog has the wrap switched off.
VertexUvFields VertexUvFor(const model::MeshModel& model, const rm::MeshBuilder* mesh,
                           int32_t point, bool wrapEnabled = true);

// OK: a blank field removes the point's coordinates; otherwise its first two numbers become
// u and v (a missing v keeps the old one, or 0). True when the stored coordinates changed.
bool ApplyVertexUv(model::MeshModel& model, int32_t point, std::string_view toSet);

}  // namespace modeller::ops
