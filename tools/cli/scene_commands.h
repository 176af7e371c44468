// The subcommands for scene files (.stg) and parts files (.ktb), reached from info, resave,
// render and convert by the input's extension.
#pragma once

#include <string>
#include <string_view>

#include "studio/scene/scene_doc.h"

namespace tools {

bool IsSceneFile(std::string_view path);

// Reads a scene (or parts file, with its environment) as the studio opens it. A failed read,
// or a model the studio would have warned about, is reported on stderr and returns false.
bool LoadScene(studio::CSceneDoc& doc, const std::string& path);

int SceneInfo(const std::string& path, bool json);
int SceneResave(const std::string& in, const std::string& out);
// `width` and `height` 0: the scene's own 3D screen size.
int SceneRender(const std::string& in, const std::string& out, int width, int height);
int SceneConvert(const std::string& in, const std::string& out, bool binary);

}  // namespace tools
