#include "modeller/ops/plane_paint_input.h"

namespace modeller::ops {

using viewport::kModePlanePaint;
using viewport::kModePlanePaintDrag;

void PlanePaintInput::TurnOn(const PlaneEquation& plane) {
    state_.normal = plane.normal;
    state_.point = plane.point;
    state_.modeOn = true;
    navigator_.SetMode(kModePlanePaint);
}

void PlanePaintInput::TurnOff() {
    state_.modeOn = false;
    const int32_t mode = navigator_.Mode();
    if (mode == kModePlanePaintDrag) {
        view_.ConfinePointer(false);
        Present();
    }
    // Moving points owns a temporary frame that only its own right click gives back.
    if (mode != viewport::kModeMovePoints && mode != viewport::kModeMovePointsDrag)
        navigator_.SetMode(viewport::kModeCamera);
}

rm::Vector3 PlanePaintInput::CameraPosition() const {
    return pane_.scene.camera ? pane_.scene.camera->Position() : rm::Vector3{};
}

std::optional<rm::Vector3> PlanePaintInput::CornerAt(int x, int y) const {
    if (!pane_.scene.camera) return std::nullopt;
    const rm::Vector3 ray = navigator_.PickRay(x, y);
    const std::optional<LineHit> hit =
        IntersectPlaneLine(state_.normal, state_.point, ray, CameraPosition());
    // Behind the camera the ray never meets the plane.
    if (!hit || hit->t < 0) return std::nullopt;
    return hit->at;
}

std::optional<PlanePaintInput::Band> PlanePaintInput::RubberBand() const {
    if (navigator_.Mode() != kModePlanePaintDrag) return std::nullopt;
    return band_;
}

void PlanePaintInput::Present() {
    if (pane_.device.present) pane_.device.present();
}

void PlanePaintInput::OnMouse(viewport::PaneMouse event, int x, int y) {
    const int32_t mode = navigator_.Mode();
    if (event == viewport::PaneMouse::kMouseMove) {
        if (mode != kModePlanePaintDrag) return;
        band_.x1 = x;
        band_.y1 = y;
        Present();
        return;
    }
    if (event == viewport::PaneMouse::kLeftUp || !state_.modeOn) return;
    const std::optional<rm::Vector3> corner = CornerAt(x, y);
    if (!corner) return;
    if (mode == kModePlanePaint) {
        first_ = *corner;
        band_ = {x, y, x, y};
        view_.ConfinePointer(true);
        navigator_.SetMode(kModePlanePaintDrag);
        return;
    }
    if (mode != kModePlanePaintDrag) return;
    view_.ConfinePointer(false);
    navigator_.SetMode(kModePlanePaint);  // shows the plane-paint cursor again
    const OpsResult result =
        ApplyPlaneFigure(model_, host_, state_, first_, *corner, CameraPosition());
    if (!result.ok && !result.message.empty()) view_.ShowMessage(result.message);
    Present();
}

}  // namespace modeller::ops
