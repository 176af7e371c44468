#include "viewport/axis_gizmo.h"

#include <utility>
#include <vector>

namespace viewport {

namespace {

using V = rm::Vector3;

constexpr const char* kMeshFailed = "メッシュ・ビルダの生成に失敗";
constexpr const char* kFrameFailed = "フレームの生成に失敗";

void FillAxisLine(rm::MeshBuilder& mesh) {
    FillWireMesh(mesh, {{0, 0, 0}, {1, 0, 0.0001f}, {0.5f, 0.0001f, 0}},
                 {3, 1, 2, 0, 3, 0, 2, 1, 0});
}

rm::MeshBuilderPtr Letter(char which) {
    rm::MeshBuilderPtr m = rm::MeshBuilder::Create();
    if (!m) return m;
    switch (which) {
        case 'X':
            FillWireMesh(*m,
                         {{0.0001f, 0.0001f, -0.0001f},
                          {0.5f, 0.5f, 0},
                          {0.5f, -0.5f, 0},
                          {-0.5f, -0.5f, 0},
                          {-0.5f, 0.5f, 0}},
                         {3, 0, 1, 3, 3, 3, 1, 0, 3, 4, 2, 0, 3, 0, 2, 4, 0});
            m->SetColorRgb(0, 1, 0);
            break;
        case 'Y':
            FillWireMesh(
                *m,
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
            FillWireMesh(
                *m,
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

}  // namespace

void FillWireMesh(rm::MeshBuilder& mesh, std::initializer_list<V> vertices,
                  std::initializer_list<uint32_t> faceData) {
    mesh.AddFaces(std::vector<V>(vertices), {}, std::vector<uint32_t>(faceData));
    mesh.SetQuality(rm::kQualityWireframe);
}

const char* AxisGizmo::Build(const rm::FramePtr& sceneRoot, float letterSize) {
    root = sceneRoot;
    axisMeshX = rm::MeshBuilder::Create();
    if (!axisMeshX) return kMeshFailed;
    FillAxisLine(*axisMeshX);
    axisMeshX->SetColorRgb(0, 255, 0);
    axis = rm::Frame::Create(root);
    if (!axis) return kFrameFailed;
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
        (*frame)->AddScale(rm::Combine::kBefore, letterSize, letterSize, letterSize);
        (*frame)->AddVisual(*mesh);
        (*frame)->SetTraversalOptions(rm::kRenderEnable);
    }
    // The axis is unit length until a style applies.
    Apply({1.0f, letterSize, true, true});
    return nullptr;
}

void AxisGizmo::Release() {
    for (rm::MeshBuilderPtr* mesh :
         {&letterMeshX, &letterMeshY, &letterMeshZ, &axisMeshX, &axisMeshY, &axisMeshZ})
        mesh->reset();
    for (rm::FramePtr* frame : {&letterX, &letterY, &letterZ, &axisX, &axisY, &axisZ, &axis})
        frame->reset();
    root.reset();
}

void AxisGizmo::FaceCamera(const rm::Frame& camera, float letterSize) {
    if (!root || !letterX) return;
    V direction, up;
    camera.GetOrientation(root, direction, up);
    for (const rm::FramePtr& letter : {letterX, letterY, letterZ}) {
        letter->SetOrientation(root, direction, up);
        // Setting an orientation drops the scale.
        letter->AddScale(rm::Combine::kBefore, letterSize, letterSize, letterSize);
    }
}

void AxisGizmo::Apply(const AxisStyle& style) {
    if (!axis) return;
    axis->AddScale(rm::Combine::kReplace, style.axisSize, style.axisSize, style.axisSize);
    const float at = 2 * style.letterSize + style.axisSize;
    letterX->SetPosition(root, at, 0, 0);
    letterY->SetPosition(root, 0, at, 0);
    letterZ->SetPosition(root, 0, 0, at);
    axis->SetTraversalOptions(style.showAxis ? rm::kRenderEnable : 0);
    for (const rm::FramePtr& letter : {letterX, letterY, letterZ})
        letter->SetTraversalOptions(style.showLetters ? rm::kRenderEnable : 0);
}

void AxisGizmo::Hide() {
    if (!axis) return;
    for (const rm::FramePtr& frame : {axis, letterX, letterY, letterZ})
        frame->SetTraversalOptions(0);
}

}  // namespace viewport
