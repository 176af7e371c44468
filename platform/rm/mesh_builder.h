// Mesh builders: vertices, normals and polygon faces with per-face colour, material and
// texture, per-vertex texture coordinates and a render quality.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <unordered_map>
#include <vector>

#include "platform/rm/material.h"
#include "platform/rm/matrix.h"
#include "platform/rm/texture.h"
#include "platform/rm/vector.h"
#include "platform/rm/visual.h"

namespace rm {

class Frame;
class MeshBuilder;
using MeshBuilderPtr = std::shared_ptr<MeshBuilder>;

// Render quality: shade mode (bits 0-2), lighting (bit 3), fill mode (bits 6-7).
constexpr int kShadeMask = 0x07, kShadeFlat = 0x00, kShadeGouraud = 0x01;
constexpr int kLightMask = 0x08, kLightOn = 0x08;
constexpr int kFillMask = 0xC0, kFillPoints = 0x00, kFillWireframe = 0x40, kFillSolid = 0x80;
constexpr int kQualityPoints = 0;
constexpr int kQualityWireframe = kFillWireframe;
constexpr int kQualityUnlitFlat = kFillSolid;
constexpr int kQualityFlat = kFillSolid | kLightOn;
constexpr int kQualityGouraud = kFillSolid | kLightOn | kShadeGouraud;

// Points draw as squares of at most this many pixels a side.
constexpr int kMaxPointSize = 15;

enum class ColorSource : int { kFace = 0, kVertex = 1 };

// GenerateNormals flags.
constexpr uint32_t kGenerateNormalsPrecompact = 1;
constexpr uint32_t kGenerateNormalsUseCreaseAngle = 2;

struct TexCoord {
    float u = 0.0f, v = 0.0f;
};

// The whole geometry, as AddFaces takes it with normals: per face its count, then that many
// (vertex, normal) index pairs; the list ends with 0. Texture coordinates are per vertex.
struct MeshGeometry {
    std::vector<Vector3> vertices;
    std::vector<Vector3> normals;
    std::vector<uint32_t> faceData;
    std::vector<TexCoord> texCoords;
};

namespace detail {
// What the renderer and the picker need, derived from the faces when the geometry changes.
struct MeshCache {
    struct Tri {
        uint32_t corner[3];
        uint32_t face;
    };
    std::vector<uint32_t> cornerVertex;    // per distinct (vertex, normal, material) corner
    std::vector<Vector3> cornerNormal;     // unit; the face normal where the corner has none
    std::vector<uint32_t> cornerMaterial;  // the mesh's material slot of the corner's face
    std::vector<Tri> tris;                 // faces as fans, in face order
    std::vector<Vector3> faceNormal;       // unit front normals (zero when degenerate)
    Vector3 boxMin, boxMax;
    bool empty = true;
    bool withCorners = false;  // corners and triangles built; else only the per-face part
};
}  // namespace detail

class MeshBuilder : public Visual {
public:
    static constexpr uint32_t kNoNormal = 0xFFFFFFFF;

    static MeshBuilderPtr Create();

    // Removes all vertices, normals and faces; quality and other settings stay. The room
    // stays too, for the next build of a similar size.
    bool Empty();
    // Hands back the room that the geometry does not use.
    void ShrinkToFit();
    // `faceData`: per face a count (3 or more) then that many vertex indices, or (vertex,
    // normal) index pairs when `normals` is not empty; ends with 0. Indices refer to the
    // vertices and normals of this call. Nothing is added when any entry is invalid.
    bool AddFaces(std::span<const Vector3> vertices, std::span<const Vector3> normals,
                  std::span<const uint32_t> faceData);
    // The meshes of `frame` and its subtree, placed by their transforms relative to it.
    bool AddFrame(const Frame& frame);

    size_t VertexCount() const { return vertices_.size(); }
    size_t NormalCount() const { return normals_.size(); }
    size_t FaceCount() const { return faces_.size(); }

    bool GetVertex(size_t vertex, Vector3& out) const;
    bool SetVertex(size_t vertex, Vector3 position);
    bool GetTextureCoordinates(size_t vertex, float& u, float& v) const;
    bool SetTextureCoordinates(size_t vertex, float u, float v);

