// X files into and out of the engine: a mesh builder loaded from the first mesh of a file,
// a frame tree loaded from its hierarchy, and a mesh builder saved as text or binary.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/rm/rm.h"

namespace xfile {

// Asked once for each texture file name the file names; an empty handle means the texture
// could not be had (the faces keep their colour).
using TextureCallback = std::function<rm::TexturePtr(const std::string& fileName)>;

// The first mesh at the top level of the file, added to `mesh`. False when the file cannot
// be read or has no mesh at its top level.
bool LoadMeshBuilder(const std::string& path, rm::MeshBuilder& mesh,
                     const TextureCallback& textures);

// The file's meshes and frames as a frame under `parent`, each frame with its transform and
// each mesh as a visual; empty when the file cannot be read or holds no mesh at all.
rm::FramePtr LoadFrame(const std::string& path, const rm::FramePtr& parent,
                       const TextureCallback& textures);

// Writes the mesh with the save flags (see XSaveFlags; 47 for everything). Only the faces
// whose entry in `keepFaces` is true are written (all of them when it is empty); every
// vertex is, so vertex numbers stay as they are. `error` gets "<path>: <reason>".
bool SaveMeshBuilder(const rm::MeshBuilder& mesh, const std::string& path, bool binary,
                     uint32_t flags, const std::vector<bool>& keepFaces = {},
                     std::string* error = nullptr);

}  // namespace xfile
