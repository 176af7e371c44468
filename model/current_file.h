// The file the model belongs to, split the way the file commands use it.
#pragma once

#include <string>
#include <string_view>

namespace model {

struct CurrentFile {
    std::string title;      // after the last separator; empty when the path ends in one
    std::string path;       // native; empty when the model has no file
    std::string extension;  // after the last period of the file name, lower case
    // The folder, made absolute against the working directory for a relative path, so
    // files beside the model are found whatever form the path took.
    std::string ModelDirectory;

    void Set(std::string_view newPath);
    void Clear() { *this = CurrentFile{}; }
    // The title without its extension (for the save dialog's name field).
    std::string TitleWithoutExtension() const;
};

// The directory part of a native path: "/a/b/c.mkl" -> "/a/b"; "/c.mkl" -> "/"; "c" -> "".
std::string DirectoryOf(std::string_view path);

// The same, resolved against the working directory when it is relative: "c" -> the working
// directory, "../c" -> its parent. Names are not resolved through symbolic links.
std::string AbsoluteDirectoryOf(std::string_view path);

}  // namespace model
