// Reading glTF through tinygltf. tinygltf parses the JSON and fetches the buffers; every
// accessor, view and index is then checked here before a byte is read, since the library
// takes the file's word for them.
#include <tiny_gltf.h>

#include <cmath>
#include <cstring>
#include <map>
#include <optional>

#include "platform/interchange/face_looks.h"
#include "platform/interchange/file_bytes.h"
#include "platform/interchange/interchange.h"

namespace interchange {

namespace {

bool ReadLimited(std::vector<unsigned char>* out, std::string* err, const std::string& path,
                 void*) {
    return ReadRegularFile(path, kMaxFileBytes, *out, err);
}

// Paths are taken as written: no expansion of '~' or variables.
std::string AsWritten(const std::string& path, void*) {
    return path;
}

// Images are loaded by the caller from their URIs, with the program's own readers.
bool IgnoreImage(tinygltf::Image*, const int, std::string*, std::string*, int, int,
                 const unsigned char*, int, void*) {
    return true;
}

// The library's value parser recurses once per nesting level, so a deeply nested document
// would exhaust the stack; and it holds every value as a large object, so a document of
// millions of tiny values would take many times its size in memory. A glTF written for real
// keeps its bulk in buffers (or in data URIs, which are single strings) and comes nowhere
// near either limit.
constexpr int kMaxNesting = 200;
constexpr size_t kMaxJsonValues = size_t{1} << 22;

bool JsonWithinLimits(const unsigned char* text, size_t size) {
    int depth = 0;
    size_t values = 0;
    bool inString = false;
    for (size_t i = 0; i < size; ++i) {
        const unsigned char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxNesting) return false;
        } else if (c == ']' || c == '}') {
            --depth;
        } else if (c == ',' && ++values > kMaxJsonValues) {
            return false;
        }
    }
    return true;
}

size_t ComponentSize(int type) {
    switch (type) {
        case TINYGLTF_COMPONENT_TYPE_BYTE:
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
            return 1;
        case TINYGLTF_COMPONENT_TYPE_SHORT:
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT:
            return 2;
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT:
        case TINYGLTF_COMPONENT_TYPE_FLOAT:
            return 4;
        default:
            return 0;
    }
}

size_t Components(int type) {
    switch (type) {
        case TINYGLTF_TYPE_SCALAR:
            return 1;
        case TINYGLTF_TYPE_VEC2:
            return 2;
        case TINYGLTF_TYPE_VEC3:
            return 3;
        case TINYGLTF_TYPE_VEC4:
            return 4;
        default:
            return 0;
    }
}

struct Elements {
    const unsigned char* data = nullptr;
    size_t stride = 0;
    size_t count = 0;
    int componentType = 0;

