// The frames and meshes of the modeller's 3D pane, built once with the render device and
// kept current by the rebuild routines.
#pragma once

#include <cstdint>

#include "model/mesh_model.h"
#include "platform/rm/rm.h"
#include "viewport/axis_gizmo.h"
#include "viewport/model_mesh.h"
#include "viewport/model_render_objects.h"

namespace shell {
class Prompt;
}

namespace viewport {

// What the scene reads of the settings.
struct SceneSettings {
    int32_t displayMode = kDisplayFlat;
    bool showPoints = true;
    bool showTextures = true;
    bool applyMaterials = true;
    uint32_t pointColor = 0xFFFFFFFF;
    uint32_t backgroundColor = 0;
    float axisSize = 1.0f;
    float letterSize = 0.125f;
    bool showAxis = true;
    bool showLetters = true;
    rm::Vector3 ambient{0.2f, 0.2f, 0.2f};
    rm::Vector3 directional{0.8f, 0.8f, 0.8f};
    rm::Vector3 lightDirection{-1, -1, 1};
    friend bool operator==(const SceneSettings&, const SceneSettings&) = default;
};

struct RenderScene {
    rm::FramePtr root, camera;
    AxisGizmo gizmo;
    rm::LightPtr ambientLight, directionalLight;
    rm::FramePtr lightFrame;
    rm::LightPtr cameraLight;  // the light dialog's point light on the camera, or none
    rm::FramePtr pointFrame, modelFrame;
    rm::MeshBuilderPtr pointMesh, modelMesh;
    rm::FramePtr lookAtTarget, guideFrame1, guideFrame2;
    rm::MeshBuilderPtr guideMesh1, guideMesh2;
    bool modelAttached = false, pointsAttached = false;
    bool guidesAttached = false;

    // Builds every frame, mesh and light under `root` (which carries the camera already).
    // The point and model meshes are the model's own when set beforehand.
    // False after a message (caption "BuildScene") when a mesh or the first frame cannot
    // be made.
    bool Build(const rm::FramePtr& sceneRoot, const rm::FramePtr& cameraFrame,
               const SceneSettings& settings, shell::Prompt* prompt);
    // Releases every object in the fixed order; each release skips an empty handle.
    void Release();

    // Attaches or detaches the model mesh and the markers as the settings ask, and sets
    // the model mesh's quality for modes 0 to 3. Before every frame.
    void ApplyDisplayMode(const SceneSettings& settings);
    // The letters take the camera's orientation, then their scale again.
    void FaceLettersToCamera(const SceneSettings& settings);
    void ApplyAxisSettings(const SceneSettings& settings);
    void SetBackground(uint32_t color);
    void SetPointColour(uint32_t color);
};

}  // namespace viewport
