// The text selection as a range of rows and columns, and what the clipboard commands do
// with it. Rows are never removed or joined, so every other row keeps its number.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/sheet.h"

namespace modeller {

struct SelectionRange {
    int32_t topRow = 0, topColumn = 0;
    int32_t bottomRow = 0, bottomColumn = 0;
    friend bool operator==(const SelectionRange&, const SelectionRange&) = default;
};

// Orders caret and anchor (by row, then column) and clamps the range to the sheet's rows
// firstRow..maxLine: a clamped top starts at column 0, a clamped bottom ends at its line's
// end. Nothing when no row of the sheet lies inside.
std::optional<SelectionRange> NormaliseSelection(int32_t caretRow, int32_t caretColumn,
                                                 int32_t anchorRow, int32_t anchorColumn,
                                                 int32_t firstRow, const model::Sheet& sheet);

// The selected byte span [first, second) of row `row` with text `line`, kept on character
// boundaries; empty for rows outside the range.
std::pair<size_t, size_t> SelectedPart(const SelectionRange& range, int32_t row,
                                       std::string_view line);

// The selected parts of the rows, top to bottom, joined by "\r\n" (none after the last).
std::string SelectedText(const model::Sheet& sheet, const SelectionRange& range);

// Removes the selected part of every row in the range, recording each row as changed.
void RemoveSelectedText(model::Sheet& sheet, const SelectionRange& range);

// Clipboard text cut at its first NUL and split at every "\r\n"; a lone CR or LF stays.
std::vector<std::string_view> SplitPasteText(std::string_view text);

// Inserts piece 0 at (row, column) and piece k at the start of row + k, growing the sheet
// as needed. False (and nothing changed) when the rows would overflow the line numbers.
bool PasteLines(model::Sheet& sheet, int32_t row, int32_t column,
                const std::vector<std::string_view>& pieces);

}  // namespace modeller