    float Float(size_t i, size_t k) const {
        float v;
        std::memcpy(&v, data + i * stride + k * 4, 4);
        return v;
    }
    uint32_t Index(size_t i) const {
        const unsigned char* p = data + i * stride;
        if (componentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE) return *p;
        if (componentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT) {
            uint16_t v;
            std::memcpy(&v, p, 2);
            return v;
        }
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
};

// The accessor's elements when all of them lie inside its view and the view inside its
// buffer; nothing otherwise (sparse accessors are not taken).
std::optional<Elements> AccessorElements(const tinygltf::Model& m, int index, int type) {
    if (index < 0 || static_cast<size_t>(index) >= m.accessors.size()) return std::nullopt;
    const tinygltf::Accessor& a = m.accessors[static_cast<size_t>(index)];
    if (a.sparse.isSparse || a.type != type) return std::nullopt;
    const size_t element = ComponentSize(a.componentType) * Components(type);
    if (element == 0) return std::nullopt;
    if (a.bufferView < 0 || static_cast<size_t>(a.bufferView) >= m.bufferViews.size())
        return std::nullopt;
    const tinygltf::BufferView& v = m.bufferViews[static_cast<size_t>(a.bufferView)];
    if (v.buffer < 0 || static_cast<size_t>(v.buffer) >= m.buffers.size()) return std::nullopt;
    const std::vector<unsigned char>& bytes = m.buffers[static_cast<size_t>(v.buffer)].data;
    if (v.byteOffset > bytes.size() || v.byteLength > bytes.size() - v.byteOffset)
        return std::nullopt;
    const size_t stride = v.byteStride ? v.byteStride : element;
    if (stride < element || a.byteOffset > v.byteLength) return std::nullopt;
    const size_t room = v.byteLength - a.byteOffset;
    if (a.count > 0 && (room < element || a.count - 1 > (room - element) / stride))
        return std::nullopt;
    return Elements{bytes.data() + v.byteOffset + a.byteOffset, stride, a.count, a.componentType};
}

// Column-major 4x4, as glTF writes them.
struct Mat4 {
    double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    Mat4 operator*(const Mat4& o) const {
        Mat4 r;
        for (int c = 0; c < 4; ++c)
            for (int row = 0; row < 4; ++row) {
                double s = 0;
                for (int k = 0; k < 4; ++k) s += m[k * 4 + row] * o.m[c * 4 + k];
                r.m[c * 4 + row] = s;
            }
        return r;
    }
    rm::Vector3 Apply(double x, double y, double z) const {
        return {static_cast<float>(m[0] * x + m[4] * y + m[8] * z + m[12]),
                static_cast<float>(m[1] * x + m[5] * y + m[9] * z + m[13]),
                static_cast<float>(m[2] * x + m[6] * y + m[10] * z + m[14])};
    }
    double Determinant3() const {
        return m[0] * (m[5] * m[10] - m[9] * m[6]) - m[4] * (m[1] * m[10] - m[9] * m[2]) +
               m[8] * (m[1] * m[6] - m[5] * m[2]);
    }
};

Mat4 LocalTransform(const tinygltf::Node& node) {
    Mat4 r;
    if (node.matrix.size() == 16) {
        for (int i = 0; i < 16; ++i) r.m[i] = node.matrix[static_cast<size_t>(i)];
        return r;
    }
    Mat4 t, q, s;
    if (node.translation.size() == 3)
        for (int i = 0; i < 3; ++i) t.m[12 + i] = node.translation[static_cast<size_t>(i)];
    if (node.rotation.size() == 4) {
        double x = node.rotation[0], y = node.rotation[1], z = node.rotation[2],
               w = node.rotation[3];
        const double n = std::sqrt(x * x + y * y + z * z + w * w);
        if (n > 0 && std::isfinite(n)) {
            x /= n, y /= n, z /= n, w /= n;
            q.m[0] = 1 - 2 * (y * y + z * z);
            q.m[1] = 2 * (x * y + z * w);
            q.m[2] = 2 * (x * z - y * w);
            q.m[4] = 2 * (x * y - z * w);
            q.m[5] = 1 - 2 * (x * x + z * z);
            q.m[6] = 2 * (y * z + x * w);
            q.m[8] = 2 * (x * z + y * w);
            q.m[9] = 2 * (y * z - x * w);
            q.m[10] = 1 - 2 * (x * x + y * y);
        }
    }
    if (node.scale.size() == 3)
        for (int i = 0; i < 3; ++i) s.m[i * 5] = node.scale[static_cast<size_t>(i)];
    return t * q * s;
}

float Finite(double v, float otherwise = 0.0f) {
    return std::isfinite(v) ? static_cast<float>(v) : otherwise;
}

class Reader {
public:
    Reader(const tinygltf::Model& m, const TextureCallback& textures)
        : m_(m), textures_(textures) {}

    bool Node(int index, const Mat4& world, std::string& why);
    bool Mesh(int index, const Mat4& world, int node, std::string& why);
    bool Add(rm::MeshBuilder& mesh);

private:
    const ReadLook& LookOf(int material);
    rm::TexturePtr Image(int texture);

