#include "modeller/view/selection.h"

#include <algorithm>
#include <limits>

#include "platform/text/cp932.h"

namespace modeller {

namespace {

// A column as a byte position on a character boundary of the line.
size_t BoundaryAt(std::string_view line, int32_t column) {
    if (column <= 0) return 0;
    return text::FloorToCharBoundary(line, static_cast<size_t>(column));
}

}  // namespace

std::optional<SelectionRange> NormaliseSelection(int32_t caretRow, int32_t caretColumn,
                                                 int32_t anchorRow, int32_t anchorColumn,
                                                 int32_t firstRow, const model::Sheet& sheet) {
    SelectionRange r;
    const bool caretFirst =
        caretRow < anchorRow || (caretRow == anchorRow && caretColumn < anchorColumn);
    r.topRow = caretFirst ? caretRow : anchorRow;
    r.topColumn = caretFirst ? caretColumn : anchorColumn;
    r.bottomRow = caretFirst ? anchorRow : caretRow;
    r.bottomColumn = caretFirst ? anchorColumn : caretColumn;
    if (r.topRow < firstRow) {
        r.topRow = firstRow;
        r.topColumn = 0;
    }
    if (r.bottomRow > sheet.maxLine) {
        r.bottomRow = sheet.maxLine;
        r.bottomColumn = static_cast<int32_t>(
            std::min<size_t>(sheet.LineLength(sheet.maxLine), std::numeric_limits<int32_t>::max()));
    }
    if (r.topRow > r.bottomRow) return std::nullopt;
    return r;
}

std::pair<size_t, size_t> SelectedPart(const SelectionRange& range, int32_t row,
                                       std::string_view line) {
    if (row < range.topRow || row > range.bottomRow) return {0, 0};
    const size_t first = row == range.topRow ? BoundaryAt(line, range.topColumn) : 0;
    const size_t last = row == range.bottomRow ? BoundaryAt(line, range.bottomColumn) : line.size();
    return {first, std::max(first, last)};
}

std::string SelectedText(const model::Sheet& sheet, const SelectionRange& range) {
    std::string out;
    for (int64_t r = range.topRow; r <= range.bottomRow; ++r) {
        const int32_t row = static_cast<int32_t>(r);
        const std::string& line = sheet.GetLine(row);
        const auto [first, last] = SelectedPart(range, row, line);
        if (r > range.topRow) out += "\r\n";
        out.append(line, first, last - first);
    }
    return out;
}

void RemoveSelectedText(model::Sheet& sheet, const SelectionRange& range) {
    std::string kept;
    for (int64_t r = range.topRow; r <= range.bottomRow; ++r) {
        const int32_t row = static_cast<int32_t>(r);
        const std::string& line = sheet.GetLine(row);
        const auto [first, last] = SelectedPart(range, row, line);
        kept.assign(line, 0, first);
        kept.append(line, last, std::string::npos);
        sheet.SetLine(row, kept);
    }
}

std::vector<std::string_view> SplitPasteText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string_view> pieces;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find("\r\n", start);
        if (at == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, at - start));
        start = at + 2;
    }
}

bool PasteLines(model::Sheet& sheet, int32_t row, int32_t column,
                const std::vector<std::string_view>& pieces) {
    if (pieces.empty()) return false;
    const int64_t last = static_cast<int64_t>(row) + static_cast<int64_t>(pieces.size()) - 1;
    if (last >= std::numeric_limits<int32_t>::max()) return false;
    sheet.GrowTo(static_cast<int32_t>(last));
    // Never inside a double-byte character, which would corrupt it.
    const size_t at = BoundaryAt(sheet.GetLine(row), column);
    sheet.InsertText(row, at, pieces[0]);
    for (size_t k = 1; k < pieces.size(); ++k)
        sheet.InsertText(row + static_cast<int32_t>(k), 0, pieces[k]);
    return true;
}

}  // namespace modeller
