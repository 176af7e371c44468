#include "modeller/view/edit_screen.h"

#include <algorithm>
#include <limits>
#include <string>

#include "modeller/view/caret_rules.h"
#include "platform/text/cp932.h"

namespace modeller {

namespace {

constexpr int32_t kMaxInputBytes = 199;
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();

int32_t Clamp32(int64_t v) {
    return static_cast<int32_t>(std::clamp(v, kInt32Min, kInt32Max));
}

int32_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return Clamp32(q);
}

}  // namespace

EditScreen::EditScreen(ScreenId id, model::Sheet& sheet, EditState& state, ScreenHost& host,
                       const TextMeasurer& measurer)
    : sheet_(sheet), state_(state), host_(host), measurer_(measurer), id_(id) {
    sheet_.SetListener(this);
}

EditScreen::~EditScreen() {
    sheet_.SetListener(nullptr);
}

int32_t& EditScreen::CaretRowRef() {
    return id_ == ScreenId::Point ? state_.pointCaretRow : state_.faceCaretRow;
}
int32_t& EditScreen::CaretColumnRef() {
    return id_ == ScreenId::Point ? state_.pointCaretColumn : state_.faceCaretColumn;
}
int32_t EditScreen::CaretRow() const {
    return id_ == ScreenId::Point ? state_.pointCaretRow : state_.faceCaretRow;
}
int32_t EditScreen::CaretColumn() const {
    return id_ == ScreenId::Point ? state_.pointCaretColumn : state_.faceCaretColumn;
}
void EditScreen::SetCaret(int32_t row, int32_t column) {
    CaretRowRef() = row;
    CaretColumnRef() = column;
}

void EditScreen::EndSelection() {
    if (!state_.selectionActive) return;
    state_.selectionActive = 0;
    host_.RedrawScreen(static_cast<ScreenId>(state_.selectionScreen == 1 ? 1 : 0));
}

// ---- keys ----

bool EditScreen::KeyDown(Key key, bool shift) {
    switch (key) {
        case Key::Backspace:
            Backspace();
            return true;
        case Key::Delete:
            DeleteKey();
            return true;
        case Key::Enter:
            // Enter commits and moves on; it never splits a line.
            EndSelection();
            Commit();
            CaretRowRef() = Clamp32(static_cast<int64_t>(CaretRow()) + 1);
            CaretColumnRef() = 0;
            PlaceCaret();
            host_.RepaintView();
            return true;
        case Key::PageUp:
        case Key::PageDown:
            PageKey(key, shift);
            return true;
        case Key::End:
        case Key::Home:
        case Key::Left:
        case Key::Up:
        case Key::Right:
        case Key::Down:
            Navigate(key, shift);
            return true;
        default:
            return false;
    }
}

void EditScreen::Backspace() {
    if (HasSelection()) {
        DeleteKey();
        return;
    }
    host_.MarkModified();  // even at column 0, where nothing goes
    AdjustCaret(-1);
    int32_t& column = CaretColumnRef();
    const int32_t row = CaretRow();
    // At column 0 nothing happens: lines are never joined.
    if (column > 0) {
        --column;
        long count = 1;
        if (text::CharClass(sheet_.GetLine(row), column) == 5) {
            --column;
            count = 2;
        }
        sheet_.DeleteText(row, column, count);
        RemeasureLines(row, row);
    }
    PlaceCaret();
}

void EditScreen::DeleteKey() {
    host_.MarkModified();  // even at the end of the line, where nothing goes
    if (HasSelection()) {
        DeleteSelection();
        return;
    }
    AdjustCaret(-1);
    const int32_t row = CaretRow();
    const std::string& line = sheet_.GetLine(row);
    const size_t column = static_cast<size_t>(CaretColumn());
    if (column < line.size()) {
        sheet_.DeleteText(row, static_cast<long>(column),
                          static_cast<long>(text::CharLengthAt(line, column)));
        RemeasureLines(row, row);
    }
    PlaceCaret();
}