    const tinygltf::Model& m_;
    const TextureCallback& textures_;
    std::map<int, ReadLook> looks_;
    std::map<int, rm::TexturePtr> images_;
    std::map<std::pair<int, int>, uint32_t> bases_;  // (POSITION accessor, node) to first vertex
    std::vector<rm::Vector3> vertices_;
    std::vector<rm::TexCoord> uvs_;
    std::vector<bool> hasUv_;
    std::vector<uint32_t> faceData_;
    std::vector<const ReadLook*> faceLooks_;
    std::vector<bool> seenNodes_;
};

rm::TexturePtr Reader::Image(int texture) {
    if (texture < 0 || static_cast<size_t>(texture) >= m_.textures.size()) return {};
    const int source = m_.textures[static_cast<size_t>(texture)].source;
    if (source < 0 || static_cast<size_t>(source) >= m_.images.size()) return {};
    auto it = images_.find(source);
    if (it != images_.end()) return it->second;
    rm::TexturePtr t;
    const std::string& uri = m_.images[static_cast<size_t>(source)].uri;
    // Images inside the file have no path for the model to name; their faces keep colours.
    if (textures_ && !uri.empty() && uri.rfind("data:", 0) != 0) t = textures_(PercentDecode(uri));
    images_.emplace(source, t);
    return t;
}

const ReadLook& Reader::LookOf(int material) {
    auto it = looks_.find(material);
    if (it != looks_.end()) return it->second;
    ReadLook look;
    if (material >= 0 && static_cast<size_t>(material) < m_.materials.size()) {
        const tinygltf::Material& mat = m_.materials[static_cast<size_t>(material)];
        const std::vector<double>& base = mat.pbrMetallicRoughness.baseColorFactor;
        if (base.size() == 4)
            look.color = rm::ColorFromRgba(Finite(base[0]), Finite(base[1]), Finite(base[2]),
                                           Finite(base[3], 1.0f));
        // The inverse of the writer's mapping; our own files carry the exact values.
        const double roughness = mat.pbrMetallicRoughness.roughnessFactor;
        float power = 0, specular = 0;
        if (std::isfinite(roughness) && roughness < 1.0 && roughness > 0.01) {
            power = static_cast<float>(2.0 / (roughness * roughness) - 2.0);
            specular = static_cast<float>(1.0 - roughness);
        }
        look.material = rm::Material::Create(power);
        look.material->SetSpecular(specular, specular, specular);
        if (mat.emissiveFactor.size() == 3)
            look.material->SetEmissive(Finite(mat.emissiveFactor[0]), Finite(mat.emissiveFactor[1]),
                                       Finite(mat.emissiveFactor[2]));
        const tinygltf::Value& extras = mat.extras;
        auto triple = [&](const char* key, auto set) {
            if (!extras.IsObject() || !extras.Has(key)) return;
            const tinygltf::Value& v = extras.Get(key);
            if (!v.IsArray() || v.ArrayLen() != 3) return;
            float c[3];
            for (int i = 0; i < 3; ++i)
                c[i] = v.Get(i).IsNumber() ? Finite(v.Get(i).GetNumberAsDouble()) : 0.0f;
            set(c[0], c[1], c[2]);
        };
        if (extras.IsObject() && extras.Has("power") && extras.Get("power").IsNumber())
            look.material->SetPower(Finite(extras.Get("power").GetNumberAsDouble()));
        triple("specular", [&](float r, float g, float b) { look.material->SetSpecular(r, g, b); });
        triple("emissive", [&](float r, float g, float b) { look.material->SetEmissive(r, g, b); });
        look.texture = Image(mat.pbrMetallicRoughness.baseColorTexture.index);
    }
    return looks_.emplace(material, look).first->second;
}

bool Reader::Mesh(int index, const Mat4& world, int node, std::string& why) {
    if (index < 0 || static_cast<size_t>(index) >= m_.meshes.size()) {
        why = "a node names a mesh that is not there";
        return false;
    }
    // The z mirror turns every face; a node that mirrors turns it back.
    const bool reverse = world.Determinant3() >= 0;
    for (const tinygltf::Primitive& p : m_.meshes[static_cast<size_t>(index)].primitives) {
        const int mode = p.mode < 0 ? TINYGLTF_MODE_TRIANGLES : p.mode;
        if (mode != TINYGLTF_MODE_TRIANGLES && mode != TINYGLTF_MODE_TRIANGLE_STRIP &&
            mode != TINYGLTF_MODE_TRIANGLE_FAN)
            continue;  // points and lines have no faces
        auto position = p.attributes.find("POSITION");
        if (position == p.attributes.end()) continue;
        const std::optional<Elements> points =
            AccessorElements(m_, position->second, TINYGLTF_TYPE_VEC3);
        if (!points || points->componentType != TINYGLTF_COMPONENT_TYPE_FLOAT) {
            why = "a POSITION accessor lies outside its buffer or is not of floats";
            return false;
        }
        const size_t n = points->count;
        const auto key = std::make_pair(position->second, node);
        auto base = bases_.find(key);
        if (base == bases_.end()) {
            if (n > kMaxReadVertices - vertices_.size()) {
                why = "too many vertices";
                return false;
            }
            base = bases_.emplace(key, static_cast<uint32_t>(vertices_.size())).first;
            for (size_t i = 0; i < n; ++i) {
                const rm::Vector3 v =
                    world.Apply(points->Float(i, 0), points->Float(i, 1), points->Float(i, 2));
                if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z)) {
                    why = "a position is not a finite number";
                    return false;
                }
                vertices_.push_back(FromRightHanded(v));
            }
            uvs_.resize(vertices_.size());
            hasUv_.resize(vertices_.size());
            auto uv = p.attributes.find("TEXCOORD_0");
            if (uv != p.attributes.end()) {
                const std::optional<Elements> coords =
                    AccessorElements(m_, uv->second, TINYGLTF_TYPE_VEC2);
                if (coords && coords->componentType == TINYGLTF_COMPONENT_TYPE_FLOAT &&
                    coords->count == n) {
                    for (size_t i = 0; i < n; ++i) {
                        uvs_[base->second + i] = {Finite(coords->Float(i, 0)),
                                                  Finite(coords->Float(i, 1))};
                        hasUv_[base->second + i] = true;
                    }
                }
            }
        }
        std::optional<Elements> indices;
        size_t count = n;
        if (p.indices >= 0) {
            indices = AccessorElements(m_, p.indices, TINYGLTF_TYPE_SCALAR);
            if (!indices || indices->componentType == TINYGLTF_COMPONENT_TYPE_BYTE ||
                indices->componentType == TINYGLTF_COMPONENT_TYPE_SHORT ||
                indices->componentType == TINYGLTF_COMPONENT_TYPE_FLOAT) {
                why = "an index accessor lies outside its buffer or is not of integers";
                return false;
            }
            count = indices->count;
        }
        auto at = [&](size_t i) { return indices ? indices->Index(i) : static_cast<uint32_t>(i); };
        const size_t triangles = mode == TINYGLTF_MODE_TRIANGLES ? count / 3
                                 : count >= 3                    ? count - 2
                                                                 : 0;
        if (triangles > kMaxReadFaces - faceLooks_.size()) {
            why = "too many faces";
            return false;
        }
        const ReadLook& look = LookOf(p.material);
        for (size_t t = 0; t < triangles; ++t) {
            uint32_t c[3];
            if (mode == TINYGLTF_MODE_TRIANGLES) {
                c[0] = at(3 * t), c[1] = at(3 * t + 1), c[2] = at(3 * t + 2);
            } else if (mode == TINYGLTF_MODE_TRIANGLE_STRIP) {
                c[0] = at(t), c[1] = at(t + 1 + t % 2), c[2] = at(t + 2 - t % 2);
            } else {
                c[0] = at(0), c[1] = at(t + 1), c[2] = at(t + 2);
            }
            for (uint32_t& i : c) {
                if (i >= n) {
                    why = "an index is beyond its vertices";
                    return false;
                }
                i += base->second;
            }
            faceData_.push_back(3);
            faceData_.push_back(c[0]);
            faceData_.push_back(reverse ? c[2] : c[1]);
            faceData_.push_back(reverse ? c[1] : c[2]);
            faceLooks_.push_back(&look);
        }
    }
    return true;
}