    // Face queries; -1 or false for an index out of range.
    int FaceVertexCount(size_t face) const;
    int FaceVertexIndex(size_t face, size_t j) const;
    bool GetFaceVertex(size_t face, size_t j, Vector3& out) const;
    bool GetFaceNormal(size_t face, size_t j, Vector3& out) const;  // zero when it has none
    bool GetFaceFrontNormal(size_t face, Vector3& out) const;
    uint32_t FaceColor(size_t face) const;  // 0 when out of range
    MaterialPtr FaceMaterial(size_t face) const;
    TexturePtr FaceTexture(size_t face) const;

    bool SetFaceColor(size_t face, uint32_t argb);
    bool SetFaceColorRgb(size_t face, float r, float g, float b);
    bool SetFaceMaterial(size_t face, const MaterialPtr& material);
    bool SetFaceTexture(size_t face, const TexturePtr& texture);
    // The side in pixels of the square a point of this face draws as, when the mesh
    // renders as points; 1 to kMaxPointSize.
    bool SetFacePointSize(size_t face, int pixels);
    int FacePointSize(size_t face) const;  // 0 when out of range

    // For every face, and for faces added later.
    bool SetColor(uint32_t argb);
    bool SetColorRgb(float r, float g, float b);
    bool SetMaterial(const MaterialPtr& material);
    bool SetTexture(const TexturePtr& texture);
    bool SetPointSize(int pixels);

    // Replaces all normals. Without kGenerateNormalsUseCreaseAngle every vertex is smooth;
    // with it, faces meeting at more than `crease` radians keep separate normals.
    bool GenerateNormals(float crease, uint32_t flags);

    bool SetQuality(int quality);
    int Quality() const { return quality_; }
    bool SetColorSource(ColorSource source);
    ColorSource GetColorSource() const { return colorSource_; }
    bool SetPerspective(bool on) {
        perspective_ = on;
        return true;
    }
    bool Perspective() const { return perspective_; }

    bool GetGeometry(MeshGeometry& out) const;
    // Bounding box of the vertices; false for an empty mesh.
    bool GetBox(Vector3& min, Vector3& max) const;

    // --- for the renderer and the picker
    struct Corner {
        uint32_t vertex, normal;
    };
    // Material and texture are slots in the mesh's own tables (0: none): a face of two
    // shared pointers would be three times as large, and meshes hold millions of faces.
    struct Face {
        uint32_t first, count;  // into corners
        uint32_t color;
        uint32_t material = 0, texture = 0;  // slots in the mesh's tables; 0 is none
        uint32_t pointSize;
    };
    const Material* MaterialOf(const Face& f) const { return materials_[f.material].get(); }
    const Texture* TextureOf(const Face& f) const { return textures_[f.texture].get(); }
    const Material* MaterialInSlot(uint32_t slot) const { return materials_[slot].get(); }
    Vector3 FaceCentre(const Face& f) const;
    const std::vector<Vector3>& Vertices() const { return vertices_; }
    const std::vector<Vector3>& Normals() const { return normals_; }
    const std::vector<TexCoord>& TexCoords() const { return texCoords_; }
    const std::vector<Face>& Faces() const { return faces_; }
    const std::vector<Corner>& Corners() const { return corners_; }
    // Built on first use after a change. Points and wireframes draw from the per-face part
    // alone, which spares the corner tables on meshes of millions of markers.
    const detail::MeshCache& Cache(bool withCorners = true) const;

private:
    bool AppendMesh(const MeshBuilder& other, const Matrix4& m);
    uint32_t MaterialSlot(const MaterialPtr& material);
    uint32_t TextureSlot(const TexturePtr& texture);
    void Invalidate() { cacheValid_ = false; }
    Vector3 NewellNormal(const Face& f) const;

    std::vector<Vector3> vertices_;
    std::vector<Vector3> normals_;
    std::vector<TexCoord> texCoords_;
    std::vector<Corner> corners_;
    std::vector<Face> faces_;
    std::vector<MaterialPtr> materials_{nullptr};
    std::vector<TexturePtr> textures_{nullptr};
    std::unordered_map<const Material*, uint32_t> materialSlots_;
    std::unordered_map<const Texture*, uint32_t> textureSlots_;
    uint32_t defaultColor_ = 0xFFFFFFFF;
    uint32_t defaultPointSize_ = 1;
    int quality_ = kQualityGouraud;
    ColorSource colorSource_ = ColorSource::kFace;
    bool perspective_ = false;

    mutable detail::MeshCache cache_;
    mutable bool cacheValid_ = false;
};

inline MeshBuilderPtr CreateMeshBuilder() {
    return MeshBuilder::Create();
}

}  // namespace rm
