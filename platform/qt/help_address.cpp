#include "platform/qt/help_address.h"

namespace qtshell {
namespace {

bool EndsWithChm(std::string_view name) {
    if (name.size() < 4) return false;
    std::string_view ext = name.substr(name.size() - 4);
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return ext[0] == '.' && lower(ext[1]) == 'c' && lower(ext[2]) == 'h' && lower(ext[3]) == 'm';
}

// True when the page stays inside its folder: relative, with no ".." component.
bool StaysInside(std::string_view page) {
    if (page.empty() || page.front() == '/' || page.front() == '\\') return false;
    size_t start = 0;
    while (start <= page.size()) {
        size_t end = page.find_first_of("/\\", start);
        if (end == std::string_view::npos) end = page.size();
        if (page.substr(start, end - start) == "..") return false;
        start = end + 1;
    }
    return true;
}

}  // namespace

std::optional<HelpPage> MapHelpAddress(std::string_view address, std::string_view helpRoot) {
    constexpr std::string_view kSeparator = "::/";
    size_t sep = address.find(kSeparator);
    std::string_view file = sep == std::string_view::npos ? address : address.substr(0, sep);
    std::string_view page =
        sep == std::string_view::npos ? "index.htm" : address.substr(sep + kSeparator.size());

    size_t slash = file.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? file : file.substr(slash + 1);
    if (!EndsWithChm(name) || name.size() == 4) return std::nullopt;
    std::string_view program = name.substr(0, name.size() - 4);

    HelpPage result;
    size_t hash = page.find('#');
    if (hash != std::string_view::npos) {
        result.fragment = std::string(page.substr(hash + 1));
        page = page.substr(0, hash);
    }
    if (!StaysInside(page)) return std::nullopt;

    result.file = std::string(helpRoot);
    if (!result.file.empty() && result.file.back() != '/') result.file += '/';
    result.file += program;
    result.file += '/';
    for (char c : page) result.file += c == '\\' ? '/' : c;
    return result;
}

}  // namespace qtshell
