#include "platform/xfile/x_engine.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "platform/xfile/x_reader.h"
#include "platform/xfile/x_writer.h"

namespace xfile {

namespace {

// Texture handles by file name, so each name is asked for once per file.
class TextureCache {
public:
    explicit TextureCache(const TextureCallback& callback) : callback_(callback) {}
    void Note(const std::string& name) {
        if (name.empty() || cache_.count(name)) return;
        rm::TexturePtr texture = callback_ ? callback_(name) : rm::TexturePtr{};
        if (texture && texture->Name().empty()) texture->SetName(name);
        cache_[name] = texture;
    }
    rm::TexturePtr Get(const std::string& name) const {
        auto it = cache_.find(name);
        return it == cache_.end() ? rm::TexturePtr{} : it->second;
    }

private:
    const TextureCallback& callback_;
    std::map<std::string, rm::TexturePtr> cache_;
};

uint32_t Channel(float v) {
    return static_cast<uint32_t>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f);
}

uint32_t Argb(const XMaterial& m) {
    return Channel(m.a) << 24 | Channel(m.r) << 16 | Channel(m.g) << 8 | Channel(m.b);
}

bool AddMesh(const XMesh& x, rm::MeshBuilder& mesh, const TextureCache& textures) {
    if (x.faceCount == 0) return true;
    std::vector<rm::Vector3> vertices(x.vertices.size());
    for (size_t i = 0; i < vertices.size(); ++i)
        vertices[i] = {x.vertices[i].x, x.vertices[i].y, x.vertices[i].z};
    std::vector<rm::Vector3> normals;
    std::vector<uint32_t> faceData;
    const bool withNormals = !x.normals.empty() && x.faceNormalData.size() == x.faceData.size();
    if (withNormals) {
        normals.resize(x.normals.size());
        for (size_t i = 0; i < normals.size(); ++i)
            normals[i] = {x.normals[i].x, x.normals[i].y, x.normals[i].z};
        faceData.reserve(x.faceData.size() * 2 + 1);
        for (size_t p = 0; p < x.faceData.size();) {
            const uint32_t count = x.faceData[p];
            faceData.push_back(count);
            for (uint32_t j = 1; j <= count; ++j) {
                faceData.push_back(x.faceData[p + j]);
                faceData.push_back(x.faceNormalData[p + j]);
            }
            p += count + 1;
        }
    } else {
        faceData.reserve(x.faceData.size() + 1);
        faceData.assign(x.faceData.begin(), x.faceData.end());
    }
    faceData.push_back(0);
    const size_t firstFace = mesh.FaceCount(), firstVertex = mesh.VertexCount();
    if (!mesh.AddFaces(vertices, normals, faceData)) return false;

    // One engine material per entry of the file's list, shared by its faces.
    std::vector<rm::MaterialPtr> materials(x.materials.size());
    for (size_t i = 0; i < materials.size(); ++i) {
        const XMaterial& m = x.materials[i];
        materials[i] = rm::Material::Create(m.power);
        if (!materials[i]) continue;
        materials[i]->SetSpecular(m.specular[0], m.specular[1], m.specular[2]);
        materials[i]->SetEmissive(m.emissive[0], m.emissive[1], m.emissive[2]);
    }
    if (!x.faceMaterials.empty()) {
        for (size_t f = 0; f < x.faceCount && f < x.faceMaterials.size(); ++f) {
            const uint32_t index = x.faceMaterials[f];
            if (index >= x.materials.size()) continue;
            const XMaterial& m = x.materials[index];
            mesh.SetFaceColor(firstFace + f, Argb(m));
            if (materials[index]) mesh.SetFaceMaterial(firstFace + f, materials[index]);
            if (rm::TexturePtr t = textures.Get(m.textureFile))
                mesh.SetFaceTexture(firstFace + f, t);
        }
    }
    for (size_t v = 0; v < x.textureCoords.size() && v < x.vertices.size(); ++v)
        mesh.SetTextureCoordinates(firstVertex + v, x.textureCoords[v].u, x.textureCoords[v].v);
    return true;
}

rm::Matrix4 ToMatrix(const XMatrix& x) {
    rm::Matrix4 m;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) m.m[r][c] = x.m[r * 4 + c];
    return m;
}

bool AddFrameTree(const XFrame& x, const rm::FramePtr& frame, const TextureCache& textures) {
    frame->AddTransform(rm::Combine::kReplace, ToMatrix(x.transform));
    for (const XMesh& xm : x.meshes) {
        rm::MeshBuilderPtr mesh = rm::MeshBuilder::Create();
        if (!mesh || !AddMesh(xm, *mesh, textures)) return false;
        frame->AddVisual(mesh);
    }
    for (const XFrame& child : x.children) {
        rm::FramePtr c = rm::Frame::Create(frame);
        if (!c || !AddFrameTree(child, c, textures)) return false;
    }
    return true;
}

std::optional<XFile> Read(const std::string& path, TextureCache& cache) {
    XReadOptions options;
    options.onTexture = [&](const std::string& name) { cache.Note(name); };
    XReadResult result = ReadXFile(path, options);
    return std::move(result.file);
}

}  // namespace

