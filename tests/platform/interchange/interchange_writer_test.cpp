// What the glTF and OBJ writers put in their files: the handedness and winding conversion,
// a structural check of the glTF (chunks, buffer lengths, views, accessor bounds, index
// ranges), and our own readers bringing the mesh back.
#include <gtest/gtest.h>
#include <tiny_gltf.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/interchange/interchange.h"
#include "tests/platform/interchange/sample_mesh.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;

const interchange::TextureUri kUri = [](const rm::Texture& t) { return "images/" + t.Name(); };

bool NoImage(tinygltf::Image*, const int, std::string*, std::string*, int, int,
             const unsigned char*, int, void*) {
    return true;
}

bool LoadRaw(const std::string& path, tinygltf::Model& m) {
    tinygltf::TinyGLTF loader;
    loader.SetImageLoader(&NoImage, nullptr);
    std::string err, warn;
    const bool glb = path.size() > 4 && path.substr(path.size() - 4) == ".glb";
    return glb ? loader.LoadBinaryFromFile(&m, &err, &warn, path)
               : loader.LoadASCIIFromFile(&m, &err, &warn, path);
}

rm::Vector3 Float3(const tinygltf::Model& m, const tinygltf::Accessor& a, size_t i) {
    const tinygltf::BufferView& v = m.bufferViews[static_cast<size_t>(a.bufferView)];
    const size_t stride = v.byteStride ? v.byteStride : 12;
    float f[3];
    std::memcpy(f, m.buffers[0].data.data() + v.byteOffset + a.byteOffset + i * stride, 12);
    return {f[0], f[1], f[2]};
}

uint32_t Index(const tinygltf::Model& m, const tinygltf::Accessor& a, size_t i) {
    const tinygltf::BufferView& v = m.bufferViews[static_cast<size_t>(a.bufferView)];
    uint32_t x;
    std::memcpy(&x, m.buffers[0].data.data() + v.byteOffset + a.byteOffset + i * 4, 4);
    return x;
}

rm::Vector3 UnitNormal(rm::Vector3 a, rm::Vector3 b, rm::Vector3 c) {
    return rm::Normalize(rm::Cross(b - a, c - a));
}

void ExpectNear(rm::Vector3 got, rm::Vector3 want) {
    EXPECT_NEAR(got.x, want.x, 1e-6);
    EXPECT_NEAR(got.y, want.y, 1e-6);
    EXPECT_NEAR(got.z, want.z, 1e-6);
}

// The first triangle of each format's file, as positions in the file's own space.
std::array<rm::Vector3, 3> FirstTriangle(const std::string& path) {
    std::array<rm::Vector3, 3> t{};
    if (path.substr(path.size() - 4) == ".obj") {
        std::istringstream in(ReadFile(path));
        std::vector<rm::Vector3> v;
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream words(line);
            std::string tag;
            words >> tag;
            if (tag == "v") {
                rm::Vector3 p;
                words >> p.x >> p.y >> p.z;
                v.push_back(p);
            } else if (tag == "f") {
                for (rm::Vector3& corner : t) {
                    int i = 0;
                    words >> i;
                    corner = v.at(static_cast<size_t>(i - 1));
                }
                return t;
            }
        }
        ADD_FAILURE() << "no face in " << path;
        return t;
    }
    tinygltf::Model m;
    EXPECT_TRUE(LoadRaw(path, m));
    const tinygltf::Primitive& p = m.meshes.at(0).primitives.at(0);
    const tinygltf::Accessor& positions =
        m.accessors[static_cast<size_t>(p.attributes.at("POSITION"))];
    const tinygltf::Accessor& indices = m.accessors[static_cast<size_t>(p.indices)];
    for (size_t k = 0; k < 3; ++k) t[k] = Float3(m, positions, Index(m, indices, k));
    return t;
}

