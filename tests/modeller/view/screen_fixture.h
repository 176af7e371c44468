// A view of the edit screens over a real model, with a host that records what the screens
// ask for and commits through the real line parsers.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "model/mesh_model.h"
#include "modeller/view/edit_screens.h"
#include "platform/shell.h"
#include "viewport/model_parse.h"

namespace screens_test {

using namespace modeller;

// Counts the bytes it measures, so tests can see how much a keystroke re-measures.
class CountingMeasurer : public FixedPitchMeasurer {
public:
    CountingMeasurer() : FixedPitchMeasurer(8) {}
    int32_t Width(std::string_view s) const override {
        measured += s.size();
        return FixedPitchMeasurer::Width(s);
    }
    mutable size_t measured = 0;
};

class MemoryClipboard : public shell::Clipboard {
public:
    std::optional<std::string> text;
    int sets = 0;
    std::optional<std::string> GetText() override { return text; }
    void SetText(std::string_view cp932) override {
        ++sets;
        if (cp932.empty())
            text.reset();
        else
            text = std::string(cp932);
    }
};

class RecordingHost : public ScreenHost {
public:
    explicit RecordingHost(model::MeshModel& m) : model(m) {}
    model::MeshModel& model;

    std::vector<std::pair<ScreenId, int32_t>> rowRedraws;
    int screenRedraws = 0, viewRepaints = 0, modified = 0, frames = 0;
    std::optional<Point2> caret;
    std::vector<int32_t> pointRebuilds, meshRebuilds;
    std::vector<std::pair<int32_t, bool>> marked;
    std::vector<int32_t> highlighted, vertexDialogs, faceDialogs;
    std::vector<std::pair<int32_t, ScrollBarState>> bars;
    CursorShape cursor = CursorShape::Arrow;
    int makeFaceRuns = 0, contextMenus = 0;
    bool captured = false;
    bool dialogAnswer = true;
    int32_t faceDialogColour = 0;  // applied by the face dialog when non-zero

    void RedrawRow(ScreenId s, int32_t line) override { rowRedraws.push_back({s, line}); }
    void RedrawScreen(ScreenId) override { ++screenRedraws; }
    void RepaintView() override { ++viewRepaints; }
    void ShowCaret(int32_t x, int32_t y) override { caret = Point2{x, y}; }
    void HideCaret() override { caret.reset(); }
    void UpdateScrollBar(int32_t id, const ScrollBarState& s) override { bars.push_back({id, s}); }
    void SetCursor(CursorShape c) override { cursor = c; }
    void CaptureMouse(bool c) override { captured = c; }
    void ShowContextMenu(int32_t, int32_t) override { ++contextMenus; }
    void MarkModified() override { ++modified; }
    void RebuildPointMarkers(int32_t flags) override {
        pointRebuilds.push_back(flags);
        if (viewport::ParsePointLines(model.points, flags & 1)) RebuildModelMesh(2);
    }
    void RebuildModelMesh(int32_t flags) override {
        meshRebuilds.push_back(flags);
        viewport::ParseFaceLines(model.faces, model.points, viewport::UsedPointCount(model.points));
    }
    void RequestFrame() override { ++frames; }
    void MarkPoint(int32_t index, bool selected) override { marked.push_back({index, selected}); }
    int32_t ModelMeshFaceCount() override { return model.faces.maxLine + 1; }
    void HighlightFace(int32_t face) override { highlighted.push_back(face); }
    bool OpenVertexDialog(int32_t line) override {
        vertexDialogs.push_back(line);
        return dialogAnswer;
    }
    bool OpenFaceDialog(int32_t face) override {
        faceDialogs.push_back(face);
        if (dialogAnswer && faceDialogColour) {
            model.faces.FaceColor[static_cast<size_t>(face)] = faceDialogColour;
            model.faces.FaceStatus[static_cast<size_t>(face)] |= model::FaceSheet::kStatusOwnColor;
        }
        return dialogAnswer;
    }
    void RunMakeFace() override { ++makeFaceRuns; }

    std::optional<ScrollBarState> LastBar(int32_t id) const {
        for (auto it = bars.rbegin(); it != bars.rend(); ++it)
            if (it->first == id) return it->second;
        return std::nullopt;
    }
};

// 800 x 600 client: point pane 474 wide, 3D pane 320 x 200, face pane 320 x 394 at (480, 206).
class ScreensTest : public ::testing::Test {
protected:
    ScreensTest() : host(model), view(model, host, measurer, &clipboard) {
        view.FirstPaint(800, 600, 640, 480);
    }

    void Type(std::string_view s) { view.TypeText(s); }
    void Press(Key k, bool shift = false) { view.KeyDown(k, KeyModifiers{shift, false, false}); }
    void Ctrl(Key k) { view.KeyDown(k, KeyModifiers{false, true, false}); }
    void FocusFaces() { view.state.focus = kFocusFace; }
    const std::string& PointLine(int32_t i) { return model.points.GetLine(i); }
    const std::string& FaceLine(int32_t i) { return model.faces.GetLine(i); }
    // Client position of a column in a point row (fixed pitch of 8, gutter 50, margin 5).
    Point2 PointCell(int32_t row, int32_t column) {
        PointScreen& p = view.Points();
        return {p.TextX() + column * 8 + 2, (row - p.firstRow) * 20 + 10};
    }
    void SetPointLines(int32_t count, std::string_view prefix = "line ") {
        for (int32_t i = 0; i < count; ++i)
            model.points.SetLine(i, std::string(prefix) + std::to_string(i));
        view.ModelReplaced(false);
    }

    model::MeshModel model;
    CountingMeasurer measurer;
    MemoryClipboard clipboard;
    RecordingHost host;
    EditScreens view;
};

}  // namespace screens_test
