#include "platform/fileio/resource_dir.h"

#include <filesystem>
#include <span>

namespace fileio {

namespace fs = std::filesystem;

std::string ExecutableDir() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.parent_path().string();
}

std::string FindResourceDir(std::string_view executableDir, std::string_view program,
                            std::string_view fallback) {
    const fs::path exe(executableDir);
    fs::path candidates[] = {
        exe / "resources",
        exe / ".." / "resources",
        exe / ".." / "share" / "mokkel",
        fs::path(fallback),
    };
    // Without a program folder only the fallback is left; a relative candidate would be
    // found against whatever folder happens to be current.
    for (fs::path& dir :
         executableDir.empty() ? std::span(candidates).last(1) : std::span(candidates)) {
        if (dir.empty()) continue;
        std::error_code ec;
        if (!fs::is_regular_file(dir / "help" / program / "index.htm", ec)) continue;
        fs::path full = fs::absolute(dir, ec);
        return (ec ? dir : full).lexically_normal().string();
    }
    return {};
}

std::string DefaultResourceDir(std::string_view executableDir, std::string_view program) {
    return FindResourceDir(executableDir, program, MOKKEL_RESOURCE_DIR);
}

}  // namespace fileio
