// Writing one mesh as a DirectX .x file, text or binary (or their compressed forms), with the
// save flags of the engine's mesh builder save.
#pragma once

#include <cstdint>
#include <string>

#include "platform/xfile/x_data.h"

namespace xfile {

enum XSaveFlags : uint32_t {
    kSaveNormals = 1,
    kSaveTextureCoords = 2,
    kSaveMaterials = 4,
    kSaveTextureNames = 8,
    kSaveTextureTopology = 32,  // MeshFaceWraps
    kSaveAll = 47,
};

// The file's bytes. Equal materials are written once (faces may each bring their own copy);
// with kSaveNormals and no normals in the mesh, vertex normals are made from the faces.
// Returns false, with a reason, for a mesh whose indices or per-face lists do not fit.
bool EncodeXMesh(const XMesh& mesh, XFormat format, uint32_t flags, std::string& out,
                 std::string* error = nullptr);

// Replaces `path` atomically, so a failed save leaves any earlier file as it was; `error`
// then names the path and the reason.
bool WriteXFile(const std::string& path, const XMesh& mesh, XFormat format, uint32_t flags,
                std::string* error = nullptr);

}  // namespace xfile
