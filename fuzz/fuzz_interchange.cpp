// glTF (JSON or binary) or Wavefront OBJ as the modeller imports it, the format fixed at build
// time: the mesh read, its materials turned into groups, the point and face lines written.
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
    viewport::ReadModelFile(model, objects, path, MOKKEL_FUZZ_EXTENSION, nullptr, nullptr);
    return 0;
}