void EditScreen::Navigate(Key key, bool shift) {
    const bool wasActive = state_.selectionActive != 0;
    if (shift) {
        if (!HasSelection()) {
            state_.anchorRow = CaretRow();
            state_.anchorColumn = CaretColumn();
        }
        state_.selectionActive = 1;
        state_.selectionScreen = static_cast<int32_t>(id_);
    } else {
        state_.selectionActive = 0;
    }
    int32_t& row = CaretRowRef();
    int32_t& column = CaretColumnRef();
    const int64_t length = static_cast<int64_t>(sheet_.LineLength(row));
    int direction = -1;
    switch (key) {
        case Key::End:
            column = Clamp32(length);
            direction = 1;
            break;
        case Key::Home:
            column = 0;
            break;
        case Key::Left:
            column = Clamp32(std::min<int64_t>(column, length) - 1);
            break;
        case Key::Right:
            column = Clamp32(std::min<int64_t>(static_cast<int64_t>(column) + 1, length));
            direction = 1;
            break;
        case Key::Up:
            if (row > TopRow()) --row;
            break;
        case Key::Down:
            // No limit at maxLine: typing below the last line creates the lines.
            row = Clamp32(static_cast<int64_t>(row) + 1);
            break;
        default:
            break;
    }
    AdjustCaret(direction);
    PlaceCaret();
    if (wasActive || shift) host_.RedrawScreen(id_);
}

void EditScreen::PageKey(Key key, bool shift) {
    const int32_t step = std::max(visibleRows - 2, 1);
    if (key == Key::PageUp) {
        firstRow = shift ? TopRow() : std::max(TopRow(), Clamp32(int64_t{firstRow} - step));
    } else if (shift) {
        // The last line lands on the last whole grid row.
        firstRow = std::max(TopRow(), Clamp32(int64_t{sheet_.maxLine} - visibleRows + 2));
    } else {
        firstRow = Clamp32(int64_t{firstRow} + step);
    }
    LayOutScrollBars();
    host_.RedrawScreen(id_);
    ShowCaretIfVisible();
}

// ---- typed text ----

void EditScreen::InsertAtCaret(std::string_view bytes) {
    AdjustCaret(-1);
    const int32_t row = CaretRow();
    const int32_t oldMax = sheet_.maxLine;
    sheet_.InsertText(row, static_cast<size_t>(CaretColumn()), bytes);
    if (sheet_.maxLine != oldMax) {
        SheetGrew();
        RemeasureLines(oldMax + 1, sheet_.maxLine);
    }
    RemeasureLines(row, row);
    CaretColumnRef() = Clamp32(int64_t{CaretColumn()} + static_cast<int64_t>(bytes.size()));
}

void EditScreen::TypeCharacter(std::string_view cp932Char) {
    if (cp932Char.empty()) return;
    EndSelection();
    InsertAtCaret(cp932Char);
    PlaceCaret();
}

void EditScreen::InsertInputText(std::string_view cp932) {
    cp932 = cp932.substr(0, text::FloorToCharBoundary(cp932, kMaxInputBytes));
    std::string s(cp932);
    for (size_t at = s.find("\r\n"); at != std::string::npos; at = s.find("\r\n", at))
        s.erase(at, 2);
    if (s.empty()) return;
    EndSelection();
    InsertAtCaret(s);
    host_.RedrawScreen(id_);
    PlaceCaret();
}

void EditScreen::Paste(std::string_view cp932) {
    const std::vector<std::string_view> pieces = SplitPasteText(cp932);
    const int32_t row = CaretRow();
    const int32_t oldMax = sheet_.maxLine;
    if (!PasteLines(sheet_, row, CaretColumn(), pieces)) return;
    if (sheet_.maxLine != oldMax) {
        SheetGrew();
        RemeasureLines(oldMax + 1, sheet_.maxLine);
    }
    RemeasureLines(row, Clamp32(int64_t{row} + static_cast<int64_t>(pieces.size()) - 1));
    LayOutScrollBars();
    host_.RedrawScreen(id_);
    ShowCaretIfVisible();
}

// ---- caret ----

