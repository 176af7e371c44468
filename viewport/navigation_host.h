// What camera navigation and picking ask of the view that hosts the 3D pane: the edit
// screens, dialogs, cursors and the pointer belong to the view, not to the pane's logic.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace viewport {

// Key states that come with a mouse event or a key press.
struct Modifiers {
    bool shift = false;
    bool ctrl = false;
};

enum class PaneMouse { kLeftDown, kMouseMove, kLeftUp, kDoubleClick };

class NavigationHost {
public:
    virtual ~NavigationHost() = default;

    // Every tool mode has a cursor of its own.
    virtual void SetModeCursor(int32_t paneMode) = 0;
    // A camera drag holds the mouse until the button goes up.
    virtual void CaptureMouse(bool capture) = 0;
    // Orbit and point drags keep the pointer inside the pane.
    virtual void ConfinePointer(bool confine) = 0;

    // A defined point was picked in the pane: toggle it in the selected-points list, turn
    // pick mode on and, when it became picked, bring the point caret to its line.
    virtual void PickPointFromPane(int32_t point) = 0;
    // True when the dialog changed the model.
    virtual bool OpenVertexDialog(int32_t point) = 0;
    virtual void SelectFaceLine(int32_t face) = 0;
    // Right click in vertex picking with points picked: the make-face dialog.
    virtual void RunMakeFace() = 0;
    // Empties the selected-points list and clears the picked flag of its lines.
    virtual void ClearPickList() = 0;

    // Plane-paint input owns modes 8 and 9; the pane only routes the mouse to it.
    virtual bool PlanePaintActive() = 0;
    virtual void PlanePaintMouse(PaneMouse event, int x, int y, Modifiers keys) = 0;

    // Point lines were rewritten: re-measure and redraw those rows.
    virtual void PointLinesChanged(const std::vector<int32_t>& lines) = 0;
    // Repaints the whole view (edit screens and pane).
    virtual void RepaintView() = 0;
    virtual void ShowMessage(std::string_view text) = 0;
};

}  // namespace viewport