// A face whose front (the side the engine draws) faces +z in the model must face -z in the
// right-handed files, with its corners counter-clockwise seen from that side; read back, it
// faces +z again.
TEST(InterchangeWriter, FrontFacesTurnCounterClockwiseInTheRightHandedSpace) {
    TempDir dir;
    auto mesh = rm::MeshBuilder::Create();
    const rm::Vector3 v[] = {{0, 0, 5}, {1, 0, 5}, {0, 1, 5}};
    const uint32_t faces[] = {3, 0, 1, 2, 0};
    ASSERT_TRUE(mesh->AddFaces(v, {}, faces));
    rm::Vector3 front;
    ASSERT_TRUE(mesh->GetFaceFrontNormal(0, front));
    ExpectNear(front, {0, 0, 1});
    for (const char* name : {"tri.glb", "tri.gltf", "tri.obj"}) {
        SCOPED_TRACE(name);
        const std::string path = dir.File(name);
        const bool obj = std::string(name).ends_with(".obj");
        ASSERT_TRUE(obj ? interchange::SaveObjMesh(*mesh, path, {}, {})
                        : interchange::SaveGltfMesh(*mesh, path,
                                                    std::string(name).ends_with(".glb"), {}, {}));
        const auto t = FirstTriangle(path);
        EXPECT_EQ(t[0].z, -5.0f);
        ExpectNear(UnitNormal(t[0], t[1], t[2]), {0, 0, -1});
        rm::MeshBuilder back;
        ASSERT_TRUE(obj ? interchange::LoadObjMesh(path, back, {})
                        : interchange::LoadGltfMesh(path, back, {}));
        ASSERT_EQ(back.FaceCount(), 1u);
        ASSERT_TRUE(back.GetFaceFrontNormal(0, front));
        ExpectNear(front, {0, 0, 1});
        EXPECT_EQ(back.FaceVertexIndex(0, 1), 1);  // the corners in their own order again
    }
}

// The structure a glTF reader relies on, checked on our own files.
void CheckStructure(const std::string& path, bool glb, size_t vertexCount, size_t triangles) {
    const std::string bytes = ReadFile(path);
    if (glb) {
        uint32_t header[5];
        ASSERT_GE(bytes.size(), 28u);
        std::memcpy(header, bytes.data(), 20);
        EXPECT_EQ(header[0], 0x46546C67u);  // "glTF"
        EXPECT_EQ(header[1], 2u);
        EXPECT_EQ(header[2], bytes.size());
        EXPECT_EQ(header[3] % 4, 0u);
        EXPECT_EQ(header[4], 0x4E4F534Au);  // "JSON"
        uint32_t bin[2];
        ASSERT_LE(20u + header[3] + 8u, bytes.size());
        std::memcpy(bin, bytes.data() + 20 + header[3], 8);
        EXPECT_EQ(bin[1], 0x004E4942u);  // "BIN"
        EXPECT_EQ(bin[0] % 4, 0u);
        EXPECT_EQ(20u + header[3] + 8u + bin[0], bytes.size());
    } else {
        EXPECT_NE(bytes.find("\"uri\": \"sample.bin\""), std::string::npos);
    }
    tinygltf::Model m;
    ASSERT_TRUE(LoadRaw(path, m));
    ASSERT_EQ(m.buffers.size(), 1u);
    if (!glb) {
        EXPECT_EQ(ReadFile(path.substr(0, path.size() - 5) + ".bin").size(),
                  m.buffers[0].data.size());
    }
    const size_t bufferSize = m.buffers[0].data.size();
    for (const tinygltf::BufferView& v : m.bufferViews) {
        EXPECT_EQ(v.byteOffset % 4, 0u);
        EXPECT_LE(v.byteOffset + v.byteLength, bufferSize);
    }
    for (const tinygltf::Accessor& a : m.accessors) {
        const tinygltf::BufferView& v = m.bufferViews.at(static_cast<size_t>(a.bufferView));
        const size_t element = a.type == TINYGLTF_TYPE_VEC3   ? 12
                               : a.type == TINYGLTF_TYPE_VEC2 ? 8
                                                              : 4;
        const size_t stride = v.byteStride ? v.byteStride : element;
        ASSERT_GT(a.count, 0u);
        EXPECT_LE(a.byteOffset + (a.count - 1) * stride + element, v.byteLength);
    }
    ASSERT_EQ(m.meshes.size(), 1u);
    size_t drawn = 0;
    for (const tinygltf::Primitive& p : m.meshes[0].primitives) {
        EXPECT_EQ(p.mode, TINYGLTF_MODE_TRIANGLES);
        const tinygltf::Accessor& pos =
            m.accessors.at(static_cast<size_t>(p.attributes.at("POSITION")));
        EXPECT_EQ(pos.count, vertexCount);
        // The bounds are the data's own.
        rm::Vector3 lo = Float3(m, pos, 0), hi = lo;
        for (size_t i = 1; i < pos.count; ++i) {
            const rm::Vector3 q = Float3(m, pos, i);
            lo = {std::min(lo.x, q.x), std::min(lo.y, q.y), std::min(lo.z, q.z)};
            hi = {std::max(hi.x, q.x), std::max(hi.y, q.y), std::max(hi.z, q.z)};
        }
        EXPECT_EQ(pos.minValues, (std::vector<double>{lo.x, lo.y, lo.z}));
        EXPECT_EQ(pos.maxValues, (std::vector<double>{hi.x, hi.y, hi.z}));
        const tinygltf::Accessor& idx = m.accessors.at(static_cast<size_t>(p.indices));
        EXPECT_EQ(idx.count % 3, 0u);
        for (size_t i = 0; i < idx.count; ++i) EXPECT_LT(Index(m, idx, i), pos.count);
        drawn += idx.count / 3;
        ASSERT_GE(p.material, 0);
        EXPECT_LT(static_cast<size_t>(p.material), m.materials.size());
    }
    EXPECT_EQ(drawn, triangles);
}

