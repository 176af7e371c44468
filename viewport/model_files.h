// Reading and writing a model by its file's extension: "mkl" (any letter case) is the model
// file, "x" an X file, "gltf", "glb" and "obj" the interchange formats; any other extension
// fails without a message.
#pragma once

#include <string>

#include "model/mesh_model.h"
#include "viewport/model_mesh.h"
#include "viewport/model_render_objects.h"

namespace shell {
class Prompt;
}

namespace viewport {

enum class FileMode { kRead = 0, kWrite = 1 };

struct FileOptions {
    bool binaryX = false;  // X files written as binary
    ModelMeshOptions meshOptions;
    rm::FramePtr wrapReference;  // the model frame, when the pane has one
};

// After a read the model's texture images are loaded and its wrap object made, so the
// model mesh can be built at once. A failed write leaves the previous file as it was and
// puts "<path>: <reason>" in `error` when given.
bool OpenOrSaveFile(model::MeshModel& model, ModelRenderObjects& objects, const std::string& path,
                    const std::string& extension, FileMode mode, shell::Prompt* prompt,
                    const FileOptions& options = {}, std::string* error = nullptr);

// The document's read of a file, shared by the modeller and mokkel-tool: the current file
// is set from the path, the model cleared (asking `host` whether to save first, when given),
// the texture tables emptied, then the file read by `extension`.
bool ReadModelFile(model::MeshModel& model, ModelRenderObjects& objects, const std::string& path,
                   const std::string& extension, shell::Prompt* prompt, model::ClearHost* host,
                   const FileOptions& options = {}, std::string* error = nullptr);

// The document's write: the file's format follows `extension`.
bool WriteModelFile(model::MeshModel& model, ModelRenderObjects& objects, const std::string& path,
                    const std::string& extension, shell::Prompt* prompt,
                    const FileOptions& options = {}, std::string* error = nullptr);

}  // namespace viewport