bool LoadMeshBuilder(const std::string& path, rm::MeshBuilder& mesh,
                     const TextureCallback& callback) {
    TextureCache cache(callback);
    std::optional<XFile> file = Read(path, cache);
    if (!file) return false;
    const XMesh* first = FirstTopLevelMesh(*file);
    return first && AddMesh(*first, mesh, cache);
}

rm::FramePtr LoadFrame(const std::string& path, const rm::FramePtr& parent,
                       const TextureCallback& callback) {
    TextureCache cache(callback);
    std::optional<XFile> file = Read(path, cache);
    if (!file || (file->meshes.empty() && file->frames.empty())) return {};
    rm::FramePtr top = rm::Frame::Create(parent);
    if (!top) return {};
    bool ok = true;
    for (const XMesh& xm : file->meshes) {
        rm::MeshBuilderPtr mesh = rm::MeshBuilder::Create();
        ok = ok && mesh && AddMesh(xm, *mesh, cache) && top->AddVisual(mesh);
    }
    for (const XFrame& xf : file->frames) {
        rm::FramePtr child = rm::Frame::Create(top);
        ok = ok && child && AddFrameTree(xf, child, cache);
    }
    if (!ok) {
        if (parent) parent->RemoveChild(top);
        return {};
    }
    return top;
}

bool SaveMeshBuilder(const rm::MeshBuilder& mesh, const std::string& path, bool binary,
                     uint32_t flags, const std::vector<bool>& keepFaces, std::string* error) {
    XMesh x;
    x.vertices.reserve(mesh.VertexCount());
    for (const rm::Vector3& v : mesh.Vertices()) x.vertices.push_back({v.x, v.y, v.z});
    std::vector<rm::MeshBuilder::Face> faces;
    faces.reserve(mesh.Faces().size());
    for (size_t i = 0; i < mesh.Faces().size(); ++i)
        if (keepFaces.empty() || (i < keepFaces.size() && keepFaces[i]))
            faces.push_back(mesh.Faces()[i]);
    const auto& corners = mesh.Corners();
    const bool withNormals = !mesh.Normals().empty();
    x.faceCount = static_cast<uint32_t>(faces.size());
    x.faceData.reserve(faces.size() + corners.size());
    bool textured = false;
    // Faces of equal colour, material and texture share one entry of the material list.
    std::map<std::tuple<uint32_t, const rm::Material*, const rm::Texture*>, uint32_t> entries;
    x.faceMaterials.reserve(faces.size());
    for (const rm::MeshBuilder::Face& f : faces) {
        x.faceData.push_back(f.count);
        for (uint32_t j = 0; j < f.count; ++j) x.faceData.push_back(corners[f.first + j].vertex);
        const rm::Material* material = mesh.MaterialOf(f);
        const rm::Texture* texture = mesh.TextureOf(f);
        const auto key = std::make_tuple(f.color, material, texture);
        auto [it, added] = entries.emplace(key, static_cast<uint32_t>(x.materials.size()));
        if (added) {
            XMaterial m;
            m.a = ((f.color >> 24) & 0xFF) / 255.0f;
            m.r = ((f.color >> 16) & 0xFF) / 255.0f;
            m.g = ((f.color >> 8) & 0xFF) / 255.0f;
            m.b = (f.color & 0xFF) / 255.0f;
            if (material) {
                m.power = material->Power();
                const rm::ColorF s = material->Specular(), e = material->Emissive();
                m.specular[0] = s.r, m.specular[1] = s.g, m.specular[2] = s.b;
                m.emissive[0] = e.r, m.emissive[1] = e.g, m.emissive[2] = e.b;
            }
            if (texture) m.textureFile = texture->Name();
            x.materials.push_back(m);
        }
        textured = textured || texture;
        x.faceMaterials.push_back(it->second);
    }
    if (withNormals) {
        for (const rm::Vector3& n : mesh.Normals()) x.normals.push_back({n.x, n.y, n.z});
        x.faceNormalData.reserve(x.faceData.size());
        for (const rm::MeshBuilder::Face& f : faces) {
            x.faceNormalData.push_back(f.count);
            for (uint32_t j = 0; j < f.count; ++j) {
                const uint32_t n = corners[f.first + j].normal;
                x.faceNormalData.push_back(n == rm::MeshBuilder::kNoNormal ? 0 : n);
            }
        }
        if (x.normals.empty()) x.faceNormalData.clear();
    }
    const auto& uv = mesh.TexCoords();
    if (textured || std::any_of(uv.begin(), uv.end(),
                                [](const rm::TexCoord& t) { return t.u != 0 || t.v != 0; })) {
        for (size_t v = 0; v < mesh.VertexCount(); ++v)
            x.textureCoords.push_back(v < uv.size() ? XCoords2d{uv[v].u, uv[v].v} : XCoords2d{});
    }
    return WriteXFile(path, x, binary ? XFormat::kBinary : XFormat::kText, flags, error);
}

}  // namespace xfile
