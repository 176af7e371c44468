// The marker of a joint: a frame under the owner's frame whose place is the joint's point and
// axis, and for the linking types a green point on it. The file reader and the joint dialog
// both build markers through here.
#pragma once

#include <cstddef>

#include "studio/scene/scene_doc.h"

namespace studio {

// The placement a joint at `position` along `axis` is given: direction the axis ((0, 1, 0)
// when it is zero), up (0, 1, 0), or (0, 0, 1) when the axis has no x and no z.
Placement JointPlacement(rm::Vector3 position, rm::Vector3 axis);

// Releases the joint's old marker and builds it again from the joint's placement (relative to
// the scene root). No marker when the owner is missing, is a folder or has no frame, or when
// the rotation target is a partner that does not exist. Types 1 to 3 get the point mesh.
void BuildJointMarker(CSceneDoc& doc, size_t joint);
// Takes the marker frame off the owner's frame and drops it with its mesh.
void ReleaseJointMarker(CSceneDoc& doc, size_t joint);

}  // namespace studio
