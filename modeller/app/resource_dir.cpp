#include "modeller/app/resource_dir.h"

#include <filesystem>

namespace modeller {

namespace fs = std::filesystem;

std::string FindResourceDir(std::string_view executableDir, std::string_view fallback) {
    const fs::path exe(executableDir);
    const fs::path candidates[] = {
        exe / "resources",
        exe / ".." / "resources",
        exe / ".." / "share" / "mokkel",
        fs::path(fallback),
    };
    for (const fs::path& dir : candidates) {
        if (dir.empty()) continue;
        std::error_code ec;
        if (!fs::is_regular_file(dir / "help" / "Mokkel" / "index.htm", ec)) continue;
        fs::path full = fs::absolute(dir, ec);
        return (ec ? dir : full).lexically_normal().string();
    }
    return {};
}

std::string DefaultResourceDir(std::string_view executableDir) {
    return FindResourceDir(executableDir, MOKKEL_RESOURCE_DIR);
}

}  // namespace modeller
