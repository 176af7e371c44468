// A vector as the studio's dialogs show and read it: "x, y, z", finite numbers only.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/rm/rm.h"

namespace studio {

std::string FormatVector(const rm::Vector3& v);
// The typed vector, or nothing when it is not three numbers or one of them is not finite.
std::optional<rm::Vector3> ParseFiniteVector(std::string_view text);

}  // namespace studio
