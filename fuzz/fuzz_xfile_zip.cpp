// The compressed X encodings with a body worth parsing: the input after its first byte is
// the file's body, compressed here into tzip (first byte even) or bzip (odd) blocks, so that
// mutations reach the parser through the inflater rather than only break the deflate stream.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/memory_file.h"
#include "model/mesh_model.h"
#include "platform/xfile/x_mszip.h"
#include "viewport/model_files.h"
#include "viewport/model_render_objects.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    static fuzz::MemoryFile file;
    std::string bytes = (data[0] & 1) ? "xof 0303bzip0032" : "xof 0303tzip0032";
    std::string packed;
    const std::string_view body(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (!xfile::DeflateMsZip(body, packed)) return 0;
    bytes += packed;
    const std::string& path =
        file.Hold(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    model::MeshModel model;
    viewport::ModelRenderObjects objects;
    viewport::ReadModelFile(model, objects, path, "x", nullptr, nullptr);
    return 0;
}
