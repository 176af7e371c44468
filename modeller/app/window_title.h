// The main window's title: the program name, and the file title in brackets once there is a
// file, marked while the model has unsaved changes.
#pragma once

#include <string>
#include <string_view>

namespace modeller {

// "Mokkel", "Mokkel  [title]" or "Mokkel  [title *]". Without a file the flag is not shown.
std::string WindowTitle(std::string_view fileTitle, bool modified);

}  // namespace modeller
