// The file dialogs' filters in the "Caption (*.ext)|*.ext|...||" form of the original
// framework, and what a save dialog makes of the name the user typed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace shell {

// `designed` followed by the further "Caption|pattern" pairs of `further` (given without a
// closing "||"): the program's own filters stay first and as they were.
inline std::string WithFurtherFilters(std::string_view designed, std::string_view further) {
    std::string filter(designed);
    while (!filter.empty() && filter.back() == '|') filter.pop_back();
    filter += '|';
    filter += further;
    filter += "||";
    return filter;
}

// One caption/pattern pair of a filter text.
struct FileFilterEntry {
    std::string caption;
    std::vector<std::string> patterns;  // trimmed, as written ("*.mkl", "*.*")
};

// The pairs in order. The list ends at an empty caption (the closing "||") or an incomplete
// last pair; a pair without any pattern is left out. Indexes into this list are the filter
// indexes of FileRequest.
std::vector<FileFilterEntry> ParseFileFilters(std::string_view filter);

// The extension (without its period) a name typed without one gets when saved under filter
// `index`: that of the filter's first "*.ext" pattern, or `defaultExtension` when the filter
// names no single extension ("*.*") or there is no such filter.
std::string SaveExtension(std::string_view filter, int index, std::string_view defaultExtension);

// The path a save dialog returns for `typedPath` when the user left it on filter
// `chosenIndex`: a file name with an extension keeps it; one without gets SaveExtension.
std::string SavePathFor(std::string_view filter, int chosenIndex, std::string_view typedPath,
                        std::string_view defaultExtension);

}  // namespace shell
