// The item tree's rules without a window: moving a dragged block of items, the nodes' parents
// from the depths, the items a parts file takes, and the camera drag of the 3D view.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/rm/rm.h"
#include "studio/scene/scene_types.h"

namespace studio {

// Drops the item at `dragged` (with its descendants, the block) on the item at `target`.
// Nothing moves when the target lies inside the block. The block's first depth becomes the
// target's, one more with Shift, and every depth in it shifts by as much. Without Shift it
// goes to the target's place when moving up and directly after the target when moving down;
// with Shift directly after the target. Returns where the block's first item now is.
std::optional<size_t> MoveItemBlock(std::vector<SceneItem>& items, size_t dragged, size_t target,
                                    bool shift);

// For each item the position of its parent node (the nearest preceding item with a smaller
// depth), or -1 for a top-level node.
std::vector<int> TreeParents(const std::vector<SceneItem>& items);

// The items a parts file of item `index` holds: [index, end). Nothing (an empty range) when
// that is fewer than two items, as saving one item alone is not offered.
struct ItemRange {
    size_t first = 0, end = 0;
    bool Empty() const { return end <= first; }
};
ItemRange PartsRange(const std::vector<SceneItem>& items, size_t index);

// The camera drag of the view's camera mode: (dx, dy) drag units, dy positive upwards. Plain:
// across the screen; Shift: along the view line; Ctrl: turn, levelled (not while the camera
// looks at one point). Reversed controls negate the drag.
void StudioMoveCamera(const rm::FramePtr& camera, float dx, float dy, bool shift, bool ctrl,
                      float speed, bool reverse, bool lookAtOnePoint);

}  // namespace studio
