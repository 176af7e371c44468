#include "model/current_file.h"

#include <filesystem>

#include "platform/fileio/path_name.h"

namespace model {

std::string DirectoryOf(std::string_view path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return {};
    if (slash == 0) return "/";
    return std::string(path.substr(0, slash));
}

std::string AbsoluteDirectoryOf(std::string_view path) {
    std::string directory = DirectoryOf(path);
    if (path.empty() || (!directory.empty() && directory[0] == '/')) return directory;
    std::error_code error;
    std::filesystem::path cwd = std::filesystem::current_path(error);
    if (error) return directory;
    std::string absolute = (cwd / directory).lexically_normal().string();
    while (absolute.size() > 1 && absolute.back() == '/') absolute.pop_back();
    return absolute;
}

void CurrentFile::Set(std::string_view newPath) {
    path.assign(newPath);
    const size_t slash = newPath.rfind('/');
    title.assign(slash == std::string_view::npos ? newPath : newPath.substr(slash + 1));
    extension = fileio::ExtensionOf(newPath);
    ModelDirectory = AbsoluteDirectoryOf(newPath);
}

std::string CurrentFile::TitleWithoutExtension() const {
    return std::string(fileio::StemOf(title));
}

}  // namespace model
