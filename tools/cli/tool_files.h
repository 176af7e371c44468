// What the subcommands share: file kinds by extension, loading a model as the modeller does,
// and reporting a failed operation.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "model/mesh_model.h"
#include "tools/terminal_prompt.h"
#include "viewport/model_mesh.h"
#include "viewport/model_render_objects.h"

namespace CLI {
class Validator;
}

namespace tools {

// The text after the last period of the file name (folders never count), lower case; empty
// when there is none.
std::string FileExtension(std::string_view path);

// Accepts a path whose extension is one of `extensions`; `what` names them in the message.
CLI::Validator ExtensionIn(std::initializer_list<std::string_view> extensions,
                           const std::string& what);

// Prints "mokkel-tool: PATH: TEXT" on stderr, then the reason ("PATH: why") on a line of its
// own when there is one, and returns kExitFailed.
int Fail(const std::string& path, std::string_view text, std::string_view reason = {});

// The modeller's document without its windows.
struct Document {
    model::MeshModel model;
    viewport::ModelRenderObjects objects;
};

// Reads `path` (.mkl or .x) through the modeller's own read. The reader's messages go to
// stderr with the path; a failed read adds "Error!". A model file whose sections were
// damaged is a failure too: a script must not carry on with data the modeller would have
// warned about.
bool LoadDocument(Document& doc, const std::string& path);

// The mesh options the modeller saves and draws with: the display mode from the model's
// device type, textures and materials on.
viewport::ModelMeshOptions DocumentMeshOptions(const model::MeshModel& model);

// Writes the document as the modeller saves it, the format by the extension of `path`
// (X as text unless `binaryX`). A failed write keeps the previous file, is reported, and
// returns kExitFailed; otherwise kExitOk.
int SaveDocument(Document& doc, const std::string& path, bool binaryX = false);

}  // namespace tools
