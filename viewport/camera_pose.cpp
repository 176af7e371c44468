#include "viewport/camera_pose.h"

#include <cmath>

namespace viewport {

namespace {

bool Finite(rm::Vector3 v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

}  // namespace

bool IsUsableCameraPose(const CameraPose& pose) {
    if (!Finite(pose.position) || !Finite(pose.lookAt) || !Finite(pose.zAxis) ||
        !Finite(pose.yAxis))
        return false;
    const rm::Vector3 z = rm::Normalize(pose.zAxis), y = rm::Normalize(pose.yAxis);
    if (rm::Length(z) == 0.0f || rm::Length(y) == 0.0f) return false;
    return rm::Length(rm::Cross(y, z)) > 1e-6f;
}

bool StoreCameraPose(const RenderScene& scene, CameraPose& pose) {
    if (!scene.camera || !scene.lookAtTarget) return false;
    CameraPose read;
    read.position = scene.camera->Position();
    scene.camera->GetOrientation({}, read.zAxis, read.yAxis);
    read.lookAt = scene.lookAtTarget->Position();
    pose = read;
    return true;
}

bool ApplyCameraPose(RenderScene& scene, const CameraPose& pose) {
    if (!scene.camera || !scene.lookAtTarget || !IsUsableCameraPose(pose)) return false;
    bool ok = scene.camera->SetPosition({}, pose.position);
    ok = scene.camera->SetOrientation({}, pose.zAxis, pose.yAxis) && ok;
    ok = scene.lookAtTarget->SetPosition({}, pose.lookAt) && ok;
    return ok;
}

}  // namespace viewport
