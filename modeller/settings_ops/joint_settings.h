// The joint dialog (ジョイント) without its widget: one joint position per line.
#pragma once

#include <string>
#include <string_view>

#include "model/side_settings.h"

namespace modeller::settings {

inline constexpr const char* kJointHelpPage = "dlg_joint.htm";

// Every joint as vector text, each line ending in a line break.
std::string JointText(const model::JointList& joints);
// The lines that read as a vector, in order; other lines are dropped. Line breaks may be
// LF or CR LF.
model::JointList JointsOfText(std::string_view text);

}  // namespace modeller::settings
