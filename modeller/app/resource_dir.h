// Finds the resources folder (icons are built in; help pages are read from disk so the
// desktop's browser can show them).
#pragma once

#include <string>
#include <string_view>

namespace modeller {

// The first of <exe dir>/resources, <exe dir>/../resources, <exe dir>/../share/mokkel and
// `fallback` that holds the help start page, as a normalised absolute path; empty when none
// does.
std::string FindResourceDir(std::string_view executableDir, std::string_view fallback);

// FindResourceDir with the source tree this program was built from as the fallback, so a
// program run from its build folder finds the pages too.
std::string DefaultResourceDir(std::string_view executableDir);

}  // namespace modeller
