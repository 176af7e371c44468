// Moving the picked points with the mouse: their lines are taken out into a temporary red
// mesh on a frame of its own, the frame is dragged, and the moved positions are written
// back into the same lines.
#pragma once

#include <cstdint>
#include <vector>

#include "model/sheet.h"
#include "platform/rm/rm.h"
#include "viewport/render_device.h"
#include "viewport/render_scene.h"

namespace viewport {

class PointMover {
public:
    bool Active() const { return frame_ != nullptr; }

    // Reads each picked line (first three numbers), empties it and lists it in `changed`;
    // shows the points as red dots, hides the model and shows markers. A point listed twice
    // or outside the sheet is taken once or not at all. False (nothing changed) without a
    // scene root, with no point to move, or while already moving.
    bool Begin(const rm::FramePtr& root, model::PointSheet& points,
               const std::vector<int32_t>& picked, SceneSettings& display,
               std::vector<int32_t>& changed);

    // Moves the points by a mouse step (dx right, dy up, in pixels): in the view plane at
    // the frame's depth, or along the view direction with `alongView`.
    void Drag(const rm::Frame& camera, const PaneRect& pane, int dx, int dy, bool alongView,
              float speed);

    // Writes every moved position into its line, releases the temporary objects and gives
    // the display settings back. False when nothing was being moved.
    bool Finish(model::PointSheet& points, SceneSettings& display, std::vector<int32_t>& changed);

    const rm::FramePtr& Frame() const { return frame_; }
    const rm::MeshBuilderPtr& Mesh() const { return mesh_; }

private:
    rm::FramePtr frame_;
    rm::MeshBuilderPtr mesh_;
    std::vector<int32_t> lines_;  // triangle j carries the point of lines_[j]
    int32_t savedDisplayMode_ = 0;
    bool savedShowPoints_ = true;
};

}  // namespace viewport
