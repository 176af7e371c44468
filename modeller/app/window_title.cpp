#include "modeller/app/window_title.h"

#include "modeller/app/program_identity.h"

namespace modeller {

std::string WindowTitle(std::string_view fileTitle, bool modified) {
    std::string title(kProgramName);
    if (fileTitle.empty()) return title;
    title += "  [";
    title += fileTitle;
    if (modified) title += " *";
    title += ']';
    return title;
}

}  // namespace modeller
