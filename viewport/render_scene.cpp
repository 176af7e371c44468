#include "viewport/render_scene.h"

#include "platform/shell.h"

namespace viewport {

namespace {

constexpr const char* kCaption = "BuildScene";

template <typename T>
void ReleaseHandle(T& handle) {
    handle.reset();  // an empty handle stays empty
}

}  // namespace

bool RenderScene::Build(const rm::FramePtr& sceneRoot, const rm::FramePtr& cameraFrame,
                        const SceneSettings& st, shell::Prompt* prompt) {
    root = sceneRoot;
    camera = cameraFrame;
    auto fail = [&](const char* text) {
        if (prompt) prompt->Ask(text, kCaption, shell::Buttons::Ok);
        return false;
    };

    if (const char* failed = gizmo.Build(root, st.letterSize)) return fail(failed);

    ambientLight =
        rm::Light::CreateRgb(rm::LightType::kAmbient, st.ambient.x, st.ambient.y, st.ambient.z);
    root->AddLight(ambientLight);
    directionalLight = rm::Light::CreateRgb(rm::LightType::kDirectional, st.directional.x,
                                            st.directional.y, st.directional.z);
    lightFrame = rm::Frame::Create(root);
    lightFrame->AddLight(directionalLight);
    const rm::Vector3 d = st.lightDirection;
    lightFrame->SetOrientation(root, d, {d.x, d.y + 1, d.z});

    if (!pointMesh) pointMesh = rm::MeshBuilder::Create();
    pointMesh->SetQuality(rm::kQualityPoints);
    pointMesh->SetQuality(rm::kQualityFlat);
    pointFrame = rm::Frame::Create(root);
    modelFrame = rm::Frame::Create(root);
    if (!modelMesh) modelMesh = rm::MeshBuilder::Create();
    modelAttached = pointsAttached = false;

    lookAtTarget = rm::Frame::Create(root);
    guideFrame1 = rm::Frame::Create(root);
    guideMesh1 = rm::MeshBuilder::Create();
    FillWireMesh(*guideMesh1, {{0, 0, 0}, {0.0001f, 0.0001f, -10}, {0, 0, 10}},
                 {3, 0, 1, 2, 3, 0, 2, 1, 0});
    guideFrame2 = rm::Frame::Create(root);
    guideMesh2 = rm::MeshBuilder::Create();
    FillWireMesh(*guideMesh2, {{0, 0, 0}, {0, 10, 0}, {0.0001f, -10, 0.0001f}},
                 {3, 0, 1, 2, 3, 0, 2, 1, 0});
    guideMesh2->SetColorRgb(0, 1, 1);
    guidesAttached = false;

    SetBackground(st.backgroundColor);
    return true;
}

void RenderScene::Release() {
    ReleaseHandle(guideMesh2);
    ReleaseHandle(guideFrame2);
    ReleaseHandle(guideMesh1);
    ReleaseHandle(guideFrame1);
    ReleaseHandle(lookAtTarget);
    ReleaseHandle(pointMesh);
    ReleaseHandle(pointFrame);
    ReleaseHandle(modelMesh);
    ReleaseHandle(modelFrame);
    ReleaseHandle(cameraLight);
    ReleaseHandle(directionalLight);
    ReleaseHandle(ambientLight);
    ReleaseHandle(lightFrame);
    gizmo.Release();
    // The root owns the children; dropping it with the camera ends the tree.
    ReleaseHandle(camera);
    ReleaseHandle(root);
    modelAttached = pointsAttached = guidesAttached = false;
}

void RenderScene::ApplyDisplayMode(const SceneSettings& st) {
    if (!modelFrame || !modelMesh) return;
    const bool wantModel = st.displayMode != kDisplayHidden;
    if (!wantModel && modelAttached) {
        modelFrame->RemoveVisual(modelMesh);
        modelAttached = false;
    } else if (wantModel && !modelAttached) {
        modelFrame->AddVisual(modelMesh);
        modelAttached = true;
    }
    if (wantModel) modelMesh->SetQuality(QualityForDisplayMode(st.displayMode));
    if (st.showPoints && !pointsAttached) {
        pointFrame->AddVisual(pointMesh);
        pointsAttached = true;
    } else if (!st.showPoints && pointsAttached) {
        pointFrame->RemoveVisual(pointMesh);
        pointsAttached = false;
    }
}

void RenderScene::FaceLettersToCamera(const SceneSettings& st) {
    if (camera) gizmo.FaceCamera(*camera, st.letterSize);
}

void RenderScene::ApplyAxisSettings(const SceneSettings& st) {
    gizmo.Apply({st.axisSize, st.letterSize, st.showAxis, st.showLetters});
}

void RenderScene::SetBackground(uint32_t color) {
    if (root) root->SetSceneBackground(color);
}

void RenderScene::SetPointColour(uint32_t color) {
    if (pointMesh) pointMesh->SetColor(color);
}

}  // namespace viewport
