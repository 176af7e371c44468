// glTF (.gltf, .glb) and Wavefront OBJ (.obj) files as models, the way X files are: the
// import goes through the X import's mesh-to-model step (one group per material, both
// sheets ending in an empty line), the export writes the model mesh that the X export
// writes (textures and materials on, the mirrored copy when the mirror is on).
#pragma once

#include <string>
#include <string_view>

#include "model/mesh_model.h"
#include "viewport/model_mesh.h"
#include "viewport/model_render_objects.h"

namespace shell {
class Prompt;
}

namespace viewport {

// "gltf", "glb" or "obj" (lower case, as fileio::ExtensionOf gives it).
bool IsInterchangeExtension(std::string_view extension);

// Reads `path` into the (cleared) model; its group materials and textures are replaced.
// Images are looked for relative to the file. `error` gets "<path>: <reason>".
bool ImportInterchangeFile(model::MeshModel& model, ModelRenderObjects& objects,
                           const std::string& path, const std::string& extension,
                           shell::Prompt* prompt, std::string* error = nullptr);

// Writes the model by `extension`; the pane's mesh is rebuilt with `options` afterwards.
bool ExportInterchangeFile(model::MeshModel& model, ModelRenderObjects& objects,
                           const std::string& path, const std::string& extension,
                           const ModelMeshOptions& options, std::string* error = nullptr);

// How a file written to `outputPath` names the image at `imagePath` (native paths): relative
// to the file's folder, '/' separated.
std::string ImageReference(const std::string& imagePath, const std::string& outputPath);

}  // namespace viewport
