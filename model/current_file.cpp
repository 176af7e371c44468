#include "model/current_file.h"

#include <algorithm>

namespace model {

std::string DirectoryOf(std::string_view path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return {};
    if (slash == 0) return "/";
    return std::string(path.substr(0, slash));
}

void CurrentFile::Set(std::string_view newPath) {
    path.assign(newPath);
    const size_t slash = newPath.rfind('/');
    title.assign(slash == std::string_view::npos ? newPath : newPath.substr(slash + 1));
    const size_t period = newPath.find('.');
    extension.clear();
    if (period != std::string_view::npos && period + 1 < newPath.size()) {
        extension.assign(newPath.substr(period + 1));
        std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) {
            return static_cast<char>(c < 0x80 ? std::tolower(c) : c);
        });
    }
    ModelDirectory = DirectoryOf(newPath);
}

std::string CurrentFile::TitleWithoutExtension() const {
    const size_t period = title.find('.');
    return period == std::string::npos ? title : title.substr(0, period);
}

}  // namespace model
