// glTF 2.0 (.gltf with its .bin, .glb) and Wavefront OBJ (.obj with its .mtl) into and out of
// the engine's mesh builders, for the engines and tools that take neither model nor X files.
//
// The model's space is left-handed with clockwise front faces; both formats are right-handed
// with counter-clockwise front faces. Negating z turns one space into the other; being a
// mirror, it also turns the sense of every face, so corners are written in reverse order
// (the first corner stays first) and read back the same way.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rm/rm.h"

namespace interchange {

inline rm::Vector3 ToRightHanded(rm::Vector3 v) {
    return {v.x, v.y, -v.z};
}
inline rm::Vector3 FromRightHanded(rm::Vector3 v) {
    return {v.x, v.y, -v.z};
}

// The URI (relative to the written file, '/' separated, UTF-8) by which a written file names
// the image a texture was loaded from; empty leaves the texture out.
using TextureUri = std::function<std::string(const rm::Texture&)>;

// Asked once for each image a read file names (the URI as written, percent-decoded); an
// empty handle leaves the faces with their colours.
using TextureCallback = std::function<rm::TexturePtr(const std::string& uri)>;

// A node's place in glTF's space: translation, rotation (x, y, z, w) and scale.
struct NodePlacement {
    std::array<double, 3> translation{0, 0, 0};
    std::array<double, 4> rotation{0, 0, 0, 1};
    std::array<double, 3> scale{1, 1, 1};
};

// A frame placed in the model's space by position, forward (z) and up (y), scaled along its
// own axes first (a negative factor mirrors), as a glTF node.
NodePlacement PlacementFromLeftHanded(rm::Vector3 position, rm::Vector3 direction, rm::Vector3 up,
                                      std::array<float, 3> scale);

// A KHR_lights_punctual light; cone angles are glTF's (centre to edge, radians).
struct PunctualLight {
    enum Kind { kDirectional, kPoint, kSpot } kind = kPoint;
    std::string name;  // UTF-8
    float r = 1, g = 1, b = 1;
    float range = 0;  // 0: unlimited
    float innerCone = 0, outerCone = 0.7853982f;
};

// Collects meshes, nodes and lights, then writes one glTF file.
class GltfWriter {
public:
    GltfWriter();
    ~GltfWriter();
    GltfWriter(const GltfWriter&) = delete;
    GltfWriter& operator=(const GltfWriter&) = delete;

    // The mesh's faces (only those marked in `keepFaces`; all when it is empty) as one glTF
    // mesh: every vertex in its order, faces as fans in face order, one material per
    // distinct colour, material and texture. Returns the mesh's index, -1 when no face is
    // kept or the mesh is too large for the format.
    int AddMesh(const rm::MeshBuilder& mesh, const std::vector<bool>& keepFaces,
                const TextureUri& textureUri, const std::string& name);
    // A node at the top of the scene showing `mesh` (-1 for none).
    void AddNode(const std::string& name, int mesh, const NodePlacement& placement);
    void AddLight(const PunctualLight& light, const NodePlacement& placement);

    // `binary` writes a .glb; otherwise a .gltf whose buffer is "<stem>.bin" beside it
    // (written first). Every file is replaced atomically; `error` gets "<path>: <reason>".
    bool Write(const std::string& path, bool binary, std::string* error = nullptr);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// One mesh as one node: what a model exports.
bool SaveGltfMesh(const rm::MeshBuilder& mesh, const std::string& path, bool binary,
                  const std::vector<bool>& keepFaces, const TextureUri& textureUri,
                  std::string* error = nullptr);

// The meshes of the file's scene, placed by their nodes, appended to `mesh`: vertices in
// accessor order, triangles in primitive order; each glTF material becomes one engine
// material (faces of a primitive without one get white and none). Hostile files fail
// without crashing: every index, count and byte range is checked, and the totals are capped.
bool LoadGltfMesh(const std::string& path, rm::MeshBuilder& mesh, const TextureCallback& textures,
                  std::string* error = nullptr);

// Writes "<stem>.obj"-style text to `path` and its materials to "<stem>.mtl" beside it:
// every vertex, polygons as they are (fans only past 255 corners, which readers cannot
// hold), texture coordinates per vertex with v measured from the bottom.
bool SaveObjMesh(const rm::MeshBuilder& mesh, const std::string& path,
                 const std::vector<bool>& keepFaces, const TextureUri& textureUri,
                 std::string* error = nullptr);

// Appends the file's polygons (kept as polygons) to `mesh`: vertex i is the file's position i
// (a position used with two texture coordinates gets a copy), faces in file order, one
// engine material per material of the .mtl.
bool LoadObjMesh(const std::string& path, rm::MeshBuilder& mesh, const TextureCallback& textures,
                 std::string* error = nullptr);

// Totals a read may reach; beyond them the file is refused rather than held in memory.
inline constexpr size_t kMaxReadVertices = size_t{1} << 24;
inline constexpr size_t kMaxReadFaces = size_t{1} << 25;

}  // namespace interchange
