// The point edit screen: one row per point line, row numbers in a gutter that the user can
// drag and that scrolls with the text.
#pragma once

#include <cstdint>

#include "model/mesh_model.h"
#include "modeller/view/edit_screen.h"

namespace modeller {

class PointScreen : public EditScreen {
public:
    // Row number colours as 0xAARRGGBB: all black but a textured point's blue.
    static constexpr uint32_t kValidColour = 0xFF000000;
    static constexpr uint32_t kInvalidColour = 0xFF000000;
    static constexpr uint32_t kMinusColour = 0xFF000000;
    static constexpr uint32_t kTexturedColour = 0xFF0000FF;
    static constexpr int32_t kMinGutter = 10;
    static constexpr int32_t kMaxGutter = 70;

    PointScreen(model::MeshModel& model, EditState& state, ScreenHost& host,
                const TextMeasurer& measurer);

    int32_t gutterWidth = 50;
    int32_t gutterX = 50;     // gutter width - horizontal offset
    int32_t gutterState = 0;  // -1 numbers scrolled away, 1 text hidden, else 0
    int32_t textMargin = 5;

    int32_t TopRow() const override { return -model_.points.headerLineCount; }
    // The pane (0, 0, width, height); the horizontal splitter's y pages the offset.
    void SetPane(int32_t paneWidth, int32_t paneHeight, int32_t splitY);

    // Within the gutter line's grip while it is visible.
    bool OnGutterGrip(int32_t clientX) const;
    // The end of a gutter drag: the width moves by the drag, kept in [10, 70].
    void MoveGutter(int32_t delta);
    // A left press on the text: caret and anchor go there and true is returned (a drag
    // starts); false for a press on the row numbers or left of the text.
    bool Click(int32_t clientX, int32_t clientY);

    // What the widget draws for grid row i (line firstRow + i).
    uint32_t NumberColour(int32_t line) const;
    bool IsPicked(int32_t line) const;
    Rect NumberCell(int32_t gridRow) const;
    Rect PickedCell(int32_t gridRow) const;
    Rect TextCell(int32_t gridRow) const;
    bool ShowsNumbers() const { return gutterState != -1; }
    bool ShowsText() const { return gutterState != 1; }

protected:
    int32_t TextLeft() const override { return gutterWidth + textMargin; }
    int32_t ContentOffset() const override { return textMargin; }
    int32_t LeadWidth() const override { return gutterWidth; }
    int32_t VerticalPage() const override { return visibleRows - 3; }
    int32_t HorizontalPage() const override { return splitY_; }
    void Commit() override;
    uint8_t* WidthSlot(int32_t line) override;
    void GeometryChanged() override;

private:
    model::MeshModel& model_;
    int32_t splitY_ = 0;
};

}  // namespace modeller
