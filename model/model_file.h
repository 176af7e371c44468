// The model file (.mkl): both sheets verbatim, then tagged sections for the side tables.
#pragma once

#include <string>

#include "model/mesh_model.h"

namespace shell {
class Prompt;
}

namespace model {

inline constexpr const char* kMsgFileNotFound = "ファイルが見つかりません";
inline constexpr const char* kMsgInvalidFormat = "ファイル形式が無効です";
inline constexpr const char* kMsgDataMayBeInvalid = "データが無効な場合があります";

struct LoadOptions {
    // The studio checks that the file exists itself and wants no message.
    bool reportMissingFile = true;
};

// Writes the model to `path` (native) and makes it the current file. False when the file
// could not be written completely; the previous file at `path` is then untouched and
// `error` (when given) says "<path>: <reason>".
bool SaveModelFile(MeshModel& model, const std::string& path, std::string* error = nullptr);

// Reads `path` into the model, which the caller has cleared. Messages go through `prompt`
// (may be null). A damaged section still gives a loaded model, after the message
// "データが無効な場合があります". Loading texture images and building the wrap are left to
// the caller.
bool LoadModelFile(MeshModel& model, const std::string& path, shell::Prompt* prompt,
                   const LoadOptions& options = {});

// Makes every texture path full again after a load: joined with the file's directory
// first, with the directory it was saved from second; else the stored path stays.
void ResolveTexturePaths(MeshModel& model);

}  // namespace model
