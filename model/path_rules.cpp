#include "model/path_rules.h"

#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "platform/text/cp932.h"

namespace model {

namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

std::vector<std::string_view> Components(std::string_view path) {
    std::vector<std::string_view> parts;
    size_t i = 0;
    while (i < path.size()) {
        while (i < path.size() && IsSeparator(path[i])) ++i;
        size_t start = i;
        while (i < path.size() && !IsSeparator(path[i])) ++i;
        if (i > start) parts.push_back(path.substr(start, i - start));
    }
    return parts;
}

std::string WithSeparators(std::string_view path, char separator) {
    std::string s(path);
    std::replace_if(s.begin(), s.end(), IsSeparator, separator);
    return s;
}

// `path` is CP932 with either separator, as stored paths come.
bool IsRegularFile(std::string_view path) {
    struct stat st {};
    return ::stat(text::Cp932ToUtf8(WithSeparators(path, '/')).c_str(), &st) == 0 &&
           S_ISREG(st.st_mode);
}

}  // namespace

std::string MakeRelativePath(std::string_view path, std::string_view directory) {
    const bool pathAbsolute = !path.empty() && path[0] == '/';
    const bool dirAbsolute = !directory.empty() && directory[0] == '/';
    if (!pathAbsolute || !dirAbsolute) return WithSeparators(path, '\\');

    // Compared by whole components: "/a/models2" is not inside "/a/models".
    const auto target = Components(path);
    const auto base = Components(directory);
    size_t common = 0;
    while (common < target.size() && common < base.size() && target[common] == base[common])
        ++common;
    std::string out;
    for (size_t i = common; i < base.size(); ++i) out += "..\\";
    for (size_t i = common; i < target.size(); ++i) {
        if (i > common) out += '\\';
        out += target[i];
    }
    return out;
}

std::string JoinPath(std::string_view directory, std::string_view relative) {
    if (relative.empty()) return std::string(directory);
    if (IsSeparator(relative[0])) relative.remove_prefix(1);
    if (relative.find(':') != std::string_view::npos) return std::string(relative);
    if (directory.empty()) return {};

    std::string dir(directory);
    if (IsSeparator(dir.back())) dir.pop_back();
    // A file's path given as the directory stands for the file's own folder. Only an
    // existing file counts: "v1.2" or "tmp.Ab12" are folders, whatever their names say.
    size_t lastSep = dir.find_last_of("/\\");
    if (lastSep != std::string::npos && IsRegularFile(dir)) dir.resize(lastSep);

    while (true) {
        if (relative.starts_with("./") || relative.starts_with(".\\")) {
            relative.remove_prefix(2);  // the same directory: nothing to climb
            continue;
        }
        if (!(relative.starts_with("../") || relative.starts_with("..\\"))) break;
        relative.remove_prefix(3);
        // Climb one level; the root ("/", the drive) is never climbed past.
        lastSep = dir.find_last_of("/\\");
        if (lastSep != std::string::npos) dir.resize(lastSep);
    }
    return WithSeparators(dir, '/') + "/" + WithSeparators(relative, '/');
}

}  // namespace model
