// The file dialogs' filter text of the old framework, "Caption|*.a;*.b|Caption2|*.c||", in
// the form QFileDialog takes.
#pragma once

#include <QStringList>
#include <string_view>

namespace qtshell {

// One Qt name filter per caption/pattern pair (shell::ParseFileFilters): the caption as it
// stands followed by the pattern list in parentheses ("Caption (*.a *.b)"), which QFileDialog
// can hide so the user sees the old caption. "*.*" becomes "*" (every file, as it meant).
QStringList ToQtNameFilters(std::string_view filter);

}  // namespace qtshell
