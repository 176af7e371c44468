// Moving and turning an item with the mouse in the studio's 3D view (`DragObject`), without
// the window: the arithmetic of one mouse step for a known camera, and that step applied to
// the item together with everything linked to it.
#pragma once

#include <cstdint>
#include <vector>

#include "studio/joints/joints.h"
#include "studio/render/studio_render.h"
#include "studio/scene/scene_doc.h"

namespace studio {

// The camera's place and unit axes relative to the scene root.
struct ViewCamera {
    rm::Vector3 position;
    CameraAxes axes;  // right = normalise(up x direction)
};
ViewCamera ViewCameraOf(const CSceneDoc& doc);

// One mouse step: pixels since the last step (dy positive upwards) and the keys held.
struct DragInput {
    float dx = 0, dy = 0;
    bool shift = false, ctrl = false;
};

// How the view shows the picture, for turning pixels into distances.
struct DragView {
    PictureSize picture;
    float scale = 1;  // window pixels per picture pixel: 1 unless the picture is scaled
    float speed = 1;  // the camera speed setting
};

// The dragged item as the step needs it: its place relative to the scene root and its locks.
struct DragSubject {
    rm::Vector3 position;
    rm::Vector3 direction{0, 0, 1};
    rm::Vector3 up{0, 1, 0};
    int32_t axisLock = 0;      // 0 none, 1 its up axis, 2 its direction axis
    int32_t positionLock = 0;  // set: only turns
};

struct DragTurn {
    rm::Vector3 axis;
    float angle = 0;  // radians
};

// What one step does: a move (before any slider), then turns in order about `centre`.
struct DragStep {
    rm::Vector3 move;
    rm::Vector3 centre;
    std::vector<DragTurn> turns;
};

// Plain: across the screen at the item's depth, so that it keeps up with the pointer. Shift:
// along the view, dy / 20 times the speed. Ctrl: half a degree a pixel about the camera's up
// (-dx) and right (dy), or with Shift about the view (-dx); with an axis lock about that
// axis of the item by the drag across the axis as seen on the screen. A locked axis seen end
// on gives no turn.
DragStep ObjectDragStep(const ViewCamera& camera, const DragSubject& item, const DragView& view,
                        const DragInput& input);

// `DragObject`: the step for item `index` applied to it and everything linked to it; moves
// pass the item's slider first. False when nothing was moved or turned.
bool DragObject(CSceneDoc& doc, size_t index, const DragView& view, const DragInput& input);

}  // namespace studio
