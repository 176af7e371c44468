// What the edit screens ask of the program around them: the widgets, the document and the
// render scene. The view's widget implements it.
#pragma once

#include <cstdint>

#include "modeller/view/screen_types.h"

namespace modeller {

class ScreenHost {
public:
    virtual ~ScreenHost() = default;

    // Drawing requests; the host paints from the screens' state.
    virtual void RedrawRow(ScreenId screen, int32_t line) = 0;
    virtual void RedrawScreen(ScreenId screen) = 0;
    virtual void RepaintView() = 0;
    // The caret of the focused screen, in client pixels; hidden while off-screen or while
    // the 3D pane has the focus.
    virtual void ShowCaret(int32_t x, int32_t y) = 0;
    virtual void HideCaret() = 0;
    // Called only when a bar's state changed; a bar that is not shown is removed.
    virtual void UpdateScrollBar(int32_t barId, const ScrollBarState& state) = 0;
    virtual void SetCursor(CursorShape shape) = 0;
    virtual void CaptureMouse(bool capture) = 0;
    virtual void ShowContextMenu(int32_t x, int32_t y) = 0;

    // The document's modified flag (also refreshes the window title).
    virtual void MarkModified() = 0;

    // The render scene's rebuild routines with their flag bits, and one frame.
    virtual void RebuildPointMarkers(int32_t flags) = 0;
    virtual void RebuildModelMesh(int32_t flags) = 0;
    virtual void RequestFrame() = 0;
    virtual void MarkPoint(int32_t index, bool selected) = 0;
    virtual int32_t ModelMeshFaceCount() = 0;
    // Colours the render face red and renders a frame.
    virtual void HighlightFace(int32_t face) = 0;

    // Modal dialogs; true when closed with OK. The face dialog applies its changes itself.
    virtual bool OpenVertexDialog(int32_t line) = 0;
    virtual bool OpenFaceDialog(int32_t face) = 0;
    // The make-face dialog, run when pick mode ends with points picked.
    virtual void RunMakeFace() = 0;
};

}  // namespace modeller
