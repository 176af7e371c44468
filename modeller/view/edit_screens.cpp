#include "modeller/view/edit_screens.h"

#include <algorithm>

#include "modeller/view/selection.h"
#include "platform/text/cp932.h"

namespace modeller {

namespace {

// Backspace, Enter, Escape and the two quote-like characters never reach a line, nor does
// any other control code but tab: only printable text is typed.
bool IsIgnoredCode(unsigned char c) {
    return (c < 0x20 && c != '\t') || c == 0x7F || c == 33 || c == 34;
}

bool IsArrow(Key key) {
    return key == Key::Left || key == Key::Right || key == Key::Up || key == Key::Down;
}

}  // namespace

EditScreens::EditScreens(model::MeshModel& model, ScreenHost& host, const TextMeasurer& measurer,
                         shell::Clipboard* clipboard)
    : model_(model),
      host_(host),
      clipboard_(clipboard),
      point_(model, state, host, measurer),
      face_(model, state, host, measurer) {}

EditScreen& EditScreens::ScreenOf(ScreenId id) {
    return id == ScreenId::Point ? static_cast<EditScreen&>(point_) : face_;
}

// ---- layout ----

void EditScreens::LayOutPanes() {
    const Rect p = layout.PointPane();
    point_.SetPane(p.Width(), p.Height(), layout.splitY);
    const Rect f = layout.FacePane();
    face_.SetPane(f.left, f.top, f.Width(), f.Height());
    point_.LayOutScrollBars();
    face_.LayOutScrollBars();
}

void EditScreens::FirstPaint(int32_t clientWidth, int32_t clientHeight, int32_t deviceWidth,
                             int32_t deviceHeight) {
    layout.FirstPaint(clientWidth, clientHeight, deviceWidth, deviceHeight);
    point_.RemeasureAll();
    face_.RemeasureAll();
    Paint();
}

void EditScreens::Resize(int32_t clientWidth, int32_t clientHeight) {
    layout.Resize(clientWidth, clientHeight);
}

void EditScreens::Paint() {
    layout.ApplySplitLimits();
    LayOutPanes();
    model_.faces.ResizeFaceArrays();
    PlaceCaretForFocus();
}

void EditScreens::PlaceCaretForFocus() {
    if (state.focus == kFocusPoint)
        point_.ShowCaretIfVisible();
    else if (state.focus == kFocusFace)
        face_.ShowCaretIfVisible();
    else
        host_.HideCaret();
}

void EditScreens::SetFocus(int32_t focus) {
    state.focus = focus;
    PlaceCaretForFocus();
}

void EditScreens::EndSelection() {
    if (!state.selectionActive) return;
    state.selectionActive = 0;
    host_.RedrawScreen(state.selectionScreen == 1 ? ScreenId::Face : ScreenId::Point);
}

// ---- keyboard ----

KeyOutcome EditScreens::KeyPress(const KeyRecord& key) {
    if (IsArrow(key.key)) heldKeys_.Press(key.key);
    if (KeyDown(key.key, key.modifiers)) return {};
    if (state.focus == kFocus3D) {
        // Other keys do nothing in the 3D pane and type nothing.
        if (IsArrow(key.key)) return {PaneKey::Arrows, heldKeys_.Arrows()};
        if (key.key == Key::Escape) return {PaneKey::Escape, {}};
        if (key.key == Key::Enter) return {PaneKey::Enter, {}};
        return {};
    }
    if (!key.modifiers.ctrl && !key.modifiers.alt) TypeText(key.text);
    return {};
}

void EditScreens::KeyRelease(const KeyRecord& key) {
    heldKeys_.Release(key.key, key.autoRepeat);
}

bool EditScreens::KeyDown(Key key, KeyModifiers m) {
    if (face_.ClearMarkedFace()) host_.RedrawScreen(ScreenId::Face);

    // The edit accelerators of the frame come first.
    if ((m.ctrl && key == Key::X) || (m.shift && key == Key::Delete)) {
        Cut();
        return true;
    }
    if (m.ctrl && (key == Key::C || key == Key::Insert)) {
        Copy();
        return true;
    }
    if ((m.ctrl && key == Key::V) || (m.shift && key == Key::Insert)) {
        Paste();
        return true;
    }
    if ((m.ctrl && key == Key::Z) || (m.alt && key == Key::Backspace)) return true;  // no undo

    if (key == Key::F2) {
        EndSelection();
        state.focus = (state.focus + 1) % 3;
        if (state.focus == kFocusPoint)
            point_.PlaceCaret();
        else if (state.focus == kFocusFace)
            face_.PlaceCaret();
        else
            host_.HideCaret();
        return true;
    }
    if (state.focus == kFocusPoint) return point_.KeyDown(key, m.shift);
    if (state.focus == kFocusFace) return face_.KeyDown(key, m.shift);
    return false;
}

void EditScreens::TypeText(std::string_view cp932) {
    if (state.focus == kFocus3D) return;
    EditScreen& screen = state.focus == kFocusPoint ? static_cast<EditScreen&>(point_) : face_;
    for (size_t i = 0; i < cp932.size();) {
        const size_t len = text::CharLengthAt(cp932, i);
        const std::string_view ch = cp932.substr(i, len);
        i += len;
        if (len == 1 && IsIgnoredCode(static_cast<unsigned char>(ch[0]))) continue;
        screen.TypeCharacter(ch);
    }
}

void EditScreens::InputMethodText(std::string_view cp932) {
    if (state.focus == kFocusPoint)
        point_.InsertInputText(cp932);
    else if (state.focus == kFocusFace)
        face_.InsertInputText(cp932);
}

// ---- mouse ----

MouseTarget EditScreens::LeftDown(int32_t x, int32_t y) {
    EndSelection();
    if (layout.OnVerticalBar(x, y)) {
        drag_ = Drag::VerticalBar;
        host_.SetCursor(CursorShape::SizeWestEast);
        host_.CaptureMouse(true);
        return MouseTarget::VerticalBar;
    }
    if (layout.OnHorizontalBar(x, y)) {
        drag_ = Drag::HorizontalBar;
        host_.SetCursor(CursorShape::SizeNorthSouth);
        host_.CaptureMouse(true);
        return MouseTarget::HorizontalBar;
    }
    if (point_.OnGutterGrip(x)) {
        drag_ = Drag::Gutter;
        gutterDownX_ = x;
        host_.SetCursor(CursorShape::SizeWestEast);
        host_.CaptureMouse(true);
        return MouseTarget::Gutter;
    }
    if (point_.PaneLessBars().Contains(x, y)) {
        SetFocus(kFocusPoint);
        if (pickMode) {
            TogglePick(point_.LineAt(y));
        } else if (point_.Click(x, y)) {
            drag_ = Drag::Text;
            host_.CaptureMouse(true);
        }
        return MouseTarget::PointScreen;
    }
    if (face_.PaneLessBars().Contains(x, y)) {
        SetFocus(kFocusFace);
        if (pickMode) {
            const int32_t face = face_.LineAt(y);
            if (face >= 0 && face < host_.ModelMeshFaceCount()) {
                host_.HighlightFace(face);
                face_.OpenFaceDialog(face);
            }
        } else {
            face_.Click(x, y);
            drag_ = Drag::Text;
            host_.CaptureMouse(true);
        }
        return MouseTarget::FaceScreen;
    }
    if (layout.ThreeDPane().Contains(x, y)) {
        SetFocus(kFocus3D);
        return MouseTarget::ThreeD;
    }
    return MouseTarget::Nothing;
}

MouseTarget EditScreens::MouseMove(int32_t x, int32_t y, bool busy) {
    if (busy) {
        host_.SetCursor(CursorShape::Wait);
        return MouseTarget::Nothing;
    }
    switch (drag_) {
        case Drag::VerticalBar:
            layout.splitX = x;
            host_.SetCursor(CursorShape::SizeWestEast);
            return MouseTarget::VerticalBar;
        case Drag::HorizontalBar:
            layout.splitY = y;
            host_.SetCursor(CursorShape::SizeNorthSouth);
            return MouseTarget::HorizontalBar;
        case Drag::Gutter:
            host_.SetCursor(CursorShape::SizeWestEast);
            return MouseTarget::Gutter;
        case Drag::Text:
            if (state.focus == kFocusPoint) {
                point_.DragTo(x, y);
                return MouseTarget::PointScreen;
            }
            face_.DragTo(x, y);
            return MouseTarget::FaceScreen;
        case Drag::None:
            break;
    }
    if (layout.ThreeDPane().Contains(x, y)) return MouseTarget::ThreeD;
    if (layout.OnVerticalBar(x, y) || point_.OnGutterGrip(x)) {
        host_.SetCursor(CursorShape::SizeWestEast);
        return MouseTarget::Nothing;
    }
    if (layout.OnHorizontalBar(x, y)) {
        host_.SetCursor(CursorShape::SizeNorthSouth);
        return MouseTarget::Nothing;
    }
    if (pickMode && point_.Pane().Contains(x, y))
        host_.SetCursor(CursorShape::PickPoint);
    else if (pickMode && face_.Pane().Contains(x, y))
        host_.SetCursor(CursorShape::PickFace);
    else
        host_.SetCursor(CursorShape::Arrow);
    return MouseTarget::Nothing;
}

MouseTarget EditScreens::LeftUp(int32_t x, int32_t y) {
    const Drag drag = drag_;
    drag_ = Drag::None;
    switch (drag) {
        case Drag::VerticalBar:
        case Drag::HorizontalBar:
            layout.ApplySplitLimits();
            host_.CaptureMouse(false);
            host_.RepaintView();
            return drag == Drag::VerticalBar ? MouseTarget::VerticalBar
                                             : MouseTarget::HorizontalBar;
        case Drag::Gutter:
            point_.MoveGutter(x - gutterDownX_);
            host_.CaptureMouse(false);
            host_.RepaintView();
            return MouseTarget::Gutter;
        case Drag::Text:
            state.dragging = 0;
            host_.CaptureMouse(false);
            return state.focus == kFocusFace ? MouseTarget::FaceScreen : MouseTarget::PointScreen;
        case Drag::None:
            break;
    }
    return layout.ThreeDPane().Contains(x, y) ? MouseTarget::ThreeD : MouseTarget::Nothing;
}

MouseTarget EditScreens::DoubleClick(int32_t x, int32_t y) {
    if (point_.PaneLessBars().Contains(x, y)) {
        SetFocus(kFocusPoint);
        const int32_t line = point_.LineAt(y);
        if (pickMode) TogglePick(line);
        const auto& flags = model_.points.lineFlags;
        if (line >= 0 && line <= model_.points.maxLine &&
            static_cast<size_t>(line) < flags.size() &&
            (flags[static_cast<size_t>(line)] & model::PointSheet::kFlagValid) &&
            host_.OpenVertexDialog(line))
            host_.RebuildModelMesh(0);
        return MouseTarget::PointScreen;
    }
    if (face_.PaneLessBars().Contains(x, y)) {
        SetFocus(kFocusFace);
        face_.OpenFaceDialog(face_.LineAt(y));
        return MouseTarget::FaceScreen;
    }
    if (layout.ThreeDPane().Contains(x, y)) return MouseTarget::ThreeD;
    return LeftDown(x, y);
}

bool EditScreens::OnSelection(int32_t x, int32_t y) {
    if (!state.selectionActive || state.focus == kFocus3D) return false;
    EditScreen& screen = state.focus == kFocusPoint ? static_cast<EditScreen&>(point_) : face_;
    if (!screen.HasSelection() || !screen.PaneLessBars().Contains(x, y)) return false;
    const auto span = screen.HighlightSpan(screen.LineAt(y));
    return span && x >= span->first && x < span->second;
}

MouseTarget EditScreens::RightDown(int32_t x, int32_t y) {
    if (layout.ThreeDPane().Contains(x, y)) return MouseTarget::ThreeD;
    if (OnSelection(x, y)) {
        host_.ShowContextMenu(x, y);
        return state.focus == kFocusPoint ? MouseTarget::PointScreen : MouseTarget::FaceScreen;
    }
    TogglePickMode(x, y);
    return MouseTarget::Nothing;
}

MouseTarget EditScreens::Wheel(int32_t x, int32_t y) const {
    return layout.ThreeDPane().Contains(x, y) ? MouseTarget::ThreeD : MouseTarget::Nothing;
}

void EditScreens::TogglePickMode(int32_t x, int32_t y) {
    if (!pickMode) {
        pickMode = true;
        if (point_.Pane().Contains(x, y))
            host_.SetCursor(CursorShape::PickPoint);
        else if (face_.Pane().Contains(x, y))
            host_.SetCursor(CursorShape::PickFace);
        return;
    }
    if (!pickList.Empty()) host_.RunMakeFace();
    pickMode = false;
    host_.SetCursor(CursorShape::Arrow);
}

void EditScreens::TogglePick(int32_t line) {
    const auto picked = pickList.Toggle(model_.points, line);
    if (!picked) return;
    host_.RedrawScreen(ScreenId::Point);
    host_.MarkPoint(line, *picked);
    host_.RequestFrame();
}

void EditScreens::PickFromPane(int32_t line) {
    pickMode = true;
    const auto picked = pickList.Toggle(model_.points, line);
    if (!picked) return;
    host_.RedrawScreen(ScreenId::Point);
    host_.MarkPoint(line, *picked);
    host_.RequestFrame();
    if (*picked) {
        // The point screen shows the new pick; the focus stays in the 3D pane.
        point_.SetCaret(line, 0);
        if (point_.FollowCaret()) host_.RedrawScreen(ScreenId::Point);
    }
}

// ---- clipboard and select all ----

void EditScreens::Copy() {
    if (!state.selectionActive || !clipboard_) return;
    EditScreen& screen = ScreenOf(state.selectionScreen == 1 ? ScreenId::Face : ScreenId::Point);
    const auto range = screen.Selection();
    // An empty text empties the clipboard.
    clipboard_->SetText(range ? SelectedText(screen.Sheet(), *range) : std::string());
}

void EditScreens::Cut() {
    if (!state.selectionActive) return;
    EditScreen& screen = ScreenOf(state.selectionScreen == 1 ? ScreenId::Face : ScreenId::Point);
    const auto range = screen.Selection();
    Copy();
    if (range) {
        RemoveSelectedText(screen.Sheet(), *range);
        screen.RemeasureLines(range->topRow, range->bottomRow);
    }
    state.selectionActive = 0;
    if (state.focus != kFocus3D) host_.RedrawScreen(static_cast<ScreenId>(state.focus));
}

void EditScreens::Paste() {
    if (state.focus == kFocus3D || !clipboard_) return;
    const auto text = clipboard_->GetText();
    if (!text) return;
    ScreenOf(static_cast<ScreenId>(state.focus)).Paste(*text);
}

void EditScreens::SelectAll(EditScreen& screen) {
    const model::Sheet& sheet = screen.Sheet();
    int32_t last = -1;
    for (int32_t r = sheet.maxLine; r >= 0; --r) {
        if (!sheet.GetLine(r).empty()) {
            last = r;
            break;
        }
    }
    if (last < 0) return;
    pickMode = false;
    state.anchorRow = 0;
    state.anchorColumn = 0;
    screen.SetCaret(last,
                    static_cast<int32_t>(std::min<size_t>(sheet.LineLength(last), INT32_MAX)));
    state.selectionActive = 1;
    state.selectionScreen = static_cast<int32_t>(screen.Id());
    state.focus = static_cast<int32_t>(screen.Id());
    host_.SetCursor(CursorShape::Arrow);
    host_.RepaintView();
}

void EditScreens::SelectAllPoints() {
    SelectAll(point_);
}
void EditScreens::SelectAllFaces() {
    SelectAll(face_);
}

void EditScreens::Refresh() {
    host_.SetCursor(CursorShape::Wait);
    host_.RebuildPointMarkers(3);
    host_.RebuildModelMesh(3);
    host_.RepaintView();
    host_.SetCursor(CursorShape::Arrow);
}

void EditScreens::ModelReplaced(bool resetCarets) {
    if (resetCarets) {
        state.selectionActive = 0;
        point_.SetCaret(0, 0);
        face_.SetCaret(0, 0);
    }
    point_.RemeasureAll();
    face_.RemeasureAll();
    LayOutPanes();
    host_.RepaintView();
}

}  // namespace modeller
