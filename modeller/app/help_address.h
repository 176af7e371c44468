// Where a help page lives: "<program directory>/Mokkel.chm", and "::/<page>" for a page
// inside it. The Qt help opener maps that address onto the HTML pages we ship.
#pragma once

#include <string>
#include <string_view>

namespace modeller {

inline constexpr std::string_view kHelpFileName = "Mokkel.chm";
inline constexpr std::string_view kMainWindowHelpPage = "main_window.htm";

// An empty page names the help file itself, which opens at its start page.
std::string HelpAddress(std::string_view programDirectory, std::string_view page);

}  // namespace modeller
