// The camera pose kept between runs: where the camera stands, where it looks and which way
// is up, and the look-at target's position, all relative to the scene root.
#pragma once

#include "platform/rm/vector.h"
#include "viewport/render_scene.h"

namespace viewport {

struct CameraPose {
    rm::Vector3 position{1, 1, -5};
    rm::Vector3 lookAt{0, 0, 0};
    rm::Vector3 zAxis{0, 0, 1};  // direction
    rm::Vector3 yAxis{0, 1, 0};  // up
};

// Finite values, a direction that is not zero and an up vector that is not along it.
bool IsUsableCameraPose(const CameraPose& pose);

// Reads the pose from the live camera and look-at target; false (pose untouched) while the
// scene has no such frames.
bool StoreCameraPose(const RenderScene& scene, CameraPose& pose);

// Places the camera and the target. A pose that cannot be applied (missing frames, or
// values a settings file should never have held) changes nothing and gives false.
bool ApplyCameraPose(RenderScene& scene, const CameraPose& pose);

}  // namespace viewport
