// The camera dialog (カメラ) without its widget.
#pragma once

#include <string>

#include "modeller/app/settings.h"
#include "viewport/camera_navigation.h"
#include "viewport/camera_pose.h"
#include "viewport/render_scene.h"

namespace modeller::settings {

inline constexpr const char* kCameraHelpPage = "dlg_camera.htm";
inline constexpr float kMaxCameraSpeed = 100000000.0f;
inline constexpr int kCameraFieldLength = 100;

struct CameraFields {
    std::string position, zAxis, yAxis;  // vector texts
    bool gaze = false;                   // 一点を凝視する
    std::string point;                   // the gaze point
    bool reverse = false;                // リバースモード
    std::string speed;                   // 移動スピード
};

CameraFields CameraFieldsOf(const viewport::CameraPose& pose,
                            const viewport::NavigationSettings& nav);
std::string ValidateCamera(const CameraFields& fields);

struct CameraOutcome {
    viewport::CameraPose pose;  // lookAt is where the gaze marker goes
    viewport::NavigationSettings nav;
};

// What OK makes of the fields, from the camera as it is. Fields that do not read keep
// what they stand for.
CameraOutcome CameraAfterOk(const CameraFields& fields, const viewport::CameraPose& current,
                            const viewport::NavigationSettings& nav);

// The camera turned toward `point` from `position`: up (0, 1, 0) unless the point is
// straight above or below, where the current up is kept (or, when that lies along the
// new view line, the old forward turned back, as a head tilted up would have it).
void GazeOrientation(rm::Vector3 position, rm::Vector3 point, const viewport::CameraPose& current,
                     rm::Vector3& direction, rm::Vector3& up);

// Applies the outcome to the scene's camera and gaze marker and to the stored settings;
// the caller hands `nav` to the navigator and renders.
CameraOutcome ApplyCamera(const CameraFields& fields, viewport::RenderScene& scene,
                          const viewport::NavigationSettings& nav, CameraSettings& stored);

}  // namespace modeller::settings
