// Picking in the 3D pane: the ray through a pane pixel, the nearest point marker near that
// ray, and the model face under the pixel. Coordinates are the view's client coordinates.
#pragma once

#include <cstdint>

#include "platform/rm/rm.h"
#include "viewport/render_device.h"

namespace viewport {

// Marker pick tolerance: the angle the ray sweeps over this many pixels.
inline constexpr int kPickRadius = 5;

// Unit direction, relative to the scene root, of the ray from the camera through pixel
// (x, y); zero while the viewport has no size.
rm::Vector3 PickRay(const rm::Frame& camera, const rm::Viewport& viewport, const PaneRect& pane,
                    int x, int y);

// The marker (vertex of `markers`, placed by `markerFrame`) seen within kPickRadius pixels
// of (x, y) that is nearest to the camera; the lower number on equal distance; -1 for none.
int32_t PickVertex(const rm::Frame& camera, const rm::Viewport& viewport, const PaneRect& pane,
                   const rm::Frame& markerFrame, const rm::MeshBuilder& markers, int x, int y);

struct FacePick {
    int32_t face = -1;
    rm::MeshBuilderPtr mesh;  // the mesh the face belongs to
    bool notAMesh = false;    // the nearest visual was something other than a mesh builder
};

// The nearest face under (x, y) among the meshes of `modelFrame` and its subtree only, so
// the axis gizmo, letters, markers and guides can never be hit.
FacePick PickFace(const rm::Viewport& viewport, const PaneRect& pane, const rm::Frame& modelFrame,
                  int x, int y);

}  // namespace viewport
