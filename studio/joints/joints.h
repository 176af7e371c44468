// Items that move together: the set linked to an item through its subtree and its joints,
// moving and turning that set, the slider that restricts a move, and the turn about a joint.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/rm/vector.h"
#include "studio/scene/joint_marker.h"
#include "studio/scene/scene_doc.h"

namespace studio {

// excludedJoint: an index into doc.Joints(), or one of these.
inline constexpr int kAllJoints = -1;  // follow every joint
inline constexpr int kNoJoints = -2;   // follow none (the subtree only)

// One flag per item (1: moves with `item`): the item, the subtrees of flagged items and, through
// the joints that link (type above 0, with a partner) other than `excludedJoint`, both ends of
// a joint once one end is flagged.
std::vector<uint8_t> MarkLinkedItems(const CSceneDoc& doc, size_t item, int excludedJoint);

// Adds `move` to the position (relative to the scene root) of every flagged item with a frame.
void MoveItemSet(CSceneDoc& doc, const rm::Vector3& move, size_t item, int excludedJoint);

// Turns every flagged item with a frame about the line through `centre` along `axis` by `angle`
// radians (the frames' sign), keeping its scale.
void TurnItemSet(CSceneDoc& doc, const rm::Vector3& centre, const rm::Vector3& axis, float angle,
                 size_t item, int excludedJoint);

// The move as the item's slider lets it through: along the slider's axis, or within its plane.
rm::Vector3 ApplySlider(const CSceneDoc& doc, const rm::Vector3& move, size_t item);

// The slider vector given in the item's own axes, in scene axes, and back (rotation only; an
// item without a frame has the scene's axes).
rm::Vector3 ItemAxesToScene(const CSceneDoc& doc, size_t item, const rm::Vector3& v);
rm::Vector3 SceneAxesToItem(const CSceneDoc& doc, size_t item, const rm::Vector3& v);

// The camera's unit axes relative to the scene root.
struct CameraAxes {
    rm::Vector3 right, up, direction;
};
CameraAxes CameraAxesOf(const CSceneDoc& doc);

// Turns the joint's rotation target (turnedItem: the owner's or the partner's index) about
// joint `joint`, one degree per pixel; dy is positive upwards. The joint itself is not
// followed, so only the turned item's side moves. Types 0 and 3 do not turn.
void TurnAboutJoint(CSceneDoc& doc, const CameraAxes& camera, size_t joint, size_t turnedItem,
                    int dx, int dy, bool shiftHeld);

// The item that a joint turns (its owner, or its partner for rotation target 1), or -1.
int TurnedItemOf(const CSceneDoc& doc, size_t joint);

}  // namespace studio
