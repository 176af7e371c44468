// A model of given lines with a headless host, for the operation tests.
#pragma once

#include <string>
#include <vector>

#include "model/mesh_model.h"
#include "modeller/ops/ops_host.h"
#include "viewport/model_render_objects.h"

namespace ops_test {

using Lines = std::vector<std::string>;

struct Doc {
    model::MeshModel m;
    viewport::ModelRenderObjects objects;
    modeller::ops::HeadlessOpsHost host{m, objects};

    Doc(Lines points, Lines faces) {
        m.points.ReplaceLines(std::move(points));
        m.faces.ReplaceLines(std::move(faces));
        m.faces.ResizeFaceArrays();
    }
    const Lines& Points() const { return m.points.lines; }
    const Lines& Faces() const { return m.faces.lines; }
};

}  // namespace ops_test