bool Reader::Node(int root, const Mat4& parent, std::string& why) {
    // glTF's nodes form trees; a node seen twice (a cycle, a shared child, a root listed
    // twice) is not followed again, so a hostile file cannot loop or multiply its meshes without
    // end.
    std::vector<bool>& seen = seenNodes_;
    seen.resize(m_.nodes.size());
    std::vector<std::pair<int, Mat4>> todo{{root, parent}};
    while (!todo.empty()) {
        const auto [index, above] = todo.back();
        todo.pop_back();
        if (index < 0 || static_cast<size_t>(index) >= m_.nodes.size() ||
            seen[static_cast<size_t>(index)])
            continue;
        seen[static_cast<size_t>(index)] = true;
        const tinygltf::Node& node = m_.nodes[static_cast<size_t>(index)];
        const Mat4 world = above * LocalTransform(node);
        if (node.mesh >= 0 && !Mesh(node.mesh, world, index, why)) return false;
        for (auto it = node.children.rbegin(); it != node.children.rend(); ++it)
            todo.emplace_back(*it, world);
    }
    return true;
}

bool Reader::Add(rm::MeshBuilder& mesh) {
    return AppendReadFaces(mesh, vertices_, faceData_, faceLooks_, uvs_, hasUv_);
}

}  // namespace

