// Paths stored in model and scene files: relative to the file's directory, with "\"
// separators as the format has them; read accepting "\" and "/". On this platform "/" is
// the drive, so every absolute path shares it.
#pragma once

#include <string>
#include <string_view>

namespace model {

// `path` as stored in a file written into `directory`. A relative path, or any path when
// the directory is not absolute, is kept (with "\" separators).
std::string MakeRelativePath(std::string_view path, std::string_view directory);

// A stored relative path resolved against a directory, as a native path. A directory that
// is in fact an existing file stands for that file's folder.
std::string JoinPath(std::string_view directory, std::string_view relative);

}  // namespace model
