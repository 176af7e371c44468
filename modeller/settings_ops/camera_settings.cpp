#include "modeller/settings_ops/camera_settings.h"

#include <cmath>

#include "model/vector_text.h"
#include "platform/field_exchange.h"

namespace modeller::settings {

namespace {

rm::Vector3 V(const model::Vertex& v) {
    return {v.x, v.y, v.z};
}
std::string Text(rm::Vector3 v) {
    return model::FormatVector(v.x, v.y, v.z);
}
std::optional<rm::Vector3> Read(const std::string& text) {
    const std::optional<model::Vertex> v = model::ParseVector(text);
    if (!v || !std::isfinite(v->x) || !std::isfinite(v->y) || !std::isfinite(v->z))
        return std::nullopt;
    return V(*v);
}
bool Along(rm::Vector3 a, rm::Vector3 b) {
    return rm::Length(rm::Cross(a, b)) <= 1e-6f * rm::Length(a) * rm::Length(b);
}

}  // namespace

CameraFields CameraFieldsOf(const viewport::CameraPose& pose,
                            const viewport::NavigationSettings& nav) {
    CameraFields f;
    f.position = Text(pose.position);
    f.zAxis = Text(pose.zAxis);
    f.yAxis = Text(pose.yAxis);
    f.gaze = nav.lookAtOnePoint;
    f.point = Text(nav.gazePoint);
    f.reverse = nav.reverse;
    f.speed = model::FormatNumber(nav.speed);
    return f;
}

std::string ValidateCamera(const CameraFields& f) {
    const std::optional<float> speed = shell::ExchangeFloat(f.speed);
    if (!speed) return shell::kNeedNumberText;
    if (*speed < 0 || *speed > kMaxCameraSpeed) return shell::NumberRangeText(0, kMaxCameraSpeed);
    return {};
}

void GazeOrientation(rm::Vector3 position, rm::Vector3 point, const viewport::CameraPose& current,
                     rm::Vector3& direction, rm::Vector3& up) {
    const rm::Vector3 d = point - position;
    if (rm::Length(d) == 0) {  // looking at itself: no way to turn
        direction = current.zAxis;
        up = current.yAxis;
        return;
    }
    direction = d;
    if (d.x != 0 || d.z != 0) {
        up = {0, 1, 0};
        return;
    }
    up = current.yAxis;
    if (Along(up, d)) up = rm::Dot(d, up) > 0 ? -current.zAxis : current.zAxis;
}

CameraOutcome CameraAfterOk(const CameraFields& f, const viewport::CameraPose& current,
                            const viewport::NavigationSettings& nav) {
    CameraOutcome out{current, nav};
    if (std::optional<rm::Vector3> p = Read(f.position)) out.pose.position = *p;
    out.nav.speed = shell::ExchangeFloat(f.speed).value_or(nav.speed);
    out.nav.reverse = f.reverse;
    out.nav.lookAtOnePoint = f.gaze;
    if (f.gaze) {
        if (std::optional<rm::Vector3> point = Read(f.point)) out.nav.gazePoint = *point;
        out.pose.lookAt = out.nav.gazePoint;
        out.nav.gazeDistance = rm::Length(out.nav.gazePoint - out.pose.position);
        GazeOrientation(out.pose.position, out.nav.gazePoint, current, out.pose.zAxis,
                        out.pose.yAxis);
    } else if (std::optional<rm::Vector3> z = Read(f.zAxis); z && rm::Length(*z) > 0) {
        out.pose.zAxis = *z;
        const std::optional<rm::Vector3> y = Read(f.yAxis);
        if (y && !Along(*y, *z)) {
            out.pose.yAxis = *y;
        } else {
            const rm::Vector3 n = rm::Normalize(*z);
            out.pose.yAxis = {n.x, 1, n.z};
            if (Along(out.pose.yAxis, *z)) out.pose.yAxis = current.yAxis;
        }
    }
    return out;
}

CameraOutcome ApplyCamera(const CameraFields& f, viewport::RenderScene& scene,
                          const viewport::NavigationSettings& nav, CameraSettings& stored) {
    viewport::CameraPose current;
    viewport::StoreCameraPose(scene, current);
    CameraOutcome out = CameraAfterOk(f, current, nav);
    if (!viewport::ApplyCameraPose(scene, out.pose)) {
        // An orientation the camera cannot take: the position still moves.
        out.pose.zAxis = current.zAxis;
        out.pose.yAxis = current.yAxis;
        viewport::ApplyCameraPose(scene, out.pose);
    }
    stored.speed = out.nav.speed;
    stored.reverse = out.nav.reverse ? 1 : 0;
    stored.look = out.nav.lookAtOnePoint ? 1 : 0;
    stored.position = {out.pose.position.x, out.pose.position.y, out.pose.position.z};
    stored.zAxis = {out.pose.zAxis.x, out.pose.zAxis.y, out.pose.zAxis.z};
    stored.yAxis = {out.pose.yAxis.x, out.pose.yAxis.y, out.pose.yAxis.z};
    stored.lookAt = {out.pose.lookAt.x, out.pose.lookAt.y, out.pose.lookAt.z};
    return out;
}

}  // namespace modeller::settings
