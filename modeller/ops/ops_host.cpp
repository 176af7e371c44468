#include "modeller/ops/ops_host.h"

#include "viewport/model_pane.h"
#include "viewport/model_parse.h"

namespace modeller::ops {

void HeadlessOpsHost::RebuildPointMarkers(int flags) {
    const bool changed =
        viewport::ParsePointLines(model_.points, (flags & viewport::kReparseAll) != 0);
    if (!(flags & viewport::kReparseAll) && !changed) return;
    viewport::BuildPointMarkers(model_.points, viewport::UsedPointCount(model_.points), 0xFFFFFFFF,
                                *objects_.pointMesh);
    if (!(flags & viewport::kNoModelRebuild)) RebuildModelMesh(viewport::kNoRender);
}

void HeadlessOpsHost::RebuildModelMesh(int) {
    objects_.SyncMaterials(model_.groups);
    const auto points = static_cast<int32_t>(objects_.pointMesh->VertexCount());
    viewport::BuildModelMesh(model_, objects_, points, options, *objects_.modelMesh);
    ++rebuilds;
}

}  // namespace modeller::ops
