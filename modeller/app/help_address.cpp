#include "modeller/app/help_address.h"

namespace modeller {

std::string HelpAddress(std::string_view programDirectory, std::string_view page) {
    std::string address(programDirectory);
    if (!address.empty() && address.back() != '/') address += '/';
    address += kHelpFileName;
    if (!page.empty()) {
        address += "::/";
        address += page;
    }
    return address;
}

}  // namespace modeller
