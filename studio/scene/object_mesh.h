// Object meshes: a model file through the modeller's model-mesh builder, an X file through
// the X loader; mirroring and the display modes of the object dialog.
#pragma once

#include <string>
#include <vector>

#include "platform/rm/rm.h"
#include "studio/scene/scene_types.h"

namespace studio {

// Whether `nativePath` names a file that can be opened for reading.
bool ModelFileExists(const std::string& nativePath);

// A new mesh from the model file ("mkl"), X file ("x"), glTF ("gltf", "glb") or OBJ file
// ("obj") at `nativePath`; empty when the file cannot be read or the extension is none of
// these. The reader's messages (a damaged model file,
// a texture that would not load) are added to `messages` when given.
rm::MeshBuilderPtr LoadObjectMesh(const std::string& nativePath,
                                  std::vector<std::string>* messages = nullptr);

// A copy with its own geometry and settings (textures and materials stay shared).
rm::MeshBuilderPtr CopyMesh(const rm::MeshBuilder& mesh);

// Mirrors the mesh on each flagged axis about its own origin; faces keep facing out.
void FlipMesh(rm::MeshBuilder& mesh, bool x, bool y, bool z);

// The render quality of a display mode; -1 for the modes that leave it as it is.
int QualityForObjectDisplay(int32_t mode);

// `SetObjectDisplay`: the mesh's quality by the mode, and the frame rendered and picked, or
// (mode 5 and any other) picked only.
void SetObjectDisplay(rm::MeshBuilder* mesh, rm::Frame* frame, int32_t mode);

// The yellow wireframe marker of a point light (a small ball) or a spot light (a small
// pyramid opening along +z), so that the light can be seen and picked; empty for the others.
rm::MeshBuilderPtr CreateLightGizmo(uint8_t kind);

}  // namespace studio
