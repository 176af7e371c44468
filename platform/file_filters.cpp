#include "platform/file_filters.h"

namespace shell {
namespace {

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

std::vector<FileFilterEntry> ParseFileFilters(std::string_view filter) {
    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
        const size_t bar = filter.find('|', start);
        if (bar == std::string_view::npos) {
            fields.push_back(filter.substr(start));
            break;
        }
        fields.push_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<FileFilterEntry> out;
    for (size_t i = 0; i + 1 < fields.size(); i += 2) {
        if (fields[i].empty()) break;  // the "||" that ends the list
        FileFilterEntry entry{std::string(fields[i]), {}};
        std::string_view patterns = fields[i + 1];
        while (!patterns.empty()) {
            const size_t semicolon = patterns.find(';');
            const std::string_view pattern = Trimmed(patterns.substr(0, semicolon));
            if (!pattern.empty()) entry.patterns.emplace_back(pattern);
            if (semicolon == std::string_view::npos) break;
            patterns.remove_prefix(semicolon + 1);
        }
        if (!entry.patterns.empty()) out.push_back(std::move(entry));
    }
    return out;
}

std::string SaveExtension(std::string_view filter, int index, std::string_view defaultExtension) {
    const std::vector<FileFilterEntry> entries = ParseFileFilters(filter);
    if (index >= 0 && static_cast<size_t>(index) < entries.size()) {
        for (const std::string& pattern : entries[static_cast<size_t>(index)].patterns) {
            if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0) continue;
            const std::string_view extension = std::string_view(pattern).substr(2);
            if (extension.find_first_of("*?.") == std::string_view::npos)
                return std::string(extension);
        }
    }
    while (!defaultExtension.empty() && defaultExtension.front() == '.')
        defaultExtension.remove_prefix(1);
    return std::string(defaultExtension);
}

std::string SavePathFor(std::string_view filter, int chosenIndex, std::string_view typedPath,
                        std::string_view defaultExtension) {
    std::string result(typedPath);
    const size_t slash = typedPath.find_last_of('/');
    const std::string_view name =
        slash == std::string_view::npos ? typedPath : typedPath.substr(slash + 1);
    if (name.empty()) return result;
    const size_t period = name.rfind('.');
    if (period != std::string_view::npos && period + 1 < name.size()) return result;

    const std::string extension = SaveExtension(filter, chosenIndex, defaultExtension);
    if (extension.empty()) return result;
    // A trailing period is not doubled.
    if (period == std::string_view::npos) result += '.';
    result += extension;
    return result;
}

}  // namespace shell
