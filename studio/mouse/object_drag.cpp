#include "studio/mouse/object_drag.h"

#include <cmath>

namespace studio {

namespace {

// Half a degree a pixel.
constexpr float kTurnPerPixel = 6.2831855f / 720.0f;
// Below this the locked axis is taken as pointing along the view: it has no screen direction.
constexpr float kEndOn = 1e-6f;

}  // namespace

ViewCamera ViewCameraOf(const CSceneDoc& doc) {
    return {doc.Camera()->Position(doc.Root()), CameraAxesOf(doc)};
}

DragStep ObjectDragStep(const ViewCamera& camera, const DragSubject& item, const DragView& view,
                        const DragInput& input) {
    DragStep step;
    step.centre = item.position;
    const CameraAxes& axes = camera.axes;
    const float dx = input.dx, dy = input.dy;
    if (!std::isfinite(dx) || !std::isfinite(dy)) return step;
    if (!input.ctrl) {
        if (item.positionLock != 0) return step;
        if (input.shift) {
            step.move = axes.direction * (dy / 20.0f * view.speed);
            return step;
        }
        if (view.picture.width <= 0 || view.picture.height <= 0 || !(view.scale > 0.0f))
            return step;
        const float z = rm::Dot(item.position - camera.position, axes.direction);
        step.move = axes.right * (z * (dx / view.scale) / static_cast<float>(view.picture.width)) +
                    axes.up * (z * (dy / view.scale) / static_cast<float>(view.picture.height));
        return step;
    }
    if (item.axisLock == 1 || item.axisLock == 2) {
        const rm::Vector3 axis = rm::Normalize(item.axisLock == 1 ? item.up : item.direction);
        const rm::Vector3& d = axes.direction;
        const rm::Vector3 drag = axes.right * dx + axes.up * dy;
        const rm::Vector3 across = axis - d * rm::Dot(axis, d);
        if (rm::Length(across) < kEndOn) return step;
        const rm::Vector3 u = rm::Normalize(across);
        const float along = rm::Dot(u, drag);
        float angle =
            std::sqrt(std::max(0.0f, rm::Dot(drag, drag) - along * along)) * kTurnPerPixel;
        // The turn's sense follows which side of the seen axis the drag went.
        const rm::Vector3 n = rm::Normalize(rm::Cross(u, drag));
        const rm::Vector3 off = n - d;
        if (rm::Dot(off, off) > 2.0f) angle = -angle;
        if (angle != 0.0f) step.turns.push_back({axis, angle});
        return step;
    }
    if (input.shift) {
        if (dx != 0.0f) step.turns.push_back({axes.direction, -dx * kTurnPerPixel});
        return step;
    }
    if (dx != 0.0f) step.turns.push_back({axes.up, -dx * kTurnPerPixel});
    if (dy != 0.0f) step.turns.push_back({axes.right, dy * kTurnPerPixel});
    return step;
}

bool DragObject(CSceneDoc& doc, size_t index, const DragView& view, const DragInput& input) {
    if (index >= doc.Items().size()) return false;
    const SceneItem& item = doc.Items()[index];
    if (!item.frame) return false;
    DragSubject subject;
    subject.position = item.frame->Position(doc.Root());
    item.frame->GetOrientation(doc.Root(), subject.direction, subject.up);
    subject.axisLock = item.axisLock;
    subject.positionLock = item.positionLock;
    const DragStep step = ObjectDragStep(ViewCameraOf(doc), subject, view, input);
    bool changed = false;
    if (!(step.move == rm::Vector3{})) {
        const rm::Vector3 move = ApplySlider(doc, step.move, index);
        if (!(move == rm::Vector3{})) {
            MoveItemSet(doc, move, index, kAllJoints);
            changed = true;
        }
    }
    for (const DragTurn& turn : step.turns) {
        TurnItemSet(doc, step.centre, turn.axis, turn.angle, index, kAllJoints);
        changed = true;
    }
    return changed;
}

}  // namespace studio
