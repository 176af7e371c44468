#include "platform/fileio/path_name.h"

namespace fileio {

std::string_view FileNameOf(std::string_view path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

namespace {

// The position of the extension's period in the file name, or npos.
size_t ExtensionPeriod(std::string_view name) {
    const size_t period = name.rfind('.');
    return period == std::string_view::npos || period + 1 == name.size() ? std::string_view::npos
                                                                         : period;
}

}  // namespace

std::string ExtensionOf(std::string_view path) {
    const std::string_view name = FileNameOf(path);
    const size_t period = ExtensionPeriod(name);
    if (period == std::string_view::npos) return {};
    std::string extension(name.substr(period + 1));
    // Bytes above 0x7F belong to multibyte characters and are never case-folded.
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return extension;
}

std::string_view StemOf(std::string_view path) {
    const std::string_view name = FileNameOf(path);
    const size_t period = ExtensionPeriod(name);
    return period == std::string_view::npos ? name : name.substr(0, period);
}

}  // namespace fileio
