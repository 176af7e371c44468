#include "modeller/ops/vertex_uv.h"

#include <cstdio>

#include "model/vector_text.h"

namespace modeller::ops {

namespace {

std::string PairText(float u, float v) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%f, %f", static_cast<double>(u), static_cast<double>(v));
    return buffer;
}

bool Blank(std::string_view s) {
    return s.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

VertexUvFields VertexUvFor(const model::MeshModel& m, const rm::MeshBuilder* mesh, int32_t point,
                           bool wrapEnabled) {
    VertexUvFields f;
    f.point = point;
    const auto& uv = m.textureAssignment.uvMap;
    if (auto it = uv.find(point); it != uv.end()) {
        f.current = f.toSet = PairText(it->second.u, it->second.v);
    } else if (m.wrap.wrapFlag == 1 && wrapEnabled && mesh && point >= 0 &&
               static_cast<size_t>(point) < mesh->TexCoords().size()) {
        const rm::TexCoord& t = mesh->TexCoords()[static_cast<size_t>(point)];
        f.current = PairText(t.u, t.v);
    }
    return f;
}

bool ApplyVertexUv(model::MeshModel& m, int32_t point, std::string_view text) {
    auto& uv = m.textureAssignment.uvMap;
    const auto old = uv.find(point);
    if (Blank(text)) {
        if (old == uv.end()) return false;
        uv.erase(old);
        return true;
    }
    const std::vector<float> n = model::ParseNumberList(text, 2);
    model::TexCoord t;
    t.u = n.empty() ? 0.0f : n[0];
    t.v = n.size() >= 2 ? n[1] : old != uv.end() ? old->second.v : 0.0f;
    if (old != uv.end() && old->second == t) return false;
    uv[point] = t;
    return true;
}

}  // namespace modeller::ops
