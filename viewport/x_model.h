// X files as models: import turns the first mesh of an X file into point and face lines,
// groups, colours, textures and texture coordinates; export writes the model mesh.
#pragma once

#include <string>
#include <vector>

#include "model/mesh_model.h"
#include "viewport/model_mesh.h"
#include "viewport/model_render_objects.h"

namespace shell {
class Prompt;
}

namespace viewport {

// Reads `path` into the (cleared) model through the model mesh: the file's first mesh, or
// else all meshes of its frames. Group materials and textures of the model are replaced.
// False when the file gave no mesh either way.
bool ImportXFile(model::MeshModel& model, ModelRenderObjects& objects, const std::string& path,
                 shell::Prompt* prompt);

// The model mesh built as for the pane but with textures and materials on, written as text
// or binary with every save flag; the mesh is then rebuilt with `options`. Only valid faces
// and their mirrored copies are written: the degenerate stand-ins of invalid face lines
// would come back as face lines of their own. `error` gets "<path>: <reason>".
bool ExportXFile(model::MeshModel& model, ModelRenderObjects& objects, const std::string& path,
                 bool binary, const ModelMeshOptions& options, std::string* error = nullptr);

// The model mesh as the exports write it: textures and materials on, whatever the pane
// shows. Returns which of its faces to write: only valid face lines and their mirrored
// copies, since the degenerate stand-ins of invalid lines would come back as face lines of
// their own. RestoreModelMesh builds it again with the pane's `options`.
std::vector<bool> BuildExportMesh(model::MeshModel& model, ModelRenderObjects& objects,
                                  const ModelMeshOptions& options);
void RestoreModelMesh(model::MeshModel& model, ModelRenderObjects& objects,
                      const ModelMeshOptions& options);

// A texture an imported file names (relative to the model's directory), loaded and
// appended to the model's texture list; empty when it cannot be loaded.
rm::TexturePtr LoadImportedTexture(model::MeshModel& model, ModelRenderObjects& objects,
                                   const std::string& name, shell::Prompt* prompt);

// The first step of every import: the model takes `path` as its file, and the model mesh,
// groups, group materials and textures are emptied for the file's. Returns the model mesh.
rm::MeshBuilder& StartMeshImport(model::MeshModel& model, ModelRenderObjects& objects,
                                 const std::string& path);

// Mesh builder to model: both sheets end with one empty line.
void ImportMesh(const rm::MeshBuilder& mesh, model::MeshModel& model, ModelRenderObjects& objects);

}  // namespace viewport
