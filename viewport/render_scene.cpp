#include "viewport/render_scene.h"

#include "platform/shell.h"

namespace viewport {

namespace {

constexpr const char* kCaption = "BuildScene";
constexpr const char* kMeshFailed = "メッシュ・ビルダの生成に失敗";
constexpr const char* kFrameFailed = "フレームの生成に失敗";

using V = rm::Vector3;

// Each static mesh is line-like triangles, given twice with opposite winding so that it
// shows from both sides; wireframe draws them as lines.
void Fill(rm::MeshBuilder& mesh, std::initializer_list<V> vertices,
          std::initializer_list<uint32_t> faceData) {
    mesh.AddFaces(std::vector<V>(vertices), {}, std::vector<uint32_t>(faceData));
    mesh.SetQuality(rm::kQualityWireframe);
}

void FillAxisLine(rm::MeshBuilder& mesh) {
    Fill(mesh, {{0, 0, 0}, {1, 0, 0.0001f}, {0.5f, 0.0001f, 0}}, {3, 1, 2, 0, 3, 0, 2, 1, 0});
}

rm::MeshBuilderPtr Letter(char which) {
    rm::MeshBuilderPtr m = rm::MeshBuilder::Create();
    if (!m) return m;
    switch (which) {
        case 'X':
            Fill(*m,
                 {{0.0001f, 0.0001f, -0.0001f},
                  {0.5f, 0.5f, 0},
                  {0.5f, -0.5f, 0},
                  {-0.5f, -0.5f, 0},
                  {-0.5f, 0.5f, 0}},
                 {3, 0, 1, 3, 3, 3, 1, 0, 3, 4, 2, 0, 3, 0, 2, 4, 0});
            m->SetColorRgb(0, 1, 0);
            break;
        case 'Y':
            Fill(*m,
                 {{0.0001f, 0.0001f, -0.0001f},
                  {0.5f, 0.5f, 0},
                  {0, -0.5f, 0},
                  {-0.5f, 0.5f, 0},
                  {0.25f, 0.25f, 0},
                  {0, -0.25f, 0},
                  {-0.25f, 0.25f, 0}},
                 {3, 0, 1, 4, 3, 4, 1, 0, 3, 0, 5, 2, 3, 2, 5, 0, 3, 0, 3, 6, 3, 6, 3, 0, 0});
            m->SetColorRgb(1, 1, 0);
            break;
        default:
            Fill(*m,
                 {{0.0001f, 0.0001f, -0.0001f},
                  {-0.5f, 0.5001f, -0.0001f},
                  {0, 0.5f, 0},
                  {0.5f, 0.5f, 0},
                  {-0.5f, -0.5f, 0},
                  {0, -0.5001f, 0.0001f},
                  {0.5f, -0.5f, 0}},
                 {3, 1, 2, 3, 3, 3, 2, 1, 3, 3, 0, 4, 3, 4, 0, 3, 3, 4, 5, 6, 3, 6, 5, 4, 0});
            m->SetColorRgb(0, 0, 1);
            break;
    }
    return m;
}

void PlaceLetters(RenderScene& s, float letterSize, float axisSize) {
    const float at = 2 * letterSize + axisSize;
    s.letterX->SetPosition(s.root, at, 0, 0);
    s.letterY->SetPosition(s.root, 0, at, 0);
    s.letterZ->SetPosition(s.root, 0, 0, at);
}

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

    axisMeshX = rm::MeshBuilder::Create();
    if (!axisMeshX) return fail(kMeshFailed);
    FillAxisLine(*axisMeshX);
    axisMeshX->SetColorRgb(0, 255, 0);
    axis = rm::Frame::Create(root);
    if (!axis) return fail(kFrameFailed);
    axisX = rm::Frame::Create(axis);
    axisX->AddVisual(axisMeshX);

    axisMeshY = rm::MeshBuilder::Create();
    FillAxisLine(*axisMeshY);
    axisMeshY->SetColorRgb(255, 255, 0);
    axisY = rm::Frame::Create(axis);
    axisY->SetOrientation(axis, {0, 0, 1}, {-1, 0, 0});
    axisY->AddVisual(axisMeshY);

