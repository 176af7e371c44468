// Writing glTF through tinygltf: one buffer (positions, normals, texture coordinates, then
// the indices of every primitive), one accessor per attribute and per primitive.
#include <tiny_gltf.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <numbers>
#include <sstream>
#include <tuple>

#include "platform/fileio/atomic_file.h"
#include "platform/fileio/path_name.h"
#include "platform/interchange/face_looks.h"
#include "platform/interchange/file_bytes.h"
#include "platform/interchange/interchange.h"

namespace interchange {

namespace {

double Channel(uint32_t c, int shift) {
    return static_cast<double>((c >> shift) & 0xFF) / 255.0;
}

// The engine's material is Blinn-Phong; glTF's is metallic-roughness. Metallic stays 0: the
// specular colour here is a highlight of its own, never the surface colour tinting it, which
// is what a metal would do. Roughness comes from the power by the usual Blinn-Phong match
// (roughness^2 = 2 / (power + 2)), and a material without specular light, or a face without
// material, is fully rough (the engine draws it without highlights). Emissive is carried as
// it is. The exact values go into the material's extras, so our own reader gets them back.
tinygltf::Material MakeMaterial(const FaceLook& look, int texture) {
    tinygltf::Material m;
    char name[32];
    std::snprintf(name, sizeof name, "colour_%06X", look.color & 0xFFFFFF);
    m.name = name;
    m.pbrMetallicRoughness.baseColorFactor = {Channel(look.color, 16), Channel(look.color, 8),
                                              Channel(look.color, 0), Channel(look.color, 24)};
    m.pbrMetallicRoughness.metallicFactor = 0.0;
    m.alphaMode = "OPAQUE";
    double roughness = 1.0;
    if (look.hasMaterial) {
        const float s = std::max({look.specular.r, look.specular.g, look.specular.b});
        if (s > 0.0f && look.power > 0.0f)
            roughness =
                std::clamp(std::sqrt(2.0 / (static_cast<double>(look.power) + 2.0)), 0.0, 1.0);
        m.emissiveFactor = {rm::Clamp01(look.emissive.r), rm::Clamp01(look.emissive.g),
                            rm::Clamp01(look.emissive.b)};
        tinygltf::Value::Object extras;
        extras["power"] = tinygltf::Value(static_cast<double>(look.power));
        extras["specular"] = tinygltf::Value(
            tinygltf::Value::Array{tinygltf::Value(static_cast<double>(look.specular.r)),
                                   tinygltf::Value(static_cast<double>(look.specular.g)),
                                   tinygltf::Value(static_cast<double>(look.specular.b))});
        extras["emissive"] = tinygltf::Value(
            tinygltf::Value::Array{tinygltf::Value(static_cast<double>(look.emissive.r)),
                                   tinygltf::Value(static_cast<double>(look.emissive.g)),
                                   tinygltf::Value(static_cast<double>(look.emissive.b))});
        m.extras = tinygltf::Value(std::move(extras));
    }
    m.pbrMetallicRoughness.roughnessFactor = roughness;
    if (texture >= 0) m.pbrMetallicRoughness.baseColorTexture.index = texture;
    return m;
}

std::string MimeOf(const std::string& uri) {
    const std::string ext = fileio::ExtensionOf(uri);
    if (ext == "jpg" || ext == "jpeg") return "image/jpeg";
    if (ext == "png") return "image/png";
    return {};
}

// Images are named by URI only: the writer must neither embed nor re-encode them.
bool KeepImageUri(const std::string*, const std::string*, const tinygltf::Image* image, bool,
                  std::string* outUri, void*) {
    *outUri = image->uri;
    return true;
}

template <typename T>
void Append(std::vector<unsigned char>& bytes, const T* data, size_t count) {
    const size_t at = bytes.size();
    bytes.resize(at + count * sizeof(T));
    if (count) std::memcpy(bytes.data() + at, data, count * sizeof(T));
}

}  // namespace

NodePlacement PlacementFromLeftHanded(rm::Vector3 position, rm::Vector3 direction, rm::Vector3 up,
                                      std::array<float, 3> scale) {
    const rm::Vector3 z = rm::Normalize(direction);
    const rm::Vector3 x = rm::Normalize(rm::Cross(up, z));
    const rm::Vector3 y = rm::Cross(z, x);
    // The rotation's columns are the images of the axes; in glTF's space they are C·R·C with
    // C the z mirror, so the z column's x and y change sign and the others' z.
    const double m[3][3] = {{x.x, y.x, -z.x}, {x.y, y.y, -z.y}, {-x.z, -y.z, z.z}};
    NodePlacement p;
    p.translation = {position.x, position.y, 0.0 - static_cast<double>(position.z)};  // no -0
    p.scale = {scale[0], scale[1], scale[2]};
    const double trace = m[0][0] + m[1][1] + m[2][2];
    double qx, qy, qz, qw;
    if (trace > 0) {
        const double s = std::sqrt(trace + 1.0) * 2;
        qw = 0.25 * s;
        qx = (m[2][1] - m[1][2]) / s;
        qy = (m[0][2] - m[2][0]) / s;
        qz = (m[1][0] - m[0][1]) / s;
    } else if (m[0][0] > m[1][1] && m[0][0] > m[2][2]) {
        const double s = std::sqrt(1.0 + m[0][0] - m[1][1] - m[2][2]) * 2;
        qw = (m[2][1] - m[1][2]) / s;
        qx = 0.25 * s;
        qy = (m[0][1] + m[1][0]) / s;
        qz = (m[0][2] + m[2][0]) / s;
    } else if (m[1][1] > m[2][2]) {
        const double s = std::sqrt(1.0 + m[1][1] - m[0][0] - m[2][2]) * 2;
        qw = (m[0][2] - m[2][0]) / s;
        qx = (m[0][1] + m[1][0]) / s;
        qy = 0.25 * s;
        qz = (m[1][2] + m[2][1]) / s;
    } else {
        const double s = std::sqrt(1.0 + m[2][2] - m[0][0] - m[1][1]) * 2;
        qw = (m[1][0] - m[0][1]) / s;
        qx = (m[0][2] + m[2][0]) / s;
        qy = (m[1][2] + m[2][1]) / s;
        qz = 0.25 * s;
    }
    const double n = std::sqrt(qx * qx + qy * qy + qz * qz + qw * qw);
    if (n > 0 && std::isfinite(n)) p.rotation = {qx / n, qy / n, qz / n, qw / n};
    return p;
}

struct GltfWriter::Impl {
    tinygltf::Model model;
    std::vector<unsigned char> bytes;     // the one buffer
    std::map<std::string, int> textures;  // URI to texture index
    std::map<FaceLook, int> materials;    // look to material index
    std::vector<int> sceneNodes;