bool LoadGltfMesh(const std::string& path, rm::MeshBuilder& mesh, const TextureCallback& textures,
                  std::string* error) {
    const FileRefusal fail(path, error);
    std::vector<unsigned char> bytes;
    if (!ReadRegularFile(path, kMaxFileBytes, bytes, error)) return false;
    const bool binary = bytes.size() >= 4 && std::memcmp(bytes.data(), "glTF", 4) == 0;
    if (binary) {
        // The JSON chunk of a .glb: its length at byte 12, its text from byte 20.
        uint32_t length = 0;
        if (bytes.size() >= 20) std::memcpy(&length, bytes.data() + 12, 4);
        if (bytes.size() < 20 || length > bytes.size() - 20)
            return fail("the binary glTF header is damaged");
        if (!JsonWithinLimits(bytes.data() + 20, length))
            return fail("the JSON is nested too deeply or holds too many values");
    } else if (!JsonWithinLimits(bytes.data(), bytes.size())) {
        return fail("the JSON is nested too deeply or holds too many values");
    }
    if (bytes.size() > std::numeric_limits<unsigned int>::max()) return fail("too large");

    tinygltf::TinyGLTF loader;
    loader.SetImageLoader(&IgnoreImage, nullptr);
    tinygltf::FsCallbacks fs{&tinygltf::FileExists, &AsWritten, &ReadLimited,
                             &tinygltf::WriteWholeFile, nullptr};
    loader.SetFsCallbacks(fs);
    tinygltf::Model m;
    std::string err, warn;
    const std::string directory = DirectoryOf(path);
    const std::string baseDir = directory.empty() ? std::string(".") : directory;
    const bool parsed =
        binary ? loader.LoadBinaryFromMemory(&m, &err, &warn, bytes.data(),
                                             static_cast<unsigned int>(bytes.size()), baseDir)
               : loader.LoadASCIIFromString(&m, &err, &warn,
                                            reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<unsigned int>(bytes.size()), baseDir);
    std::vector<unsigned char>().swap(bytes);
    if (!parsed) {
        while (!err.empty() && err.back() == '\n') err.pop_back();
        return fail(err.empty() ? "not a glTF file" : err);
    }

    Reader reader(m, textures);
    std::string why;
    const Mat4 identity;
    bool ok = true;
    if (!m.scenes.empty()) {
        const size_t scene =
            m.defaultScene >= 0 && static_cast<size_t>(m.defaultScene) < m.scenes.size()
                ? static_cast<size_t>(m.defaultScene)
                : 0;
        for (const int node : m.scenes[scene].nodes)
            if (ok) ok = reader.Node(node, identity, why);
    } else if (!m.nodes.empty()) {
        // Without a scene the roots are the nodes nobody holds as a child.
        std::vector<bool> child(m.nodes.size());
        for (const tinygltf::Node& node : m.nodes)
            for (const int c : node.children)
                if (c >= 0 && static_cast<size_t>(c) < child.size())
                    child[static_cast<size_t>(c)] = true;
        for (size_t i = 0; i < m.nodes.size() && ok; ++i)
            if (!child[i]) ok = reader.Node(static_cast<int>(i), identity, why);
    } else {
        for (size_t i = 0; i < m.meshes.size() && ok; ++i)
            ok = reader.Mesh(static_cast<int>(i), identity, -1, why);
    }
    if (!ok) return fail(why);
    if (!reader.Add(mesh)) return fail("the faces could not be added");
    return true;
}

}  // namespace interchange
