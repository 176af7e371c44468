// Help addresses "<dir>/<Program>.chm::/<page>" name a page of a compiled help file; here
// the pages are HTML files in <help root>/<Program>/<page>.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qtshell {

struct HelpPage {
    std::string file;      // <help root>/<Program>/<page>
    std::string fragment;  // the part after '#' in the page name, if any
};

// The page an address stands for (whether or not it exists). An address without "::/" opens
// the program's "index.htm". Nothing when the address does not name a ".chm" file, or the
// page would leave the program's help folder.
std::optional<HelpPage> MapHelpAddress(std::string_view address, std::string_view helpRoot);

}  // namespace qtshell
