// Finds the folder of resources the programs read from disk (help pages, samples): beside the
// program when it is installed, else the source tree it was built from.
#pragma once

#include <string>
#include <string_view>

namespace fileio {

// The folder holding the running program (from /proc/self/exe); empty when unknown.
std::string ExecutableDir();

// The first of <exe dir>/resources, <exe dir>/../resources, <exe dir>/../share/mokkel and
// `fallback` that holds the start page help/<program>/index.htm, as a normalised absolute
// path; empty when none does.
std::string FindResourceDir(std::string_view executableDir, std::string_view program,
                            std::string_view fallback);

// FindResourceDir with the source tree this program was built from as the fallback, so a
// program run from its build folder finds the pages too.
std::string DefaultResourceDir(std::string_view executableDir, std::string_view program);

}  // namespace fileio