void EditScreen::AdjustCaret(int direction) {
    int32_t& row = CaretRowRef();
    if (row < TopRow()) row = TopRow();
    CaretColumnRef() = AdjustColumn(sheet_.GetLine(row), CaretColumn(), direction);
}

Point2 EditScreen::CaretPosition() const {
    const int64_t cx =
        int64_t{TextX()} + WidthLeftOf(measurer_, sheet_.GetLine(CaretRow()), CaretColumn()) - 1;
    const int64_t cy = int64_t{y} + (int64_t{CaretRow()} - firstRow) * rowHeight + 2;
    return {Clamp32(cx), Clamp32(cy)};
}

bool EditScreen::FollowCaret() {
    const int32_t oldFirst = firstRow;
    const int32_t oldOffset = horizontalOffset;
    const int32_t row = CaretRow();
    if (row < firstRow) firstRow = row;
    auto keepAbove = [&] {
        const int32_t span = std::max(visibleRows - 2, 0);
        if (int64_t{firstRow} + span < row) firstRow = Clamp32(int64_t{row} - span);
    };
    keepAbove();
    const int32_t beforeLayout = firstRow;
    LayOutScrollBars();
    if (firstRow != beforeLayout) keepAbove();

    const int64_t cx = CaretPosition().x;
    const int64_t right = int64_t{x} + width;
    if (cx + 5 > right)
        horizontalOffset = Clamp32(int64_t{horizontalOffset} + cx + 48 - right);
    else if (cx < x)
        horizontalOffset = Clamp32(int64_t{horizontalOffset} - (int64_t{x} - cx + 2));
    if (horizontalOffset != oldOffset) {
        GeometryChanged();
        SendBarStates();
    }
    return firstRow != oldFirst || horizontalOffset != oldOffset;
}

void EditScreen::PlaceCaret() {
    if (FollowCaret()) host_.RedrawScreen(id_);
    if (Focused()) {
        const Point2 p = CaretPosition();
        host_.ShowCaret(p.x, p.y);
    }
}

void EditScreen::ShowCaretIfVisible() {
    if (!Focused()) return;
    const int32_t row = CaretRow();
    const Point2 p = CaretPosition();
    if (row >= firstRow && int64_t{row} < int64_t{firstRow} + visibleRows &&
        PaneLessBars().Contains(p.x, p.y))
        host_.ShowCaret(p.x, p.y);
    else
        host_.HideCaret();
}

// ---- row widths ----

uint8_t* EditScreen::WidthSlot(int32_t line) {
    if (line < 0 || line > sheet_.maxLine) return nullptr;
    if (sheet_.rowWidths.size() < sheet_.lines.size())
        sheet_.rowWidths.resize(sheet_.lines.size(), 0);
    return &sheet_.rowWidths[static_cast<size_t>(line)];
}

void EditScreen::FindWidest() {
    widest_ = 0;
    widestLine_ = -1;
    for (int64_t r = TopRow(); r <= sheet_.maxLine; ++r) {
        const uint8_t* slot = WidthSlot(static_cast<int32_t>(r));
        if (slot && *slot > widest_) {
            widest_ = *slot;
            widestLine_ = static_cast<int32_t>(r);
        }
    }
}

void EditScreen::RemeasureAll() {
    for (int64_t r = TopRow(); r <= sheet_.maxLine; ++r) {
        const int32_t line = static_cast<int32_t>(r);
        if (uint8_t* slot = WidthSlot(line)) *slot = WidthUnits(measurer_, sheet_.GetLine(line));
    }
    FindWidest();
    contentWidth = widest_ * kUnitPixels + ContentOffset();
}

