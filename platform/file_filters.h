// The file dialogs' filters in the "Caption (*.ext)|*.ext|...||" form of the original
// framework.
#pragma once

#include <string>
#include <string_view>

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

}  // namespace shell
