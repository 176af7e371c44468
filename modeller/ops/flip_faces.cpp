#include "modeller/ops/flip_faces.h"

#include "model/vector_text.h"
#include "viewport/model_pane.h"

namespace modeller::ops {

OpsResult ApplyFlipFaces(model::MeshModel& m, OpsHost& host) {
    for (std::string& line : m.faces.lines) line = model::ReverseFaceLine(line);
    host.RebuildModelMesh(viewport::kNoRender);
    host.SetModified();
    host.RefreshScreens();
    return {};
}

}  // namespace modeller::ops
