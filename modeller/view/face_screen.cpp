#include "modeller/view/face_screen.h"

#include <algorithm>

namespace modeller {

FaceScreen::FaceScreen(model::MeshModel& model, EditState& state, ScreenHost& host,
                       const TextMeasurer& measurer)
    : EditScreen(ScreenId::Face, model.faces, state, host, measurer), model_(model) {
    contentWidth = 52;
}

void FaceScreen::SetPane(int32_t paneX, int32_t paneY, int32_t paneWidth, int32_t paneHeight) {
    x = paneX;
    y = paneY;
    width = std::max(paneWidth, 0);
    height = std::max(paneHeight, 0);
}

void FaceScreen::Click(int32_t clientX, int32_t clientY) {
    const int32_t line = std::max(LineAt(clientY), 0);
    const int32_t column = ColumnAt(line, clientX);
    SetCaret(line, column);
    state_.anchorRow = line;
    state_.anchorColumn = column;
    state_.dragging = 1;
    PlaceCaret();
}

void FaceScreen::OpenFaceDialog(int32_t face) {
    // The dialog shows and edits one existing face.
    if (face < 0 || face > model_.faces.maxLine) return;
    model_.faces.ResizeFaceArrays();
    if (!host_.OpenFaceDialog(face)) return;
    host_.RebuildModelMesh(2);
    model_.faces.markers[0] = face;
    SetCaret(face, 0);
    state_.focus = kFocusFace;
    if (face < firstRow) firstRow = face;
    const int32_t span = std::max(visibleRows - 2, 0);
    if (int64_t{face} > int64_t{firstRow} + span) firstRow = face - span;
    LayOutScrollBars();
    host_.RepaintView();
    ShowCaretIfVisible();
}

bool FaceScreen::ClearMarkedFace() {
    if (model_.faces.markers[0] < 0) return false;
    model_.faces.markers[0] = -1;
    return true;
}

std::optional<int32_t> FaceScreen::StatusIcon(int32_t face) const {
    const auto& faces = model_.faces;
    if (face < 0 || face > faces.maxLine || static_cast<size_t>(face) >= faces.FaceStatus.size())
        return std::nullopt;
    const uint8_t status = faces.FaceStatus[static_cast<size_t>(face)];
    if (!(status & model::FaceSheet::kStatusValid)) return std::nullopt;
    const auto& textures = model_.textureAssignment.faceTextureMap;
    const auto it = textures.find(face);
    const bool textured = it != textures.end() && it->second != 0;
    return ((status & model::FaceSheet::kStatusOwnColor) ? 1 : 0) + (textured ? 2 : 0);
}

Point2 FaceScreen::IconPosition(int32_t gridRow) const {
    return {x + textLeft - horizontalOffset - 19, y + gridRow * rowHeight + 2};
}

Point2 FaceScreen::MarkerPosition(int32_t gridRow) const {
    return {x - horizontalOffset + 3, y + gridRow * rowHeight + 2};
}

Rect FaceScreen::TextCell(int32_t gridRow) const {
    return {x + textLeft - horizontalOffset, y + gridRow * rowHeight, x + width,
            y + (gridRow + 1) * rowHeight};
}

void FaceScreen::Commit() {
    host_.RebuildModelMesh(0);
}

}  // namespace modeller