void EditScreen::RemeasureLines(int32_t first, int32_t last) {
    first = std::max(first, TopRow());
    last = std::min(last, sheet_.maxLine);
    // Lines may have gone since the widest was found (a new model, an operation).
    bool rescan = widestLine_ > sheet_.maxLine || widestLine_ < TopRow();
    for (int64_t r = first; r <= last; ++r) {
        const int32_t line = static_cast<int32_t>(r);
        uint8_t* slot = WidthSlot(line);
        if (!slot) continue;
        const uint8_t old = *slot;
        const uint8_t units = WidthUnits(measurer_, sheet_.GetLine(line));
        *slot = units;
        if (units > widest_) {
            widest_ = units;
            widestLine_ = line;
        } else if (line == widestLine_ && units < old) {
            rescan = true;
        }
    }
    if (rescan) FindWidest();
    contentWidth = widest_ * kUnitPixels + ContentOffset();
}

// ---- scroll bars ----

int32_t EditScreen::VerticalThickness() const {
    return verticalBarShown ? std::clamp(width, 0, kScrollBarThickness) : 0;
}
int32_t EditScreen::HorizontalThickness() const {
    return horizontalBarShown ? std::clamp(height, 0, kScrollBarThickness) : 0;
}

Rect EditScreen::PaneLessBars() const {
    return {x, y, x + std::max(width - VerticalThickness(), 0),
            y + std::max(height - HorizontalThickness(), 0)};
}

void EditScreen::LayOutScrollBars() {
    // Three passes, so each bar's thickness is seen by the other.
    for (int pass = 0; pass < 3; ++pass) {
        const int32_t v = VerticalThickness();
        const int32_t h = HorizontalThickness();
        visibleRows = std::max(height - h, 0) / std::max(rowHeight, 1) + 1;
        const int64_t horizontalRange = int64_t{LeadWidth()} + contentWidth + v - width;
        const int64_t verticalRange =
            int64_t{std::max(sheet_.maxLine, CaretRow())} - TopRow() - visibleRows + 2;
        if (horizontalRange <= 0) {
            horizontalBarShown = 0;
            horizontalOffset = 0;
        } else {
            horizontalBarShown = 1;
        }
        if (verticalRange <= 0) {
            verticalBarShown = 0;
            firstRow = TopRow();
        } else {
            verticalBarShown = 1;
        }
    }
    GeometryChanged();
    SendBarStates();
}

void EditScreen::SendBarStates() {
    const int32_t v = VerticalThickness();
    const int32_t h = HorizontalThickness();
    ScrollBarState horizontal, vertical;
    if (horizontalBarShown) {
        horizontal.shown = true;
        horizontal.rect = {x, y + height - h, x + std::max(width - v, 0), y + height};
        horizontal.range = Clamp32(int64_t{LeadWidth()} + contentWidth + v - width);
        horizontal.position = std::clamp(horizontalOffset, 0, horizontal.range);
    }
    if (verticalBarShown) {
        vertical.shown = true;
        vertical.rect = {x + width - v, y, x + width, y + std::max(height - h, 0)};
        vertical.range =
            Clamp32(int64_t{std::max(sheet_.maxLine, CaretRow())} - TopRow() - visibleRows + 2);
        vertical.position =
            Clamp32(std::clamp<int64_t>(int64_t{firstRow} - TopRow(), 0, vertical.range));
    }
    const bool horizontalId = id_ == ScreenId::Point;
    if (!barsSent_ || !(horizontal == sentHorizontal_)) {
        sentHorizontal_ = horizontal;
        host_.UpdateScrollBar(horizontalId ? kPointHorizontalBar : kFaceHorizontalBar, horizontal);
    }
    if (!barsSent_ || !(vertical == sentVertical_)) {
        sentVertical_ = vertical;
        host_.UpdateScrollBar(horizontalId ? kPointVerticalBar : kFaceVerticalBar, vertical);
    }
    barsSent_ = true;
}

