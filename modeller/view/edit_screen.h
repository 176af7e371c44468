// The machinery both text screens share: caret rules, keys, typed and input-method text,
// mouse placement and drag selection, row widths, scroll bars. PointScreen and FaceScreen
// supply their geometry and what Enter commits.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

#include "model/sheet.h"
#include "modeller/view/edit_state.h"
#include "modeller/view/screen_host.h"
#include "modeller/view/screen_types.h"
#include "modeller/view/selection.h"
#include "modeller/view/text_measurer.h"

namespace modeller {

class EditScreen : public model::SheetListener {
public:
    static constexpr int32_t kScrollBarThickness = 15;
    static constexpr int32_t kUnitPixels = 32;

    ~EditScreen() override;
    EditScreen(const EditScreen&) = delete;
    EditScreen& operator=(const EditScreen&) = delete;

    // The pane in client pixels (the point pane sits at 0, 0).
    int32_t x = 0, y = 0, width = 0, height = 0;
    int32_t firstRow = 0;     // sheet line in the top grid row
    int32_t visibleRows = 1;  // (height - horizontal bar) / row height + 1
    int32_t rowHeight = 20;
    int32_t contentWidth = 0;  // widest row's units * 32 + the text offset
    int32_t horizontalOffset = 0;
    int32_t verticalBarShown = 0, horizontalBarShown = 0;

    ScreenId Id() const { return id_; }
    model::Sheet& Sheet() { return sheet_; }
    const model::Sheet& Sheet() const { return sheet_; }
    int32_t CaretRow() const;
    int32_t CaretColumn() const;
    void SetCaret(int32_t row, int32_t column);
    // The first sheet line the screen shows: the point screen's header lines are negative.
    virtual int32_t TopRow() const = 0;
    bool Focused() const { return state_.focus == static_cast<int32_t>(id_); }

    // A key while this screen has the focus; false for keys it leaves to the window.
    bool KeyDown(Key key, bool shift);
    // One typed character (one or two bytes, already past the ignored codes).
    void TypeCharacter(std::string_view cp932Char);
    // Finished input-method text: at most 199 bytes, CR LF pairs dropped.
    void InsertInputText(std::string_view cp932);
    // The clipboard's text at the caret; the caret stays.
    void Paste(std::string_view cp932);

    // Clamps the row to the top and the column into its line, off a double-byte middle.
    void AdjustCaret(int direction);
    // Scrolls to the caret, redraws when that scrolled, shows the caret when focused.
    void PlaceCaret();
    // Scrolls so the caret is in view; true when anything scrolled.
    bool FollowCaret();
    // After a redraw without a caret move: shown only while inside the visible rows.
    void ShowCaretIfVisible();
    Point2 CaretPosition() const;

    // Row widths: every line, or the lines first..last; the widest is searched again only
    // when it shrank.
    void RemeasureAll();
    void RemeasureLines(int32_t first, int32_t last);
    int32_t WidestUnits() const { return widest_; }
    int32_t WidestLine() const { return widestLine_; }

    void LayOutScrollBars();
    void Scroll(bool vertical, ScrollRequest request, int32_t thumb = 0);
    const ScrollBarState& HorizontalBar() const { return sentHorizontal_; }
    const ScrollBarState& VerticalBar() const { return sentVertical_; }

    // The selection, when it is active and belongs to this screen.
    bool HasSelection() const;
    std::optional<SelectionRange> Selection() const;
    // The client x span drawn inverted on a row, while this screen has the focus.
    std::optional<std::pair<int32_t, int32_t>> HighlightSpan(int32_t line) const;
    // Delete or Backspace with a selection.
    void DeleteSelection();

    // Sheet line under client y (the mouse may be captured outside the pane).
    int32_t LineAt(int32_t clientY) const;
    // Column under client x in a line; 0 outside the sheet or left of the text.
    int32_t ColumnAt(int32_t line, int32_t clientX) const;
    // A move while dragging a selection in this screen.
    void DragTo(int32_t clientX, int32_t clientY);

    Rect Pane() const { return {x, y, x + width, y + height}; }
    Rect PaneLessBars() const;
    // Client x of a line's column 0 after scrolling.
    int32_t TextX() const { return x + TextLeft() - horizontalOffset; }
    int32_t VerticalThickness() const;
    int32_t HorizontalThickness() const;

    void LineChanged(int32_t line) override;

protected:
    EditScreen(ScreenId id, model::Sheet& sheet, EditState& state, ScreenHost& host,
               const TextMeasurer& measurer);

    // Pane x of column 0 before scrolling.
    virtual int32_t TextLeft() const = 0;
    // What content width adds to the widest row.
    virtual int32_t ContentOffset() const = 0;
    // Pixels left of the content in the horizontal range (the point screen's gutter).
    virtual int32_t LeadWidth() const { return 0; }
    virtual int32_t VerticalPage() const = 0;
    virtual int32_t HorizontalPage() const = 0;
    virtual void Commit() = 0;
    // The byte keeping a line's width units; null outside the sheet.
    virtual uint8_t* WidthSlot(int32_t line);
    virtual void SheetGrew() {}
    virtual void GeometryChanged() {}

    int32_t& CaretRowRef();
    int32_t& CaretColumnRef();
    void EndSelection();
    void SendBarStates();

    model::Sheet& sheet_;
    EditState& state_;
    ScreenHost& host_;
    const TextMeasurer& measurer_;

private:
    void Backspace();
    void DeleteKey();
    void Navigate(Key key, bool shift);
    void PageKey(Key key, bool shift);
    void InsertAtCaret(std::string_view bytes);
    void FindWidest();

    ScreenId id_;
    int32_t widest_ = 0;
    int32_t widestLine_ = -1;
    ScrollBarState sentHorizontal_, sentVertical_;
    bool barsSent_ = false;
};

}  // namespace modeller
