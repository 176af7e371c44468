// Reading DirectX .x files ("xof 0302"/"0303"; txt, bin, tzip, bzip; 32- or 64-bit floats)
// into plain records. The standard templates are understood; template declarations and any
// other object are skipped whole. A damaged or hostile file fails with a reason and never
// makes the reader allocate far beyond the size of its (inflated) data: counts are checked
// against the bytes left before anything is reserved, and references to meshes and
// materials may copy at most about twice the data's size in all.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/xfile/x_data.h"

namespace xfile {

struct XReadOptions {
    // Called for each TextureFilename in file order, as the engine's loader asks its texture
    // callback; the result does not stop the read.
    std::function<void(const std::string& textureFile)> onTexture;
};

struct XReadResult {
    std::optional<XFile> file;
    std::string error;  // empty on success; otherwise what went wrong and where
    explicit operator bool() const { return file.has_value(); }
};

// Frames nested deeper than this are refused rather than risk the stack.
constexpr int kMaxFrameDepth = 256;

XReadResult ReadXFile(const std::string& path, const XReadOptions& options = {});
XReadResult ReadXData(std::string_view bytes, const XReadOptions& options = {});

// The first mesh at the top level of the file, or nullptr when there is none there (meshes
// inside frames do not count): the mesh builder's own load.
const XMesh* FirstTopLevelMesh(const XFile& file);

// Every mesh of the file in one: the top-level meshes, then each frame's meshes in
// depth-first order, positions and normals carried through the frames' transforms. The
// frame load followed by adding the frame's meshes to one builder.
XMesh MergeHierarchy(const XFile& file);

}  // namespace xfile
