#include "modeller/view/point_screen.h"

#include <algorithm>

#include "modeller/view/caret_rules.h"

namespace modeller {

PointScreen::PointScreen(model::MeshModel& model, EditState& state, ScreenHost& host,
                         const TextMeasurer& measurer)
    : EditScreen(ScreenId::Point, model.points, state, host, measurer), model_(model) {
    contentWidth = 100;
    firstRow = TopRow();
}

void PointScreen::SetPane(int32_t paneWidth, int32_t paneHeight, int32_t splitY) {
    x = 0;
    y = 0;
    width = std::max(paneWidth, 0);
    height = std::max(paneHeight, 0);
    splitY_ = splitY;
    GeometryChanged();
}

void PointScreen::GeometryChanged() {
    gutterX = gutterWidth - horizontalOffset;
    gutterState = gutterX < 1 ? -1 : (gutterX >= width ? 1 : 0);
}

bool PointScreen::OnGutterGrip(int32_t clientX) const {
    return gutterState == 0 && clientX >= 0 && clientX >= gutterX - 3 && clientX <= gutterX + 1;
}

void PointScreen::MoveGutter(int32_t delta) {
    gutterWidth = static_cast<int32_t>(
        std::clamp<int64_t>(int64_t{gutterWidth} + delta, kMinGutter, kMaxGutter));
    GeometryChanged();
}

bool PointScreen::Click(int32_t clientX, int32_t clientY) {
    if (clientX <= gutterX) return false;
    const int32_t line = std::max(LineAt(clientY), TopRow());
    int32_t column = 0;
    if (line <= sheet_.maxLine) {
        const int64_t textX = int64_t{clientX} - gutterX - textMargin;
        if (textX < 0) return false;
        column = ColumnAt(line, clientX);
    }
    SetCaret(line, column);
    state_.anchorRow = line;
    state_.anchorColumn = column;
    state_.dragging = 1;
    PlaceCaret();
    return true;
}

uint32_t PointScreen::NumberColour(int32_t line) const {
    if (line < 0) return kMinusColour;
    const auto& flags = model_.points.lineFlags;
    const bool valid = line <= model_.points.maxLine && static_cast<size_t>(line) < flags.size() &&
                       (flags[static_cast<size_t>(line)] & model::PointSheet::kFlagValid);
    if (!valid) return kInvalidColour;
    return model_.textureAssignment.uvMap.count(line) ? kTexturedColour : kValidColour;
}

bool PointScreen::IsPicked(int32_t line) const {
    const auto& flags = model_.points.lineFlags;
    return line >= 0 && line <= model_.points.maxLine && static_cast<size_t>(line) < flags.size() &&
           (flags[static_cast<size_t>(line)] & model::PointSheet::kFlagPicked);
}

Rect PointScreen::NumberCell(int32_t gridRow) const {
    const int32_t r = gutterState == 1 ? width : gutterX;
    return {0, gridRow * rowHeight, r - 3, (gridRow + 1) * rowHeight};
}

Rect PointScreen::PickedCell(int32_t gridRow) const {
    const int32_t r = gutterState == 1 ? width : gutterX;
    return {0, gridRow * rowHeight + 1, r - 1, (gridRow + 1) * rowHeight};
}

Rect PointScreen::TextCell(int32_t gridRow) const {
    return {gutterX + textMargin, gridRow * rowHeight + 1, width - VerticalThickness() - 1,
            (gridRow + 1) * rowHeight};
}

void PointScreen::Commit() {
    host_.RebuildPointMarkers(0);
}

uint8_t* PointScreen::WidthSlot(int32_t line) {
    if (line >= 0) return EditScreen::WidthSlot(line);
    auto& points = model_.points;
    if (line < -points.headerLineCount) return nullptr;
    const size_t h = static_cast<size_t>(-static_cast<int64_t>(line)) - 1;
    if (points.headerRowWidths.size() <= h) points.headerRowWidths.resize(h + 1, 0);
    return &points.headerRowWidths[h];
}

}  // namespace modeller
