// An X file as the modeller imports it (text, binary, tzip or bzip, by its header): the first
// top-level mesh, else every mesh of its frames, turned into point and face lines.
#include <cstddef>
#include <cstdint>

#include "fuzz/memory_file.h"
#include "model/mesh_model.h"
#include "viewport/model_files.h"
#include "viewport/model_render_objects.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::MemoryFile file;
    const std::string& path = file.Hold(data, size);
    model::MeshModel model;
    viewport::ModelRenderObjects objects;
    viewport::ReadModelFile(model, objects, path, "x", nullptr, nullptr);
    return 0;
}
