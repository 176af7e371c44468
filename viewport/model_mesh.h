// The render meshes built from the model: the model mesh (face i is face line i, vertex i
// is point i) and the point markers. One builder serves the 3D pane, X export and the
// studio's objects.
#pragma once

#include <cstdint>
#include <vector>

#include "model/mesh_model.h"
#include "platform/rm/rm.h"
#include "viewport/model_render_objects.h"

namespace viewport {

// Display modes of the 3D pane.
enum DisplayMode : int32_t {
    kDisplayFlat = 0,
    kDisplayGouraud = 1,
    kDisplayUnlit = 2,
    kDisplayWireframe = 3,
    kDisplayHidden = 4,
};

// The model mesh's render quality for a display mode.
int QualityForDisplayMode(int32_t mode);

struct ModelMeshOptions {
    int32_t displayMode = kDisplayFlat;
    bool showTextures = true;
    bool applyMaterials = true;
};

// Rebuilds `mesh` from the model's face lines over the first `pointCount` parsed points:
// colours, quality, materials, the wrap, face textures, the mirrored copy and smooth normals.
void BuildModelMesh(model::MeshModel& model, const ModelRenderObjects& objects, int32_t pointCount,
                    const ModelMeshOptions& options, rm::MeshBuilder& mesh);
// The same from the face lines as last parsed (ParseFaceLines), without reading the text.
void BuildParsedModelMesh(const model::MeshModel& model, const ModelRenderObjects& objects,
                          int32_t pointCount, const ModelMeshOptions& options,
                          rm::MeshBuilder& mesh);

// Appends a copy of the mesh reflected on each flagged axis about `position`; with one
// flagged axis the copy's corners run in reverse order so its faces still face out.
void AddMirroredCopy(rm::MeshBuilder& mesh, bool ax, bool ay, bool az, float position);

// Textures of faces and the model's per-vertex coordinates (v negated on the render side).
void ApplyFaceTextures(const model::MeshModel& model, const ModelRenderObjects& objects,
                       rm::MeshBuilder& mesh);

// One marker per point 0..pointCount-1 (face j is the marker of point j), all in pointColor.
void BuildPointMarkers(const model::PointSheet& points, int32_t pointCount, uint32_t pointColor,
                       rm::MeshBuilder& markers);

inline constexpr uint32_t kSelectedPointColor = 0xFFFF0000;
// Markers are squares of this many pixels a side, picked ones larger, so they can be seen
// and hit.
inline constexpr int kPointMarkerSize = 3;
inline constexpr int kSelectedPointMarkerSize = 5;

// Recolours one marker; a negative index recolours all as unselected, an index at or
// beyond the marker count does nothing.
void MarkPoint(rm::MeshBuilder& markers, int32_t index, bool selected, uint32_t pointColor);

}  // namespace viewport
