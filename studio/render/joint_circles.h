// The joint circles drawn over the studio's picture in the view's joint modes: where each
// joint's marker shows on the picture, which circle a point falls in, and the circle itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "studio/render/studio_render.h"
#include "studio/scene/scene_doc.h"

namespace studio {

inline constexpr int kJointCircleRadius = 5;
inline constexpr uint32_t kJointCircleColor = 0xFFFF0000;

struct JointCircle {
    size_t joint = 0;
    int x = 0, y = 0;  // picture pixel of the marker's origin
    friend bool operator==(const JointCircle&, const JointCircle&) = default;
};

// The circles of the joints that have a marker frame, in joint order: markers in front of the
// camera (at least the front distance away) whose point falls on the picture. The point is
// where the renderer draws the marker, rounded half up.
std::vector<JointCircle> JointCircles(const CSceneDoc& doc, PictureSize picture);

// The joint whose circle holds picture point (x, y): the nearest centre within the radius, the
// earlier joint on a tie; -1 when none does.
int JointCircleAt(const std::vector<JointCircle>& circles, int x, int y);

// A one-pixel circle of kJointCircleRadius around (cx, cy) in kJointCircleColor, cut to the
// width x height top left of an ARGB buffer with `stride` pixels a row.
void DrawJointCircle(uint32_t* pixels, int stride, int width, int height, int cx, int cy);

}  // namespace studio
