// The axis gizmo of both 3D views: three unit lines (X green, Y yellow, Z blue) under one
// scaled frame, and the letters X, Y and Z beyond their ends, turned to face the camera.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "platform/rm/rm.h"

namespace viewport {

struct AxisStyle {
    float axisSize = 1.0f;
    float letterSize = 0.125f;
    bool showAxis = true;
    bool showLetters = true;
};

// A static mesh of line-like triangles, each given twice with opposite winding so that it
// shows from both sides; wireframe quality draws them as lines.
void FillWireMesh(rm::MeshBuilder& mesh, std::initializer_list<rm::Vector3> vertices,
                  std::initializer_list<uint32_t> faceData);

struct AxisGizmo {
    rm::FramePtr root;
    rm::FramePtr axis, axisX, axisY, axisZ;
    rm::FramePtr letterX, letterY, letterZ;
    rm::MeshBuilderPtr axisMeshX, axisMeshY, axisMeshZ;
    rm::MeshBuilderPtr letterMeshX, letterMeshY, letterMeshZ;

    // Builds the frames and meshes under `sceneRoot` with unit axes and the letter size.
    // The message of what could not be made, or nullptr.
    const char* Build(const rm::FramePtr& sceneRoot, float letterSize);
    void Release();
    // The letters take the camera's orientation, then their scale again.
    void FaceCamera(const rm::Frame& camera, float letterSize);
    // Size, letter places and what is shown.
    void Apply(const AxisStyle& style);
    // Hidden for a saved picture, then shown again as the style says.
    void Hide();
};

}  // namespace viewport
