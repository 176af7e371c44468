#include "modeller/ops/make_face.h"

#include "model/free_run.h"
#include "modeller/ops/sheet_steps.h"
#include "viewport/model_pane.h"

namespace modeller::ops {

OpsResult WritePickedFace(model::MeshModel& m, OpsHost& host, const std::vector<int32_t>& picks) {
    if (picks.size() < 3) return {false, {}};
    const int32_t line = model::FindFirstEmptyLine(m.faces);
    m.faces.GrowTo(line);
    m.faces.ResizeFaceArrays();
    JoinCornersInto(picks, m.faces.lines[static_cast<size_t>(line)]);
    host.RebuildModelMesh(0);
    host.RefreshScreens();
    return {};
}

OpsResult DeletePickedPoints(model::MeshModel& m, OpsHost& host,
                             const std::vector<int32_t>& picks) {
    for (int32_t p : picks) {
        if (p < 0 || p > m.points.maxLine) continue;
        m.points.lines[static_cast<size_t>(p)].clear();
        m.textureAssignment.uvMap.erase(p);
    }
    host.RebuildPointMarkers(viewport::kReparseAll);
    host.RefreshScreens();
    return {};
}

}  // namespace modeller::ops
