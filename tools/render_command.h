// mokkel-tool render: a model or X file drawn by the modeller's render scene, headless.
#pragma once

#include <string>
#include <vector>

namespace tools {

// render IN OUT [--size WxH] [--mode 0..4]; returns the exit code.
int Render(const std::vector<std::string>& args);

}  // namespace tools
