#include "viewport/camera_navigation.h"

#include <cmath>

#include "model/free_run.h"
#include "model/vector_text.h"
#include "viewport/pick.h"

namespace viewport {

namespace {

constexpr float kDegree = 6.2831855f / 360.0f;
constexpr float kQuarterTurn = 1.5707964f;
const rm::Vector3 kUp{0, 1, 0};

bool Finite(rm::Vector3 v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// Straight up or down, allowing for the rounding of the rotations that led there: levelling
// such a direction with (0, 1, 0) would flip the camera over.
bool Vertical(rm::Vector3 d) {
    return std::fabs(d.x) <= 1e-5f && std::fabs(d.z) <= 1e-5f;
}

bool HasVisual(const rm::Frame& frame, const rm::VisualPtr& visual) {
    for (const rm::VisualPtr& v : frame.Visuals())
        if (v == visual) return true;
    return false;
}

}  // namespace

void CameraNavigator::Enter(int32_t mode) {
    paneMode_ = mode;
    host_.SetModeCursor(mode);
}

void CameraNavigator::SetMode(int32_t mode) {
    if (mode < kModeCamera || mode > kModeMovePointsDrag) return;
    Enter(mode);
}

void CameraNavigator::ApplySettings(const NavigationSettings& settings) {
    const NavigationSettings defaults;
    settings_ = settings;
    if (!std::isfinite(settings_.speed)) settings_.speed = defaults.speed;
    if (!Finite(settings_.gazePoint)) settings_.gazePoint = defaults.gazePoint;
    if (!std::isfinite(settings_.gazeDistance)) settings_.gazeDistance = defaults.gazeDistance;
    // The guide lines grow with the speed; setting the orientation again drops the old scale.
    for (const rm::FramePtr& guide : {pane_.scene.guideFrame1, pane_.scene.guideFrame2}) {
        if (!guide) continue;
        rm::Vector3 d, u;
        guide->GetOrientation({}, d, u);
        OrientGuide(guide, d, u);
    }
}

void CameraNavigator::OrientGuide(const rm::FramePtr& guide, rm::Vector3 direction,
                                  rm::Vector3 up) {
    if (!guide->SetOrientation({}, direction, up)) return;
    const float scale = 10.0f * settings_.speed;
    // A zero speed would collapse the frame; the line then keeps its own length.
    if (scale > 0.0f && std::isfinite(scale))
        guide->AddScale(rm::Combine::kBefore, scale, scale, scale);
}

// --- mouse and keys

void CameraNavigator::OnPaneRightClick() {
    switch (paneMode_) {
        case kModeCamera:
            Enter(host_.PlanePaintActive() ? kModePlanePaint : kModeGaze);
            return;
        case kModeGaze:
        case kModePlanePaint:
            Enter(kModeVertex);
            return;
        case kModeVertex:
            if (pane_.pickList && !pane_.pickList->empty()) {
                host_.RunMakeFace();  // may enter the point move itself
                return;
            }
            Enter(kModeFace);
            return;
        case kModeFace:
            Enter(kModeCamera);
            return;
        case kModeGazing:
            LeaveGazing();
            return;
        case kModePlanePaintDrag:
            host_.ConfinePointer(false);  // the first corner is dropped
            Enter(kModePlanePaint);
            if (pane_.device.present) pane_.device.present();  // erases the rectangle
            return;
        case kModeMovePoints:
        case kModeMovePointsDrag:
            FinishMovePoints();
            return;
        default:
            return;  // drags and the fly-to keep their mode
    }
}

void CameraNavigator::OnPaneLeftDown(int x, int y, Modifiers keys) {
    switch (paneMode_) {
        case kModeCamera:
            lastX_ = x;
            lastY_ = y;
            host_.CaptureMouse(true);
            Enter(kModeCameraDrag);
            return;
        case kModeGazing:
            lastX_ = x;
            lastY_ = y;
            host_.ConfinePointer(true);
            Enter(kModeOrbitDrag);
            return;
        case kModeVertex: {
            const int32_t point = PickVertex(x, y);
            if (point >= 0 && DefinedPoint(point)) host_.PickPointFromPane(point);
            return;
        }
        case kModeFace: {
            const int32_t face = PickFace(x, y);
            if (face < 0) return;
            if (pane_.scene.modelMesh)
                pane_.scene.modelMesh->SetFaceColorRgb(static_cast<size_t>(face), 1, 0, 0);
            Frame();
            host_.SelectFaceLine(face);
            return;
        }
        case kModePlanePaint:
        case kModePlanePaintDrag:
            host_.PlanePaintMouse(PaneMouse::kLeftDown, x, y, keys);
            return;
        case kModeMovePoints:
            lastX_ = x;
            lastY_ = y;
            host_.ConfinePointer(true);
            Enter(kModeMovePointsDrag);
            return;
        default:
            return;
    }
}

void CameraNavigator::OnPaneMouseMove(int x, int y, Modifiers keys) {
    const int dx = x - lastX_, dy = y - lastY_;
    switch (paneMode_) {
        case kModeCameraDrag:
        case kModeOrbitDrag:
            lastX_ = x;
            lastY_ = y;
            MoveCamera(static_cast<float>(dx) / kPixelsPerDragUnit,
                       -static_cast<float>(dy) / kPixelsPerDragUnit, keys.shift, keys.ctrl);
            return;
        case kModePlanePaint:
        case kModePlanePaintDrag:
            host_.PlanePaintMouse(PaneMouse::kMouseMove, x, y, keys);
            return;
        case kModeMovePointsDrag:
            lastX_ = x;
            lastY_ = y;
            if (pane_.scene.camera)
                mover_.Drag(*pane_.scene.camera, pane_.device.pane, dx, -dy, keys.shift,
                            settings_.speed);
            Frame();
            return;
        default:
            return;
    }
}

void CameraNavigator::OnPaneLeftUp(int x, int y, Modifiers keys) {
    switch (paneMode_) {
        case kModeCameraDrag:
            Enter(kModeCamera);
            host_.CaptureMouse(false);
            return;
        case kModeOrbitDrag:
            Enter(kModeGazing);
            host_.ConfinePointer(false);
            return;
        case kModePlanePaint:
        case kModePlanePaintDrag:
            host_.PlanePaintMouse(PaneMouse::kLeftUp, x, y, keys);
            return;
        case kModeMovePointsDrag:
            Enter(kModeMovePoints);
            host_.ConfinePointer(false);
            return;
        default:
            return;
    }
}

void CameraNavigator::OnPaneDoubleClick(int x, int y, Modifiers keys) {
    switch (paneMode_) {
        case kModeGaze:
            StartGazing(x, y);
            return;
        case kModeGazing:
            LeaveGazing();
            return;
        case kModeVertex: {
            const int32_t point = PickVertex(x, y);
            if (point >= 0 && host_.OpenVertexDialog(point)) pane_.RebuildModelMesh(0);
            return;
        }
        case kModePlanePaint:
        case kModePlanePaintDrag:
            host_.PlanePaintMouse(PaneMouse::kDoubleClick, x, y, keys);
            return;
        default:
            return;
    }
}

void CameraNavigator::OnPaneArrowKey(ArrowKeys held, Modifiers keys) {
    const float dx = static_cast<float>((held.right ? 1 : 0) - (held.left ? 1 : 0));
    const float dy = static_cast<float>((held.up ? 1 : 0) - (held.down ? 1 : 0));
    MoveCamera(dx, dy, keys.shift, keys.ctrl);
}

void CameraNavigator::OnPaneWheel(float notches) {
    if (paneMode_ == kModeFlying || !std::isfinite(notches) || notches == 0.0f) return;
    // A notch away from the user is a drag of one row down: with the default reverse mode
    // that brings the camera nearer.
    MoveCamera(0.0f, -notches / kPixelsPerDragUnit, true, false);
}

void CameraNavigator::OnPaneEscape() {
    if (paneMode_ != kModeGazing) return;
    RemoveGuides();
    paneMode_ = kModeGaze;
    Frame();
    host_.SetModeCursor(kModeGaze);
}

void CameraNavigator::OnPaneEnter() {
    if (paneMode_ != kModeGazing) return;
    // The first empty line, or a new one after the last.
    const int32_t line = model::FindFirstEmptyLine(points_);
    points_.SetLine(line, model::FormatVector(point_.x, point_.y, point_.z));
    host_.PointLinesChanged({line});
    pane_.RebuildPointMarkers(0);
    host_.RepaintView();
    LeaveGazing();
}

// --- camera arithmetic

void CameraNavigator::MoveCamera(float dx, float dy, bool shift, bool ctrl) {
    const rm::FramePtr& camera = pane_.scene.camera;
    if (!camera) return;
    if (settings_.reverse) {
        dx = -dx;
        dy = -dy;
    }
    const float step = 0.05f * settings_.speed;

    if (Gazing()) {
        if (shift && !ctrl) {
            camera->SetPosition(camera, {dx * step, 0, dy * step});
            offset_ = camera->Position() - point_;
            distance_ = rm::Length(offset_);
        } else if (ctrl && !shift) {
            offset_ = rm::Rotate(offset_, axis_, -dy * kDegree);
            camera->SetPosition({}, point_ + offset_);
            distance_ = rm::Length(offset_);
        } else {
            // The gaze point slides along the gaze axis by the drag's share along it.
            axis_ = rm::Normalize(axis_);
            rm::Vector3 d, u;
            camera->GetOrientation({}, d, u);
            const rm::Vector3 r = rm::Normalize(rm::Cross(u, d));
            const float k = rm::Dot(r * (dx * step) + u * (dy * step), axis_);
            point_ += axis_ * k;
            camera->SetPosition({}, point_ + offset_);
            if (pane_.scene.guideFrame1) pane_.scene.guideFrame1->SetPosition({}, point_);
            if (pane_.scene.guideFrame2) pane_.scene.guideFrame2->SetPosition({}, point_);
        }
        Frame();
        return;
    }

    if (!shift && !ctrl) {
        camera->SetPosition(camera, {dx * step, dy * step, 0});
    } else if (shift && !ctrl) {
        camera->SetPosition(camera, {dx * step, 0, dy * step});
        if (pane_.scene.lookAtTarget)
            settings_.gazeDistance =
                rm::Length(camera->Position() - pane_.scene.lookAtTarget->Position());
    } else if (ctrl && !shift) {
        if (settings_.lookAtOnePoint) return;
        camera->AddRotation(rm::Combine::kBefore, {0, 1, 0}, dx * kDegree);
        camera->AddRotation(rm::Combine::kBefore, {-1, 0, 0}, dy * kDegree);
        rm::Vector3 d, u;
        camera->GetOrientation({}, d, u);
        // Level again, except looking straight up or down, where the up vector is kept.
        if (!Vertical(d)) camera->SetOrientation({}, d, kUp);
    }
    if (settings_.lookAtOnePoint && paneMode_ != kModeFlying) AimAtGazePoint();
    pane_.scene.FaceLettersToCamera(pane_.settings);
    Frame();
}

void CameraNavigator::AimAtGazePoint() {
    const rm::FramePtr& camera = pane_.scene.camera;
    const rm::FramePtr& target = pane_.scene.lookAtTarget;
    if (!camera || !target) return;
    const rm::Vector3 point = settings_.gazePoint;
    target->SetPosition({}, point);
    camera->LookAt(target, {}, rm::Constraint::kZ);
    const rm::Vector3 offset = camera->Position() - point;
    const float current = rm::Length(offset);
    if (!(settings_.gazeDistance > 0.0f)) settings_.gazeDistance = current;
    if (current > 0.0f)
        camera->SetPosition({}, point + offset * (settings_.gazeDistance / current));
}

void CameraNavigator::UpdateGaze() {
    const rm::FramePtr& camera = pane_.scene.camera;
    const rm::FramePtr& target = pane_.scene.lookAtTarget;
    if (!camera || !target) return;
    if (!Gazing()) {
        if (settings_.lookAtOnePoint && paneMode_ != kModeFlying) AimAtGazePoint();
        return;
    }
    target->SetPosition({}, point_);
    camera->LookAt(target, {}, rm::Constraint::kZ);
    const rm::Vector3 offset = camera->Position() - point_;
    const float length = rm::Length(offset);
    if (length > 0.0f) camera->SetPosition({}, point_ + offset * (distance_ / length));
    // Guide 2 stands across the view, a quarter turn about the gaze axis.
    if (!pane_.scene.guideFrame1 || !pane_.scene.guideFrame2) return;
    rm::Vector3 d, u, g, gu;
    camera->GetOrientation({}, d, u);
    pane_.scene.guideFrame1->GetOrientation({}, g, gu);
    OrientGuide(pane_.scene.guideFrame2, d, rm::Rotate(d, g, kQuarterTurn));
}

// --- gazing

void CameraNavigator::StartGazing(int x, int y) {
    RenderScene& scene = pane_.scene;
    if (!scene.camera || !scene.guideFrame1 || !scene.guideMesh1) return;
    const rm::Vector3 ray = PickRay(x, y);
    if (rm::Length(ray) == 0.0f) return;
    const rm::Vector3 cameraPosition = scene.camera->Position();
    rm::Vector3 direction, up;
    scene.camera->GetOrientation({}, direction, up);

    scene.guideFrame1->SetPosition({}, cameraPosition);
    // A ray straight up or down cannot be levelled; it takes the camera's up instead.
    const rm::Vector3 guideUp = rm::Length(rm::Cross(ray, kUp)) > 1e-6f ? kUp : up;
    OrientGuide(scene.guideFrame1, ray, guideUp);
    if (!scene.guidesAttached) {
        scene.guideFrame1->AddVisual(scene.guideMesh1);
        scene.guidesAttached = true;
    }
    Frame();

    origin_ = cameraPosition;
    axis_ = rm::Normalize(ray);
    savedPosition_ = cameraPosition;
    savedDirection_ = direction;
    savedUp_ = up;
    tick_ = 0;
    Enter(kModeFlying);
}

void CameraNavigator::OnTimerTick() {
    if (paneMode_ != kModeFlying) return;
    RenderScene& scene = pane_.scene;
    const rm::FramePtr& camera = scene.camera;
    if (!camera || !scene.guideFrame1 || !scene.guideFrame2) return;

    if (tick_ == 0) {
        // The camera ends one unit beside a point one unit along the ray, looking at it.
        point_ = origin_ + axis_;
        rm::Vector3 g, gu;
        scene.guideFrame1->GetOrientation({}, g, gu);
        const rm::Vector3 side = rm::Normalize(rm::Cross(gu, g));
        flyTarget_ = point_ - side;
        const rm::Vector3 wanted = rm::Normalize(point_ - flyTarget_);
        camera->GetOrientation({}, flyDirection_, gu);
        flyPosition_ = camera->Position();
        positionStep_ = (flyTarget_ - flyPosition_) * (1.0f / kFlyTicks);
        directionStep_ = (wanted - flyDirection_) * (1.0f / kFlyTicks);

        scene.guideFrame2->SetPosition({}, point_);
        scene.guideFrame1->GetOrientation({}, g, gu);
        OrientGuide(scene.guideFrame2, wanted, gu);
        if (scene.guideMesh2) scene.guideFrame2->AddVisual(scene.guideMesh2);
        scene.guidesAttached = true;
        offset_ = flyTarget_ - point_;
        distance_ = rm::Length(offset_);
    }

    if (tick_ < kFlyTicks - 1) {
        flyPosition_ += positionStep_;
        flyDirection_ += directionStep_;
        camera->SetPosition({}, flyPosition_);
        // Passing through a direction that cannot be levelled keeps the last orientation.
        camera->SetOrientation({}, flyDirection_, kUp);
        ++tick_;
        Frame();
        return;
    }
    camera->SetPosition({}, flyTarget_);
    tick_ = 0;
    Enter(kModeGazing);
    Frame();
}

void CameraNavigator::LeaveGazing() {
    if (const rm::FramePtr& camera = pane_.scene.camera) {
        camera->SetPosition({}, savedPosition_);
        camera->SetOrientation({}, savedDirection_, savedUp_);
    }
    RemoveGuides();
    Enter(kModeGaze);
    Frame();
}

void CameraNavigator::RemoveGuides() {
    RenderScene& scene = pane_.scene;
    if (!scene.guidesAttached) return;
    if (scene.guideFrame1 && HasVisual(*scene.guideFrame1, scene.guideMesh1))
        scene.guideFrame1->RemoveVisual(scene.guideMesh1);
    if (scene.guideFrame2 && HasVisual(*scene.guideFrame2, scene.guideMesh2))
        scene.guideFrame2->RemoveVisual(scene.guideMesh2);
    scene.guidesAttached = false;
}

// --- picking

rm::Vector3 CameraNavigator::PickRay(int x, int y) const {
    if (!pane_.scene.camera || !pane_.device.viewport) return {};
    return viewport::PickRay(*pane_.scene.camera, *pane_.device.viewport, pane_.device.pane, x, y);
}

int32_t CameraNavigator::PickVertex(int x, int y) const {
    const RenderScene& scene = pane_.scene;
    if (!scene.camera || !scene.pointFrame || !scene.pointMesh || !pane_.device.viewport) return -1;
    return viewport::PickVertex(*scene.camera, *pane_.device.viewport, pane_.device.pane,
                                *scene.pointFrame, *scene.pointMesh, x, y);
}

int32_t CameraNavigator::PickFace(int x, int y) {
    if (!pane_.scene.modelFrame || !pane_.device.viewport) return -1;
    const FacePick pick = viewport::PickFace(*pane_.device.viewport, pane_.device.pane,
                                             *pane_.scene.modelFrame, x, y);
    if (pick.notAMesh) host_.ShowMessage("失敗");
    return pick.face;
}

bool CameraNavigator::DefinedPoint(int32_t point) const {
    return point >= 0 && static_cast<size_t>(point) < points_.lineFlags.size() &&
           (points_.lineFlags[static_cast<size_t>(point)] & model::PointSheet::kFlagValid) != 0;
}

// --- moving picked points

bool CameraNavigator::BeginMovePoints() {
    if (paneMode_ == kModeMovePoints || paneMode_ == kModeMovePointsDrag || !pane_.pickList)
        return false;
    std::vector<int32_t> changed;
    if (!mover_.Begin(pane_.scene.root, points_, *pane_.pickList, pane_.settings, changed))
        return false;
    if (Gazing() || paneMode_ == kModeFlying) LeaveGazing();
    host_.PointLinesChanged(changed);
    Enter(kModeMovePoints);
    pane_.scene.ApplyDisplayMode(pane_.settings);
    pane_.RebuildPointMarkers(kReparseAll);  // renders
    return true;
}

void CameraNavigator::FinishMovePoints() {
    if (paneMode_ == kModeMovePointsDrag) host_.ConfinePointer(false);
    std::vector<int32_t> changed;
    mover_.Finish(points_, pane_.settings, changed);
    host_.PointLinesChanged(changed);
    Enter(kModeVertex);
    host_.ClearPickList();
    pane_.RebuildPointMarkers(kReparseAll | kNoRender);
    pane_.RebuildModelMesh(kReparseAll | kNoRender);
    pane_.scene.ApplyDisplayMode(pane_.settings);
    host_.RepaintView();
}

}  // namespace viewport
