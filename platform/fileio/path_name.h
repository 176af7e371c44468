// The parts of a path that the programs pick by: the file name and its extension. Folder
// names never count, so "~/.local/a.x", "/home/first.last/a.mkl" and "v1.2/house.mkl" are
// told apart by their file names alone.
#pragma once

#include <string>
#include <string_view>

namespace fileio {

// The text after the last '/' or '\' (the whole path when it has neither; empty when the
// path ends in one).
std::string_view FileNameOf(std::string_view path);

// The text after the last period of the file name, ASCII letters in lower case; empty when
// the name has no period or ends in one.
std::string ExtensionOf(std::string_view path);

// The file name without the period and extension that ExtensionOf finds.
std::string_view StemOf(std::string_view path);

}  // namespace fileio