TEST(InterchangeWriter, GltfPassesTheStructuralCheckAndReadsBack) {
    TempDir dir;
    const rm::MeshBuilderPtr mesh = interchange_test::SampleMesh();
    for (const bool glb : {true, false}) {
        SCOPED_TRACE(glb ? "glb" : "gltf");
        const std::string path = dir.File(glb ? "sample.glb" : "sample.gltf");
        ASSERT_TRUE(interchange::SaveGltfMesh(*mesh, path, glb, {}, kUri));
        CheckStructure(path, glb, 9, 6);
        tinygltf::Model m;
        ASSERT_TRUE(LoadRaw(path, m));
        // Red plain, green shiny, red textured: three materials, three runs of faces.
        ASSERT_EQ(m.materials.size(), 3u);
        EXPECT_EQ(m.meshes[0].primitives.size(), 3u);
        EXPECT_NEAR(m.materials[1].pbrMetallicRoughness.roughnessFactor, std::sqrt(0.2), 1e-9);
        EXPECT_EQ(m.materials[0].pbrMetallicRoughness.roughnessFactor, 1.0);
        ASSERT_EQ(m.images.size(), 1u);
        EXPECT_EQ(m.images[0].uri, "images/wood.png");

        std::vector<std::string> asked;
        rm::MeshBuilder back;
        ASSERT_TRUE(interchange::LoadGltfMesh(path, back, [&](const std::string& uri) {
            asked.push_back(uri);
            return rm::Texture::Create(1, 1, {0xFF000000});
        }));
        EXPECT_EQ(asked, std::vector<std::string>{"images/wood.png"});
        ASSERT_EQ(back.VertexCount(), 9u);
        ASSERT_EQ(back.FaceCount(), 6u);
        for (size_t i = 0; i < 9; ++i) {
            rm::Vector3 a, b;
            mesh->GetVertex(i, a);
            back.GetVertex(i, b);
            EXPECT_EQ(a, b);
            float u, v;
            back.GetTextureCoordinates(i, u, v);
            EXPECT_EQ(u, 0.125f * static_cast<float>(i));
            EXPECT_EQ(v, 0.25f);
        }
        EXPECT_EQ(back.FaceColor(2), 0xFF00FF00u);  // the quad's two triangles come first
        EXPECT_EQ(back.FaceMaterial(2)->Power(), 8.0f);
        EXPECT_EQ(back.FaceMaterial(2)->Emissive().r, 0.25f);
        EXPECT_TRUE(back.FaceTexture(5));
        EXPECT_FALSE(back.FaceTexture(0));
    }
}

TEST(InterchangeWriter, ObjKeepsPolygonsMaterialsAndFlipsV) {
    TempDir dir;
    const rm::MeshBuilderPtr mesh = interchange_test::SampleMesh();
    const std::string path = dir.File("sample.obj");
    ASSERT_TRUE(interchange::SaveObjMesh(*mesh, path, {}, kUri));
    const std::string obj = ReadFile(path), mtl = ReadFile(dir.File("sample.mtl"));
    EXPECT_NE(obj.find("mtllib sample.mtl\n"), std::string::npos);
    EXPECT_NE(obj.find("vt 0.125 0.75\n"), std::string::npos);  // v from the bottom
    EXPECT_NE(obj.find("f 1/1 4/4 3/3 2/2\n"), std::string::npos);
    EXPECT_NE(mtl.find("Ns 8\n"), std::string::npos);
    EXPECT_NE(mtl.find("map_Kd images/wood.png\n"), std::string::npos);

    rm::MeshBuilder back;
    ASSERT_TRUE(interchange::LoadObjMesh(path, back, {}));
    ASSERT_EQ(back.FaceCount(), 3u);
    for (size_t f = 0; f < 3; ++f) {
        ASSERT_EQ(back.FaceVertexCount(f), mesh->FaceVertexCount(f));
        for (int k = 0; k < back.FaceVertexCount(f); ++k)
            EXPECT_EQ(back.FaceVertexIndex(f, static_cast<size_t>(k)),
                      mesh->FaceVertexIndex(f, static_cast<size_t>(k)));
        EXPECT_EQ(back.FaceColor(f), mesh->FaceColor(f));
    }
    EXPECT_EQ(back.FaceMaterial(1)->Specular().g, 1.0f);
    float u, v;
    back.GetTextureCoordinates(3, u, v);
    EXPECT_EQ(u, 0.375f);
    EXPECT_EQ(v, 0.25f);
}

}  // namespace
