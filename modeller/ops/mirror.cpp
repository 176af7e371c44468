#include "modeller/ops/mirror.h"

#include "model/vector_text.h"
#include "modeller/ops/sheet_steps.h"
#include "modeller/ops/tidy_data.h"
#include "viewport/model_pane.h"
#include "viewport/model_parse.h"

namespace modeller::ops {

OpsResult ApplyMirrorSetting(model::MeshModel& m, OpsHost& host,
                             const model::MirrorSettings& setting) {
    const bool changed = !(m.mirror == setting);
    m.mirror = setting;
    host.RebuildModelMesh(0);
    if (changed) host.SetModified();
    return {};
}

OpsResult ApplyMirrorBake(model::MeshModel& m, OpsHost& host) {
    const int32_t axis = m.mirror.mirrorAxis;
    if (axis < 1 || axis > 3) return {false, "no mirror set"};
    TidySheets(m);
    host.SetModified();

    model::PointSheet& p = m.points;
    model::FaceSheet& f = m.faces;
    // After the tidy only valid lines are left; an empty model keeps its one empty line.
    const int32_t v = viewport::UsedPointCount(p);
    int32_t faceCount = 0;
    while (faceCount <= f.maxLine &&
           (f.FaceStatus[static_cast<size_t>(faceCount)] & model::FaceSheet::kStatusValid))
        ++faceCount;
    if (v > 0) {
        p.SetMaxLine(2 * v - 1);
        const float position = m.mirror.mirrorPosition;
        for (int32_t i = 0; i < v; ++i) {
            model::Vertex q = p.parsedVertices[static_cast<size_t>(i)];
            float& c = axis == 1 ? q.x : axis == 2 ? q.y : q.z;
            c = MirrorCoordinate(c, position);
            p.lines[static_cast<size_t>(v + i)] = model::FormatVector(q);
        }
        auto& uv = m.textureAssignment.uvMap;
        for (auto it = uv.begin(); it != uv.end() && it->first < v; ++it)
            uv.emplace_hint(uv.end(), it->first + v, it->second);
    }
    if (faceCount > 0 && v > 0) {
        f.SetMaxLine(2 * faceCount - 1);
        f.ResizeFaceArrays();
        std::vector<int32_t> corners;
        auto& textures = m.textureAssignment.faceTextureMap;
        for (int32_t c = 0; c < faceCount; ++c) {
            const auto src = static_cast<size_t>(c), dst = static_cast<size_t>(faceCount + c);
            corners.clear();
            model::ParseFaceCornersInto(f.lines[src], corners);
            std::reverse(corners.begin(), corners.end());
            for (int32_t& q : corners) q += v;
            f.lines[dst] = model::JoinCorners(corners);
            f.FaceGroup[dst] = f.FaceGroup[src];
            // The face's own colour goes with it, so the baked half looks as the live image did.
            f.FaceStatus[dst] = f.FaceStatus[src] & model::FaceSheet::kStatusOwnColor;
            f.FaceColor[dst] = f.FaceColor[src];
            if (auto t = textures.find(c); t != textures.end())
                textures.emplace_hint(textures.end(), faceCount + c, t->second);
        }
    }
    m.mirror.mirrorAxis = 0;
    host.RebuildPointMarkers(viewport::kReparseAll | viewport::kNoRender);
    host.RefreshScreens();
    return {};
}

}  // namespace modeller::ops
