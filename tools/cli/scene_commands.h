// The subcommands for scene files (.stg) and parts files (.ktb), reached from info, resave,
// render and convert by the input's extension.
#pragma once

#include <string>
#include <string_view>

namespace tools {

bool IsSceneFile(std::string_view path);

int SceneInfo(const std::string& path, bool json);
int SceneResave(const std::string& in, const std::string& out);
// `width` and `height` 0: the scene's own 3D screen size.
int SceneRender(const std::string& in, const std::string& out, int width, int height);
int SceneConvert(const std::string& in, const std::string& out, bool binary);

}  // namespace tools