void EditScreen::Scroll(bool vertical, ScrollRequest request, int32_t thumb) {
    const ScrollBarState& bar = vertical ? sentVertical_ : sentHorizontal_;
    if (!bar.shown) return;
    const int64_t line = vertical ? 1 : 16;
    const int64_t page = vertical ? VerticalPage() : HorizontalPage();
    int64_t p = vertical ? int64_t{firstRow} - TopRow() : int64_t{horizontalOffset};
    switch (request) {
        case ScrollRequest::LineBack:
            p -= line;
            break;
        case ScrollRequest::LineForward:
            p += line;
            break;
        case ScrollRequest::PageBack:
            p -= page;
            break;
        case ScrollRequest::PageForward:
            p += page;
            break;
        case ScrollRequest::Thumb:
            p = thumb;
            break;
        case ScrollRequest::Start:
            p = 0;
            break;
        case ScrollRequest::End:
            p = bar.range;
            break;
    }
    p = std::clamp<int64_t>(p, 0, bar.range);
    if (vertical)
        firstRow = Clamp32(p + TopRow());
    else
        horizontalOffset = Clamp32(p);
    LayOutScrollBars();
    host_.RedrawScreen(id_);
    ShowCaretIfVisible();
}

// ---- selection ----

bool EditScreen::HasSelection() const {
    return state_.selectionActive && state_.selectionScreen == static_cast<int32_t>(id_);
}

std::optional<SelectionRange> EditScreen::Selection() const {
    if (!HasSelection()) return std::nullopt;
    return NormaliseSelection(CaretRow(), CaretColumn(), state_.anchorRow, state_.anchorColumn,
                              TopRow(), sheet_);
}

std::optional<std::pair<int32_t, int32_t>> EditScreen::HighlightSpan(int32_t line) const {
    if (!Focused()) return std::nullopt;
    const auto range = Selection();
    if (!range || line < range->topRow || line > range->bottomRow) return std::nullopt;
    const std::string& text = sheet_.GetLine(line);
    const auto [first, last] = SelectedPart(*range, line, text);
    const int64_t left = TextX();
    const Rect pane = PaneLessBars();
    const int64_t x1 = left + ExpandedWidth(measurer_, std::string_view(text).substr(0, first));
    const int64_t x2 = left + ExpandedWidth(measurer_, std::string_view(text).substr(0, last));
    return std::make_pair(Clamp32(std::clamp<int64_t>(x1, pane.left, pane.right)),
                          Clamp32(std::clamp<int64_t>(x2, pane.left, pane.right)));
}

void EditScreen::DeleteSelection() {
    const auto range = Selection();
    const int32_t row = CaretRow(), column = CaretColumn();
    const bool caretAtBottom =
        !(row < state_.anchorRow || (row == state_.anchorRow && column < state_.anchorColumn));
    if (range) {
        RemoveSelectedText(sheet_, *range);
        RemeasureLines(range->topRow, range->bottomRow);
        if (caretAtBottom)
            CaretColumnRef() = range->topRow == range->bottomRow ? range->topColumn : 0;
    }
    state_.selectionActive = 0;
    AdjustCaret(-1);
    PlaceCaret();
    host_.RedrawScreen(id_);
}

// ---- mouse ----

int32_t EditScreen::LineAt(int32_t clientY) const {
    return Clamp32(int64_t{FloorDiv(int64_t{clientY} - y, std::max(rowHeight, 1))} + firstRow);
}

int32_t EditScreen::ColumnAt(int32_t line, int32_t clientX) const {
    if (line < TopRow() || line > sheet_.maxLine) return 0;
    return HitTestColumn(measurer_, sheet_.GetLine(line), Clamp32(int64_t{clientX} - TextX()));
}

void EditScreen::DragTo(int32_t clientX, int32_t clientY) {
    const int32_t line = std::max(LineAt(clientY), TopRow());
    SetCaret(line, ColumnAt(line, clientX));
    state_.selectionActive = 1;
    state_.selectionScreen = static_cast<int32_t>(id_);
    PlaceCaret();
    host_.RedrawScreen(id_);
}

void EditScreen::LineChanged(int32_t line) {
    // Every change to a line marks the document, whichever command made it (typing, paste,
    // cut, input-method text, the 3D pane's gaze point, moved points), so no edit is lost
    // without the save question.
    host_.MarkModified();
    if (line >= firstRow && int64_t{line} < int64_t{firstRow} + visibleRows)
        host_.RedrawRow(id_, line);
}

}  // namespace modeller
