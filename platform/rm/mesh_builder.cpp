#include "platform/rm/mesh_builder.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/rm/error.h"
#include "platform/rm/frame.h"

namespace rm {
namespace {

constexpr const char* kOutOfMemory = "out of memory";

bool Finite(Vector3 v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

}  // namespace

MeshBuilderPtr MeshBuilder::Create() {
    try {
        return std::make_shared<MeshBuilder>();
    } catch (...) {
        detail::Fail("out of memory creating a mesh builder");
        return {};
    }
}

bool MeshBuilder::Empty() {
    vertices_.clear();
    normals_.clear();
    texCoords_.clear();
    corners_.clear();
    faces_.clear();
    materials_.resize(1);
    textures_.resize(1);
    materialSlots_.clear();
    textureSlots_.clear();
    Invalidate();
    return true;
}

void MeshBuilder::ShrinkToFit() {
    vertices_.shrink_to_fit();
    normals_.shrink_to_fit();
    texCoords_.shrink_to_fit();
    corners_.shrink_to_fit();
    faces_.shrink_to_fit();
}

uint32_t MeshBuilder::MaterialSlot(const MaterialPtr& material) {
    if (!material) return 0;
    auto [it, added] =
        materialSlots_.emplace(material.get(), static_cast<uint32_t>(materials_.size()));
    if (added) materials_.push_back(material);
    return it->second;
}

uint32_t MeshBuilder::TextureSlot(const TexturePtr& texture) {
    if (!texture) return 0;
    auto [it, added] =
        textureSlots_.emplace(texture.get(), static_cast<uint32_t>(textures_.size()));
    if (added) textures_.push_back(texture);
    return it->second;
}

bool MeshBuilder::AddFaces(std::span<const Vector3> vertices, std::span<const Vector3> normals,
                           std::span<const uint32_t> faceData) {
    const bool withNormals = !normals.empty();
    const size_t stride = withNormals ? 2 : 1;
    // Validate everything first so that a bad list adds nothing.
    size_t faceCount = 0, cornerCount = 0, i = 0;
    while (i < faceData.size() && faceData[i] != 0) {
        size_t count = faceData[i++];
        if (count < 3) return detail::Fail("a face needs three or more vertices");
        if (count > (faceData.size() - i) / stride)
            return detail::Fail("face data ends inside a face");
        for (size_t j = 0; j < count; ++j, i += stride) {
            if (faceData[i] >= vertices.size()) return detail::Fail("vertex index out of range");
            if (withNormals && faceData[i + 1] >= normals.size())
                return detail::Fail("normal index out of range");
        }
        ++faceCount;
        cornerCount += count;
    }
    for (const Vector3& v : vertices)
        if (!Finite(v)) return detail::Fail("vertex coordinates must be finite");
    try {
        vertices_.reserve(vertices_.size() + vertices.size());
        normals_.reserve(normals_.size() + normals.size());
        texCoords_.reserve(texCoords_.size() + vertices.size());
        corners_.reserve(corners_.size() + cornerCount);
        faces_.reserve(faces_.size() + faceCount);
    } catch (...) {
        return detail::Fail(kOutOfMemory);
    }
    const uint32_t vBase = static_cast<uint32_t>(vertices_.size());
    const uint32_t nBase = static_cast<uint32_t>(normals_.size());
    vertices_.insert(vertices_.end(), vertices.begin(), vertices.end());
    for (const Vector3& n : normals) normals_.push_back(Finite(n) ? n : Vector3{});
    texCoords_.resize(vertices_.size());
    i = 0;
    while (i < faceData.size() && faceData[i] != 0) {
        uint32_t count = faceData[i++];
        faces_.push_back({static_cast<uint32_t>(corners_.size()), count, defaultColor_, 0, 0,
                          defaultPointSize_});
        for (uint32_t j = 0; j < count; ++j, i += stride)
            corners_.push_back(
                {vBase + faceData[i], withNormals ? nBase + faceData[i + 1] : kNoNormal});
    }
    Invalidate();
    return true;
}

bool MeshBuilder::AppendMesh(const MeshBuilder& other, const Matrix4& m) {
    const uint32_t vBase = static_cast<uint32_t>(vertices_.size());
    const uint32_t nBase = static_cast<uint32_t>(normals_.size());
    Matrix4 nm = m.NormalMatrix();
    try {
        for (const Vector3& v : other.vertices_) vertices_.push_back(m.TransformPoint(v));
        for (const Vector3& n : other.normals_)
            normals_.push_back(Normalize(nm.TransformDirection(n)));
        texCoords_.insert(texCoords_.end(), other.texCoords_.begin(), other.texCoords_.end());
        const uint32_t cBase = static_cast<uint32_t>(corners_.size());
        for (const Corner& c : other.corners_)
            corners_.push_back(
                {vBase + c.vertex, c.normal == kNoNormal ? kNoNormal : nBase + c.normal});
        for (Face f : other.faces_) {
            f.first += cBase;
            f.material = MaterialSlot(other.materials_[f.material]);
            f.texture = TextureSlot(other.textures_[f.texture]);
            faces_.push_back(f);
        }
    } catch (...) {
        return detail::Fail(kOutOfMemory);
    }
    Invalidate();
    return true;
}

bool MeshBuilder::AddFrame(const Frame& frame) {
    // Meshes below `frame` are placed relative to it: their world transform times the inverse
    // of the frame's own.
    Matrix4 toFrame = frame.WorldTransform().InverseAffine();
    bool ok = true;
    auto visit = [&](auto&& self, const Frame& f) -> void {
        Matrix4 m = f.WorldTransform() * toFrame;
        for (const VisualPtr& v : f.Visuals())
            if (auto* mesh = dynamic_cast<const MeshBuilder*>(v.get()); mesh && mesh != this)
                ok = AppendMesh(*mesh, m) && ok;
        for (const FramePtr& c : f.Children()) self(self, *c);
    };
    visit(visit, frame);
    return ok;
}

bool MeshBuilder::GetVertex(size_t vertex, Vector3& out) const {
    if (vertex >= vertices_.size()) return detail::Fail("vertex index out of range");
    out = vertices_[vertex];
    return true;
}

bool MeshBuilder::SetVertex(size_t vertex, Vector3 position) {
    if (vertex >= vertices_.size()) return detail::Fail("vertex index out of range");
    if (!Finite(position)) return detail::Fail("vertex coordinates must be finite");
    vertices_[vertex] = position;
    Invalidate();
    return true;
}

bool MeshBuilder::GetTextureCoordinates(size_t vertex, float& u, float& v) const {
    if (vertex >= texCoords_.size()) return detail::Fail("vertex index out of range");
    u = texCoords_[vertex].u;
    v = texCoords_[vertex].v;
    return true;
}

bool MeshBuilder::SetTextureCoordinates(size_t vertex, float u, float v) {
    if (vertex >= texCoords_.size()) return detail::Fail("vertex index out of range");
    texCoords_[vertex] = {u, v};
    return true;
}

int MeshBuilder::FaceVertexCount(size_t face) const {
    return face < faces_.size() ? static_cast<int>(faces_[face].count) : -1;
}

int MeshBuilder::FaceVertexIndex(size_t face, size_t j) const {
    if (face >= faces_.size() || j >= faces_[face].count) return -1;
    return static_cast<int>(corners_[faces_[face].first + j].vertex);
}

bool MeshBuilder::GetFaceVertex(size_t face, size_t j, Vector3& out) const {
    int v = FaceVertexIndex(face, j);
    if (v < 0) return detail::Fail("face or corner index out of range");
    out = vertices_[v];
    return true;
}

bool MeshBuilder::GetFaceNormal(size_t face, size_t j, Vector3& out) const {
    if (face >= faces_.size() || j >= faces_[face].count)
        return detail::Fail("face or corner index out of range");
    uint32_t n = corners_[faces_[face].first + j].normal;
    out = n == kNoNormal ? Vector3{} : normals_[n];
    return true;
}

Vector3 MeshBuilder::NewellNormal(const Face& f) const {
    // Newell's method: robust for any planar-ish polygon. With clockwise fronts in a
    // left-handed space the front normal is (b - a) x (c - a) for a triangle a, b, c.
    Vector3 n{};
    for (uint32_t j = 0; j < f.count; ++j) {
        Vector3 a = vertices_[corners_[f.first + j].vertex];
        Vector3 b = vertices_[corners_[f.first + (j + 1) % f.count].vertex];
        n.x += (a.y - b.y) * (a.z + b.z);
        n.y += (a.z - b.z) * (a.x + b.x);
        n.z += (a.x - b.x) * (a.y + b.y);
    }
    return Normalize(n);
}

Vector3 MeshBuilder::FaceCentre(const Face& f) const {
    Vector3 centre{};
    for (uint32_t j = 0; j < f.count; ++j) centre += vertices_[corners_[f.first + j].vertex];
    return centre * (1.0f / static_cast<float>(f.count));
}

bool MeshBuilder::GetFaceFrontNormal(size_t face, Vector3& out) const {
    if (face >= faces_.size()) return detail::Fail("face index out of range");
    out = NewellNormal(faces_[face]);
    return true;
}

uint32_t MeshBuilder::FaceColor(size_t face) const {
    return face < faces_.size() ? faces_[face].color : 0;
}
MaterialPtr MeshBuilder::FaceMaterial(size_t face) const {
    return face < faces_.size() ? materials_[faces_[face].material] : MaterialPtr{};
}
TexturePtr MeshBuilder::FaceTexture(size_t face) const {
    return face < faces_.size() ? textures_[faces_[face].texture] : TexturePtr{};
}

bool MeshBuilder::SetFaceColor(size_t face, uint32_t argb) {
    if (face >= faces_.size()) return detail::Fail("face index out of range");
    faces_[face].color = argb;
    return true;
}
bool MeshBuilder::SetFaceColorRgb(size_t face, float r, float g, float b) {
    return SetFaceColor(face, ColorFromRgba(r, g, b));
}
bool MeshBuilder::SetFaceMaterial(size_t face, const MaterialPtr& material) {
    if (face >= faces_.size()) return detail::Fail("face index out of range");
    const uint32_t slot = MaterialSlot(material);
    if (faces_[face].material != slot) {
        faces_[face].material = slot;
        Invalidate();
    }
    return true;
}
bool MeshBuilder::SetFaceTexture(size_t face, const TexturePtr& texture) {
    if (face >= faces_.size()) return detail::Fail("face index out of range");
    faces_[face].texture = TextureSlot(texture);
    return true;
}

bool MeshBuilder::SetFacePointSize(size_t face, int pixels) {
    if (face >= faces_.size()) return detail::Fail("face index out of range");
    if (pixels < 1 || pixels > kMaxPointSize) return detail::Fail("point size out of range");
    faces_[face].pointSize = static_cast<uint32_t>(pixels);
    return true;
}
int MeshBuilder::FacePointSize(size_t face) const {
    return face < faces_.size() ? static_cast<int>(faces_[face].pointSize) : 0;
}

bool MeshBuilder::SetPointSize(int pixels) {
    if (pixels < 1 || pixels > kMaxPointSize) return detail::Fail("point size out of range");
    defaultPointSize_ = static_cast<uint32_t>(pixels);
    for (Face& f : faces_) f.pointSize = defaultPointSize_;
    return true;
}

bool MeshBuilder::SetColor(uint32_t argb) {
    defaultColor_ = argb;
    for (Face& f : faces_) f.color = argb;
    return true;
}
bool MeshBuilder::SetColorRgb(float r, float g, float b) {
    return SetColor(ColorFromRgba(r, g, b));
}
bool MeshBuilder::SetMaterial(const MaterialPtr& material) {
    const uint32_t slot = MaterialSlot(material);
    for (Face& f : faces_) f.material = slot;
    Invalidate();
    return true;
}
bool MeshBuilder::SetTexture(const TexturePtr& texture) {
    const uint32_t slot = TextureSlot(texture);
    for (Face& f : faces_) f.texture = slot;
    return true;
}

bool MeshBuilder::SetQuality(int quality) {
    if (quality & ~(kShadeMask | kLightMask | kFillMask) || (quality & kFillMask) == kFillMask)
        return detail::Fail("unknown render quality");
    quality_ = quality;
    return true;
}

bool MeshBuilder::SetColorSource(ColorSource source) {
    if (source != ColorSource::kFace && source != ColorSource::kVertex)
        return detail::Fail("unknown colour source");
    colorSource_ = source;
    return true;
}

bool MeshBuilder::GenerateNormals(float crease, uint32_t flags) {
    try {
        const size_t vc = vertices_.size();
        std::vector<Vector3> faceN(faces_.size());
        for (size_t f = 0; f < faces_.size(); ++f) faceN[f] = NewellNormal(faces_[f]);
        // Faces around each vertex (compressed rows), each face once per vertex.
        std::vector<uint32_t> start(vc + 1, 0), around;
        for (const Corner& c : corners_) ++start[c.vertex + 1];
        for (size_t v = 0; v < vc; ++v) start[v + 1] += start[v];
        around.assign(corners_.size(), 0xFFFFFFFF);
        std::vector<uint32_t> fill(start.begin(), start.end() - 1);
        for (uint32_t f = 0; f < faces_.size(); ++f)
            for (uint32_t j = 0; j < faces_[f].count; ++j) {
                uint32_t v = corners_[faces_[f].first + j].vertex;
                if (fill[v] > start[v] && around[fill[v] - 1] == f) continue;
                around[fill[v]++] = f;
            }
        const bool allSmooth =
            !(flags & kGenerateNormalsUseCreaseAngle) || !(crease < std::numbers::pi_v<float>);
        const float cosCrease = std::cos(crease);
        std::vector<Vector3> normals;
        std::vector<std::vector<uint32_t>> made;  // normals already made at a vertex (creases only)
        if (!allSmooth) made.resize(vc);
        std::vector<uint32_t> smoothIndex(allSmooth ? vc : 0, kNoNormal);
        for (uint32_t f = 0; f < faces_.size(); ++f) {
            for (uint32_t j = 0; j < faces_[f].count; ++j) {
                Corner& c = corners_[faces_[f].first + j];
                const uint32_t v = c.vertex;
                if (allSmooth && smoothIndex[v] != kNoNormal) {
                    c.normal = smoothIndex[v];
                    continue;
                }
                Vector3 sum{};
                for (uint32_t k = start[v]; k < fill[v]; ++k) {
                    Vector3 g = faceN[around[k]];
                    if (allSmooth || Dot(g, faceN[f]) >= cosCrease - 1e-6f) sum += g;
                }
                Vector3 n = Normalize(sum);
                if (Length(n) == 0.0f) n = faceN[f];
                if (allSmooth) {
                    smoothIndex[v] = c.normal = static_cast<uint32_t>(normals.size());
                    normals.push_back(n);
                    continue;
                }
                uint32_t found = kNoNormal;
                for (uint32_t idx : made[v])
                    if (Length(normals[idx] - n) < 1e-5f) found = idx;
                if (found == kNoNormal) {
                    found = static_cast<uint32_t>(normals.size());
                    normals.push_back(n);
                    made[v].push_back(found);
                }
                c.normal = found;
            }
        }
        normals_ = std::move(normals);
    } catch (...) {
        return detail::Fail(kOutOfMemory);
    }
    Invalidate();
    return true;
}

bool MeshBuilder::GetGeometry(MeshGeometry& out) const {
    try {
        out.vertices = vertices_;
        out.normals = normals_;
        out.texCoords = texCoords_;
        out.faceData.clear();
        out.faceData.reserve(faces_.size() + corners_.size() * 2 + 1);
        // Corners without a normal point at one shared zero normal, so the list is always pairs.
        uint32_t zero = kNoNormal;
        for (const Face& f : faces_) {
            out.faceData.push_back(f.count);
            for (uint32_t j = 0; j < f.count; ++j) {
                const Corner& c = corners_[f.first + j];
                uint32_t n = c.normal;
                if (n == kNoNormal) {
                    if (zero == kNoNormal) {
                        zero = static_cast<uint32_t>(out.normals.size());
                        out.normals.push_back({});
                    }
                    n = zero;
                }
                out.faceData.push_back(c.vertex);
                out.faceData.push_back(n);
            }
        }
        out.faceData.push_back(0);
    } catch (...) {
        return detail::Fail(kOutOfMemory);
    }
    return true;
}

bool MeshBuilder::GetBox(Vector3& min, Vector3& max) const {
    const detail::MeshCache& c = Cache(false);
    if (vertices_.empty()) return detail::Fail("empty mesh");
    min = c.boxMin;
    max = c.boxMax;
    return true;
}

const detail::MeshCache& MeshBuilder::Cache(bool withCorners) const {
    if (cacheValid_ && (cache_.withCorners || !withCorners)) return cache_;
    detail::MeshCache& c = cache_;
    c = {};
    c.withCorners = withCorners;
    c.faceNormal.resize(faces_.size());
    size_t triCount = 0;
    for (const Face& f : faces_) triCount += f.count - 2;
    if (withCorners) c.tris.reserve(triCount);
    if (withCorners) c.cornerVertex.reserve(vertices_.size());
    // A corner is shared between faces when vertex, normal and material agree; corners without
    // a normal take the face normal and are never shared.
    // Shareable corners hang in one short chain per vertex: far cheaper than a hash map on
    // meshes of millions of corners. A chain that grows long stops sharing, not correctness.
    constexpr uint32_t kNone = 0xFFFFFFFF;
    constexpr int kMaxChain = 64;
    std::vector<uint32_t> chainHead(withCorners ? vertices_.size() : 0, kNone);
    std::vector<uint32_t> chainNext, cornerNormalIndex;
    if (withCorners) chainNext.reserve(vertices_.size());
    if (withCorners) cornerNormalIndex.reserve(vertices_.size());
    std::vector<uint32_t> faceCorners;
    for (uint32_t fi = 0; fi < faces_.size(); ++fi) {
        const Face& f = faces_[fi];
        const Vector3 n = NewellNormal(f);
        c.faceNormal[fi] = n;
        if (!withCorners) continue;
        const uint32_t slot = f.material;
        faceCorners.clear();
        for (uint32_t j = 0; j < f.count; ++j) {
            const Corner& k = corners_[f.first + j];
            uint32_t idx;
            Vector3 cn = k.normal == kNoNormal ? n : normals_[k.normal];
            bool linked = false;
            if (k.normal != kNoNormal && Length(cn) > 0.0f) {
                uint32_t found = kNone;
                int walked = 0;
                for (uint32_t at = chainHead[k.vertex]; at != kNone && walked < kMaxChain;
                     at = chainNext[at], ++walked) {
                    if (cornerNormalIndex[at] == k.normal && c.cornerMaterial[at] == slot) {
                        found = at;
                        break;
                    }
                }
                if (found != kNone) {
                    faceCorners.push_back(found);
                    continue;
                }
                linked = walked < kMaxChain;
                idx = static_cast<uint32_t>(c.cornerVertex.size());
            } else {
                idx = static_cast<uint32_t>(c.cornerVertex.size());
                cn = n;
            }
            if (linked) {
                chainNext.push_back(chainHead[k.vertex]);
                chainHead[k.vertex] = idx;
            } else {
                chainNext.push_back(kNone);
            }
            cornerNormalIndex.push_back(k.normal);
            c.cornerVertex.push_back(k.vertex);
            c.cornerNormal.push_back(Normalize(cn));
            c.cornerMaterial.push_back(slot);
            faceCorners.push_back(idx);
        }
        for (uint32_t j = 1; j + 1 < f.count; ++j)
            c.tris.push_back({{faceCorners[0], faceCorners[j], faceCorners[j + 1]}, fi});
    }
    if (!vertices_.empty()) {
        c.boxMin = c.boxMax = vertices_[0];
        for (const Vector3& v : vertices_) {
            c.boxMin = {std::min(c.boxMin.x, v.x), std::min(c.boxMin.y, v.y),
                        std::min(c.boxMin.z, v.z)};
            c.boxMax = {std::max(c.boxMax.x, v.x), std::max(c.boxMax.y, v.y),
                        std::max(c.boxMax.z, v.z)};
        }
    }
    c.empty = c.tris.empty();
    cacheValid_ = true;
    return c;
}

}  // namespace rm
