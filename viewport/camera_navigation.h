// The tool modes of the modeller's 3D pane: moving the camera with the mouse and the arrow
// keys, gazing at a point with the animated fly-to, the look-at-one-point setting, picking
// vertices and faces, and moving picked points. The view feeds it mouse events (client
// coordinates, pointer inside the pane), keys and timer ticks, and implements the host.
#pragma once

#include <cstdint>

#include "model/sheet.h"
#include "platform/rm/rm.h"
#include "viewport/model_pane.h"
#include "viewport/navigation_host.h"
#include "viewport/point_mover.h"

namespace viewport {

enum PaneMode : int32_t {
    kModeCamera = 0,
    kModeCameraDrag = 1,
    kModeGaze = 2,    // double-click picks the gaze ray
    kModeGazing = 3,  // left drag orbits
    kModeFlying = 4,  // fly-to animation
    kModeOrbitDrag = 5,
    kModeVertex = 6,
    kModeFace = 7,
    kModePlanePaint = 8,
    kModePlanePaintDrag = 9,
    kModeMovePoints = 10,
    kModeMovePointsDrag = 11,
};

struct NavigationSettings {
    float speed = 1.0f;   // a drag unit moves the camera 0.05 x speed
    bool reverse = true;  // drags are negated
    bool lookAtOnePoint = true;
    rm::Vector3 gazePoint{0, 0, 0};
    float gazeDistance = 0.0f;  // 0 or less: taken from the camera at the next move
};

struct ArrowKeys {
    bool left = false, right = false, up = false, down = false;
};

// Pixels of mouse movement per drag unit in the camera and orbit drags.
inline constexpr float kPixelsPerDragUnit = 5.0f;

// Ticks of the 100 ms timer that a fly-to takes.
inline constexpr int kFlyTicks = 10;

class CameraNavigator {
public:
    CameraNavigator(ModelPane& pane, model::PointSheet& points, NavigationHost& host)
        : pane_(pane), points_(points), host_(host) {}

    int32_t Mode() const { return paneMode_; }
    // For plane-paint input, which drives modes 8 and 9 itself.
    void SetMode(int32_t mode);

    const NavigationSettings& Settings() const { return settings_; }
    // Non-finite values are replaced by the defaults; the guide frames grow with the speed.
    void ApplySettings(const NavigationSettings& settings);

    void OnPaneRightClick();
    void OnPaneLeftDown(int x, int y, Modifiers keys);
    void OnPaneMouseMove(int x, int y, Modifiers keys);
    void OnPaneLeftUp(int x, int y, Modifiers keys);
    void OnPaneDoubleClick(int x, int y, Modifiers keys);
    // An arrow key went down; `held` are the arrow key states at that moment.
    void OnPaneArrowKey(ArrowKeys held, Modifiers keys);
    void OnPaneEscape();
    // The mouse wheel over the pane, in notches (positive away from the user): each notch
    // is a Shift-drag of one pixel row downwards, so it moves the camera along its view
    // line like that drag does. Ignored during the fly-to.
    void OnPaneWheel(float notches);
    void OnPaneEnter();

    // One camera step of (dx, dy) drag units.
    void MoveCamera(float dx, float dy, bool shift, bool ctrl);
    // Before every frame: keeps the camera on the gaze point.
    void UpdateGaze();
    // The view's 100 ms timer.
    void OnTimerTick();

    rm::Vector3 PickRay(int x, int y) const;
    int32_t PickVertex(int x, int y) const;
    int32_t PickFace(int x, int y);

    // Entered from the make-face dialog: the picked points follow left drags until the
    // next right click writes them back. False when there is nothing to move.
    bool BeginMovePoints();

    // Gaze state, for the view and for checks.
    rm::Vector3 GazePoint() const { return point_; }
    rm::Vector3 GazeAxis() const { return axis_; }
    float GazeDistance() const { return distance_; }
    const PointMover& Mover() const { return mover_; }

private:
    bool Gazing() const { return paneMode_ == kModeGazing || paneMode_ == kModeOrbitDrag; }
    void Enter(int32_t mode);
    void Frame() { pane_.RequestFrame(); }
    void AimAtGazePoint();
    void StartGazing(int x, int y);
    void LeaveGazing();
    void RemoveGuides();
    void OrientGuide(const rm::FramePtr& guide, rm::Vector3 direction, rm::Vector3 up);
    void FinishMovePoints();
    bool DefinedPoint(int32_t point) const;

    ModelPane& pane_;
    model::PointSheet& points_;
    NavigationHost& host_;
    NavigationSettings settings_;
    int32_t paneMode_ = kModeCamera;
    int lastX_ = 0, lastY_ = 0;

    // Gazing: origin C and axis A of the picked ray, point P on it, camera offset O from P
    // and its length D.
    rm::Vector3 origin_, axis_, point_, offset_;
    float distance_ = 0.0f;
    rm::Vector3 savedPosition_, savedDirection_, savedUp_;
    // Fly-to: target T, per-tick steps, the interpolated position and direction.
    rm::Vector3 flyTarget_, positionStep_, directionStep_, flyPosition_, flyDirection_;
    int tick_ = 0;

    PointMover mover_;
};

}  // namespace viewport
