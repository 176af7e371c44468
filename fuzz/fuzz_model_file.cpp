// The model file (.mkl) as the modeller opens it: the document's read (the reader, then the
// texture images and the wrap), then the model mesh built from what was read.
#include <cstddef>
#include <cstdint>

#include "fuzz/memory_file.h"
#include "model/mesh_model.h"
#include "viewport/model_files.h"
#include "viewport/model_mesh.h"
#include "viewport/model_parse.h"
#include "viewport/model_render_objects.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::MemoryFile file;
    const std::string& path = file.Hold(data, size);
    model::MeshModel model;
    viewport::ModelRenderObjects objects;
    if (!viewport::ReadModelFile(model, objects, path, "mkl", nullptr, nullptr)) return 0;
    viewport::ParsePointLines(model.points, true);
    viewport::ModelMeshOptions options;
    options.displayMode = model.deviceType;
    auto mesh = rm::MeshBuilder::Create();
    viewport::BuildModelMesh(model, objects, viewport::UsedPointCount(model.points), options,
                             *mesh);
    return 0;
}