    int BufferView(size_t offset, size_t length, int target) {
        tinygltf::BufferView v;
        v.buffer = 0;
        v.byteOffset = offset;
        v.byteLength = length;
        v.target = target;
        model.bufferViews.push_back(v);
        return static_cast<int>(model.bufferViews.size()) - 1;
    }

    int Accessor(int view, size_t offset, int componentType, int type, size_t count) {
        tinygltf::Accessor a;
        a.bufferView = view;
        a.byteOffset = offset;
        a.componentType = componentType;
        a.type = type;
        a.count = count;
        model.accessors.push_back(a);
        return static_cast<int>(model.accessors.size()) - 1;
    }

    int Texture(const std::string& uri) {
        auto it = textures.find(uri);
        if (it != textures.end()) return it->second;
        tinygltf::Image image;
        image.uri = PercentEncode(uri);
        image.mimeType = MimeOf(uri);
        image.name = std::string(fileio::StemOf(uri));
        model.images.push_back(image);
        tinygltf::Texture texture;
        texture.source = static_cast<int>(model.images.size()) - 1;
        model.textures.push_back(texture);
        const int index = static_cast<int>(model.textures.size()) - 1;
        textures.emplace(uri, index);
        return index;
    }

    int Material(const FaceLook& look) {
        auto it = materials.find(look);
        if (it != materials.end()) return it->second;
        const int texture = look.texture.empty() ? -1 : Texture(look.texture);
        model.materials.push_back(MakeMaterial(look, texture));
        const int index = static_cast<int>(model.materials.size()) - 1;
        materials.emplace(look, index);
        return index;
    }
};

GltfWriter::GltfWriter() : impl_(std::make_unique<Impl>()) {
    impl_->model.asset.version = "2.0";
    impl_->model.asset.generator = "Mokkel";
}

GltfWriter::~GltfWriter() = default;

int GltfWriter::AddMesh(const rm::MeshBuilder& mesh, const std::vector<bool>& keepFaces,
                        const TextureUri& textureUri, const std::string& name) {
    Impl& w = *impl_;
    const size_t n = mesh.VertexCount();
    const size_t faces = mesh.FaceCount();
    if (n == 0 || n > std::numeric_limits<uint32_t>::max()) return -1;
    auto kept = [&](size_t f) { return KeptFace(keepFaces, f); };
    bool anyFace = false;
    for (size_t f = 0; f < faces && !anyFace; ++f)
        anyFace = kept(f) && mesh.FaceVertexCount(f) >= 3;
    if (!anyFace) return -1;

    // The faces' looks, and whether any of them has a texture (then every vertex gets
    // coordinates).
    bool textured = false;
    const std::vector<FaceLook> looks = FaceLooksOf(mesh, keepFaces, textureUri, textured);

    const size_t positionsAt = w.bytes.size();
    std::vector<float> floats(n * 3);
    rm::Vector3 lo{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                   std::numeric_limits<float>::max()};
    rm::Vector3 hi = -lo;
    for (size_t i = 0; i < n; ++i) {
        rm::Vector3 v;
        mesh.GetVertex(i, v);
        v = ToRightHanded(v);
        floats[i * 3] = v.x, floats[i * 3 + 1] = v.y, floats[i * 3 + 2] = v.z;
        lo = {std::min(lo.x, v.x), std::min(lo.y, v.y), std::min(lo.z, v.z)};
        hi = {std::max(hi.x, v.x), std::max(hi.y, v.y), std::max(hi.z, v.z)};
    }
    Append(w.bytes, floats.data(), floats.size());
    tinygltf::Primitive prototype;
    {
        const int view = w.BufferView(positionsAt, n * 12, TINYGLTF_TARGET_ARRAY_BUFFER);
        const int a = w.Accessor(view, 0, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, n);
        w.model.accessors[static_cast<size_t>(a)].minValues = {lo.x, lo.y, lo.z};
        w.model.accessors[static_cast<size_t>(a)].maxValues = {hi.x, hi.y, hi.z};
        prototype.attributes["POSITION"] = a;
    }

    // Smooth shading needs the averaged normals; flat shading is what readers do without.
    if ((mesh.Quality() & rm::kShadeMask) == rm::kShadeGouraud) {
        std::vector<rm::Vector3> sum(n, rm::Vector3{0, 0, 0});
        for (size_t f = 0; f < faces; ++f) {
            if (!kept(f)) continue;
            const int count = mesh.FaceVertexCount(f);
            rm::Vector3 front{0, 0, 0};
            mesh.GetFaceFrontNormal(f, front);
            for (int k = 0; k < count; ++k) {
                rm::Vector3 normal{0, 0, 0};
                mesh.GetFaceNormal(f, static_cast<size_t>(k), normal);
                if (rm::Length(normal) == 0.0f) normal = front;
                const int v = mesh.FaceVertexIndex(f, static_cast<size_t>(k));
                if (v >= 0 && static_cast<size_t>(v) < n) sum[static_cast<size_t>(v)] += normal;
            }
        }
        for (size_t i = 0; i < n; ++i) {
            rm::Vector3 v = rm::Length(sum[i]) > 0 ? rm::Normalize(sum[i]) : rm::Vector3{0, 1, 0};
            v = ToRightHanded(v);
            floats[i * 3] = v.x, floats[i * 3 + 1] = v.y, floats[i * 3 + 2] = v.z;
        }
        const size_t at = w.bytes.size();
        Append(w.bytes, floats.data(), floats.size());
        const int view = w.BufferView(at, n * 12, TINYGLTF_TARGET_ARRAY_BUFFER);
        prototype.attributes["NORMAL"] =
            w.Accessor(view, 0, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC3, n);
    }

    // glTF's texture coordinates start at the image's top left, as the engine's do.
    if (textured) {
        floats.resize(n * 2);
        for (size_t i = 0; i < n; ++i) {
            float u = 0, v = 0;
            mesh.GetTextureCoordinates(i, u, v);
            floats[i * 2] = u, floats[i * 2 + 1] = v;
        }
        const size_t at = w.bytes.size();
        Append(w.bytes, floats.data(), n * 2);
        const int view = w.BufferView(at, n * 8, TINYGLTF_TARGET_ARRAY_BUFFER);
        prototype.attributes["TEXCOORD_0"] =
            w.Accessor(view, 0, TINYGLTF_COMPONENT_TYPE_FLOAT, TINYGLTF_TYPE_VEC2, n);
    }
    std::vector<float>().swap(floats);

    // Faces as fans; a primitive for each run of faces that look alike, so that the faces
    // keep their order in the file.
    const size_t indicesAt = w.bytes.size();
    std::vector<uint32_t> indices;
    struct Run {
        size_t first, count;  // in indices
        int material;
    };
    std::vector<Run> runs;
    const FaceLook* current = nullptr;
    for (size_t f = 0; f < faces; ++f) {
        if (!kept(f)) continue;
        const int count = mesh.FaceVertexCount(f);
        if (count < 3) continue;
        if (!current || !(*current == looks[f])) {
            runs.push_back({indices.size(), 0, w.Material(looks[f])});
            current = &looks[f];
        }
        const auto corner = [&](int k) {
            return static_cast<uint32_t>(mesh.FaceVertexIndex(f, static_cast<size_t>(k)));
        };
        for (int k = 1; k + 1 < count; ++k) {
            indices.push_back(corner(0));
            indices.push_back(corner(k + 1));  // reversed: see interchange.h
            indices.push_back(corner(k));
        }
        runs.back().count = indices.size() - runs.back().first;
    }
    if (indices.empty()) return -1;
    Append(w.bytes, indices.data(), indices.size());
    const int indexView =
        w.BufferView(indicesAt, indices.size() * 4, TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
    tinygltf::Mesh out;
    out.name = name;
    for (const Run& run : runs) {
        tinygltf::Primitive p = prototype;
        p.mode = TINYGLTF_MODE_TRIANGLES;
        p.material = run.material;
        p.indices = w.Accessor(indexView, run.first * 4, TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT,
                               TINYGLTF_TYPE_SCALAR, run.count);
        out.primitives.push_back(std::move(p));
    }
    w.model.meshes.push_back(std::move(out));
    return static_cast<int>(w.model.meshes.size()) - 1;
}

namespace {

void Place(tinygltf::Node& node, const NodePlacement& p) {
    if (p.translation != std::array<double, 3>{0, 0, 0})
        node.translation.assign(p.translation.begin(), p.translation.end());
    if (p.rotation != std::array<double, 4>{0, 0, 0, 1})
        node.rotation.assign(p.rotation.begin(), p.rotation.end());
    if (p.scale != std::array<double, 3>{1, 1, 1})
        node.scale.assign(p.scale.begin(), p.scale.end());
}

}  // namespace

void GltfWriter::AddNode(const std::string& name, int mesh, const NodePlacement& placement) {
    tinygltf::Node node;
    node.name = name;
    node.mesh = mesh;
    Place(node, placement);
    impl_->model.nodes.push_back(std::move(node));
    impl_->sceneNodes.push_back(static_cast<int>(impl_->model.nodes.size()) - 1);
}

void GltfWriter::AddLight(const PunctualLight& light, const NodePlacement& placement) {
    tinygltf::Light l;
    l.name = light.name;
    l.color = {rm::Clamp01(light.r), rm::Clamp01(light.g), rm::Clamp01(light.b)};
    l.intensity = 1.0;
    switch (light.kind) {
        case PunctualLight::kDirectional:
            l.type = "directional";
            break;
        case PunctualLight::kPoint:
            l.type = "point";
            l.range = light.range > 0 ? light.range : 0.0;
            break;
        case PunctualLight::kSpot:
            l.type = "spot";
            l.range = light.range > 0 ? light.range : 0.0;
            l.spot.outerConeAngle =
                std::clamp(static_cast<double>(light.outerCone), 1e-4, std::numbers::pi / 2);
            l.spot.innerConeAngle =
                std::clamp(static_cast<double>(light.innerCone), 0.0, l.spot.outerConeAngle - 1e-4);
            break;
    }
    impl_->model.lights.push_back(l);
    tinygltf::Value::Object ref;
    ref["light"] = tinygltf::Value(static_cast<int>(impl_->model.lights.size()) - 1);
    tinygltf::Node node;
    node.name = light.name;
    node.extensions["KHR_lights_punctual"] = tinygltf::Value(std::move(ref));
    Place(node, placement);
    impl_->model.nodes.push_back(std::move(node));
    impl_->sceneNodes.push_back(static_cast<int>(impl_->model.nodes.size()) - 1);
}

bool GltfWriter::Write(const std::string& path, bool binary, std::string* error) {
    tinygltf::Model& model = impl_->model;
    model.scenes.clear();
    tinygltf::Scene scene;
    scene.nodes = impl_->sceneNodes;
    model.scenes.push_back(scene);
    model.defaultScene = 0;
    model.buffers.clear();
    const bool hasBytes = !impl_->bytes.empty();
    std::string binName = std::string(fileio::StemOf(path)) + ".bin";
    if (hasBytes) {
        tinygltf::Buffer buffer;
        // A .gltf names its .bin, written by us; only the .glb carries the bytes inside.
        if (binary) buffer.data = std::move(impl_->bytes);
        model.buffers.push_back(std::move(buffer));
    }
    tinygltf::TinyGLTF gltf;
    gltf.SetImageWriter(&KeepImageUri, nullptr);
    std::ostringstream stream;
    const bool serialised = gltf.WriteGltfSceneToStream(&model, stream, !binary, binary);
    if (hasBytes && binary) impl_->bytes = std::move(model.buffers[0].data);
    if (!serialised) return FileRefusal(path, error)("the glTF could not be serialised");
    std::string text = std::move(stream).str();
    if (hasBytes && !binary) {
        // tinygltf embeds buffers in a .gltf; ours was left empty and is pointed at the .bin.
        const size_t buffers = text.rfind("\"buffers\"");
        const std::string emptyLength = "\"byteLength\": 0";
        const std::string emptyUri = "\"data:application/octet-stream;base64,\"";
        const size_t length =
            buffers == std::string::npos ? buffers : text.find(emptyLength, buffers);
        const size_t uri = buffers == std::string::npos ? buffers : text.find(emptyUri, buffers);
        if (length == std::string::npos || uri == std::string::npos || uri < length)
            return FileRefusal(path, error)("the glTF buffer could not be named");
        text.replace(uri, emptyUri.size(), "\"" + PercentEncode(binName) + "\"");
        text.replace(length, emptyLength.size(),
                     "\"byteLength\": " + std::to_string(impl_->bytes.size()));
        const std::string binPath = DirectoryOf(path) + binName;
        const std::string_view bytes(reinterpret_cast<const char*>(impl_->bytes.data()),
                                     impl_->bytes.size());
        if (!fileio::WriteFileAtomically(binPath, bytes, error)) return false;
    }
    return fileio::WriteFileAtomically(path, text, error);
}

bool SaveGltfMesh(const rm::MeshBuilder& mesh, const std::string& path, bool binary,
                  const std::vector<bool>& keepFaces, const TextureUri& textureUri,
                  std::string* error) {
    GltfWriter writer;
    const std::string name(fileio::StemOf(path));
    const int index = writer.AddMesh(mesh, keepFaces, textureUri, name);
    if (index >= 0) writer.AddNode(name, index, {});
    return writer.Write(path, binary, error);
}

}  // namespace interchange