    axisMeshZ = rm::MeshBuilder::Create();
    FillAxisLine(*axisMeshZ);
    axisMeshZ->SetColorRgb(0, 0, 255);
    axisZ = rm::Frame::Create(axis);
    axisZ->SetOrientation(axis, {-1, 0, 0}, {0, 1, 0});
    axisZ->AddVisual(axisMeshZ);
    axis->SetTraversalOptions(rm::kRenderEnable);

    letterMeshX = Letter('X');
    letterMeshY = Letter('Y');
    letterMeshZ = Letter('Z');
    const std::pair<rm::FramePtr*, rm::MeshBuilderPtr*> letters[] = {
        {&letterX, &letterMeshX}, {&letterY, &letterMeshY}, {&letterZ, &letterMeshZ}};
    for (auto [frame, mesh] : letters) {
        *frame = rm::Frame::Create(root);
        (*frame)->AddScale(rm::Combine::kBefore, st.letterSize, st.letterSize, st.letterSize);
        (*frame)->AddVisual(*mesh);
        (*frame)->SetTraversalOptions(rm::kRenderEnable);
    }
    PlaceLetters(*this, st.letterSize, 1.0f);  // the axis is unit length until its settings apply

    ambientLight =
        rm::Light::CreateRgb(rm::LightType::kAmbient, st.ambient.x, st.ambient.y, st.ambient.z);
    root->AddLight(ambientLight);
    directionalLight = rm::Light::CreateRgb(rm::LightType::kDirectional, st.directional.x,
                                            st.directional.y, st.directional.z);
    lightFrame = rm::Frame::Create(root);
    lightFrame->AddLight(directionalLight);
    const V d = st.lightDirection;
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
    Fill(*guideMesh1, {{0, 0, 0}, {0.0001f, 0.0001f, -10}, {0, 0, 10}},
         {3, 0, 1, 2, 3, 0, 2, 1, 0});
    guideFrame2 = rm::Frame::Create(root);
    guideMesh2 = rm::MeshBuilder::Create();
    Fill(*guideMesh2, {{0, 0, 0}, {0, 10, 0}, {0.0001f, -10, 0.0001f}},
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
    ReleaseHandle(letterMeshX);
    ReleaseHandle(letterMeshY);
    ReleaseHandle(letterMeshZ);
    ReleaseHandle(axisMeshX);
    ReleaseHandle(axisMeshY);
    ReleaseHandle(axisMeshZ);
    ReleaseHandle(letterX);
    ReleaseHandle(letterY);
    ReleaseHandle(letterZ);
    ReleaseHandle(axisX);
    ReleaseHandle(axisY);
    ReleaseHandle(axisZ);
    ReleaseHandle(axis);
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
    if (!camera || !letterX) return;
    V direction, up;
    camera->GetOrientation(root, direction, up);
    for (const rm::FramePtr& letter : {letterX, letterY, letterZ}) {
        letter->SetOrientation(root, direction, up);
        // Setting an orientation drops the scale.
        letter->AddScale(rm::Combine::kBefore, st.letterSize, st.letterSize, st.letterSize);
    }
}

void RenderScene::ApplyAxisSettings(const SceneSettings& st) {
    if (!axis) return;
    axis->AddScale(rm::Combine::kReplace, st.axisSize, st.axisSize, st.axisSize);
    PlaceLetters(*this, st.letterSize, st.axisSize);
    axis->SetTraversalOptions(st.showAxis ? rm::kRenderEnable : 0);
    for (const rm::FramePtr& letter : {letterX, letterY, letterZ})
        letter->SetTraversalOptions(st.showLetters ? rm::kRenderEnable : 0);
}

void RenderScene::SetBackground(uint32_t color) {
    if (root) root->SetSceneBackground(color);
}

void RenderScene::SetPointColour(uint32_t color) {
    if (pointMesh) pointMesh->SetColor(color);
}

}  // namespace viewport
