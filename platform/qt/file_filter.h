// The file dialogs' filter text of the old framework, "Caption|*.a;*.b|Caption2|*.c||", in
// the form QFileDialog takes, and the default-extension rule of its save dialogs.
#pragma once

#include <QStringList>
#include <string>
#include <string_view>

namespace qtshell {

// One Qt name filter per caption/pattern pair: the caption as it stands followed by the
// pattern list in parentheses ("Caption (*.a *.b)"), which QFileDialog can hide so the user
// sees the old caption. "*.*" becomes "*" (every file, as it meant). An incomplete last pair
// is dropped.
QStringList ToQtNameFilters(std::string_view filter);

// The path with "." + extension appended when its file name has no extension; unchanged
// when the extension is empty. A leading dot in the extension is ignored.
std::string ApplyDefaultExtension(std::string_view path, std::string_view extension);

}  // namespace qtshell
