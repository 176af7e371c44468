// Damaged and hostile glTF and OBJ files: every one is refused or read without crashing,
// hanging or taking memory the file does not account for.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/interchange/interchange.h"
#include "tests/platform/interchange/sample_mesh.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

// One triangle: three positions (36 bytes) and three indices (12 bytes) in b.bin.
const std::string kGltf =
    R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],"nodes":[{"mesh":0}],)"
    R"("meshes":[{"primitives":[{"attributes":{"POSITION":0},"indices":1}]}],)"
    R"("buffers":[{"uri":"b.bin","byteLength":48}],)"
    R"("bufferViews":[{"buffer":0,"byteLength":36},{"buffer":0,"byteOffset":36,"byteLength":12}],)"
    R"("accessors":[{"bufferView":0,"componentType":5126,"count":3,"type":"VEC3"},)"
    R"({"bufferView":1,"componentType":5125,"count":3,"type":"SCALAR"}]})";

std::string Bin() {
    const float v[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    const uint32_t i[3] = {0, 1, 2};
    std::string b(48, '\0');
    std::memcpy(b.data(), v, 36);
    std::memcpy(b.data() + 36, i, 12);
    return b;
}

std::string Replace(std::string s, const std::string& from, const std::string& to) {
    const size_t at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) s.replace(at, from.size(), to);
    return s;
}

TEST(InterchangeDamage, GltfFaultsAreRefusedOrSurvived) {
    struct Case {
        const char* what;
        std::string from, to;
        bool loads;
    };
    const Case cases[] = {
        {"the file as written", "", "", true},
        {"a count beyond the buffer", R"("count":3,"type":"VEC3")",
         R"("count":4000000000000,"type":"VEC3")", false},
        {"an index beyond the vertices", R"("count":3,"type":"VEC3")", R"("count":2,"type":"VEC3")",
         false},
        {"a view beyond the buffer", R"("byteOffset":36)", R"("byteOffset":18446744073709551600)",
         false},
        {"a view that is not there", R"("bufferView":1,)", R"("bufferView":9,)", false},
        {"a mesh that is not there", R"({"mesh":0})", R"({"mesh":7})", false},
        {"floats as indices", R"("componentType":5125)", R"("componentType":5126)", false},
        {"a buffer that is a device", R"("uri":"b.bin")", R"("uri":"/dev/zero")", false},
        {"a node cycle", R"("nodes":[{"mesh":0}])",
         R"("nodes":[{"mesh":0,"children":[1]},{"children":[0]}])", true},
        {"a root listed over and over", R"("nodes":[0]})", R"("nodes":[0,0,0,0,0,0,0,0]})", true},
        {"a sparse accessor", R"("type":"VEC3"})",
         R"("type":"VEC3","sparse":{"count":1,"indices":{"bufferView":1,"componentType":5125},"values":{"bufferView":0}}})",
         false},
    };
    TempDir dir;
    WriteFile(dir.File("b.bin"), Bin());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(dir.File("a.gltf"), c.from.empty() ? kGltf : Replace(kGltf, c.from, c.to));
        rm::MeshBuilder mesh;
        std::string error;
        EXPECT_EQ(interchange::LoadGltfMesh(dir.File("a.gltf"), mesh, {}, &error), c.loads)
            << error;
        EXPECT_EQ(mesh.FaceCount(), c.loads ? 1u : 0u);
        if (!c.loads) {
            EXPECT_FALSE(error.empty());
        }
    }
}

TEST(InterchangeDamage, DamagedFilesAreRefused) {
    TempDir dir;
    ASSERT_TRUE(interchange::SaveGltfMesh(*interchange_test::SampleMesh(), dir.File("good.glb"),
                                          true, {}, {}));
    const std::string glb = ReadFile(dir.File("good.glb"));
    std::string lyingLength = glb;
    const uint32_t huge = 0x7FFFFFF0;
    std::memcpy(lyingLength.data() + 12, &huge, 4);
    const std::pair<const char*, std::string> files[] = {
        {"empty.glb", ""},
        {"cut.glb", glb.substr(0, glb.size() / 2)},
        {"header.glb", glb.substr(0, 16)},
        {"lying.glb", lyingLength},
        {"deep.gltf", std::string(100000, '[')},
        {"deepextras.gltf", R"({"asset":{"version":"2.0"},"extras":)" + std::string(5000, '[') +
                                std::string(5000, ']') + "}"},
        {"words.gltf", "not json at all"},
        {"values.gltf",
         [] {
             std::string s = R"({"asset":{"version":"2.0"},"extras":[)";
             for (int i = 0; i < 5000000; ++i) s += "0,";
             s += "0]}";
             return s;
         }()},
        {"far.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 99\n"},
        {"behind.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 -9\n"},
        {"wide.obj",
         [] {
             std::string s;
             for (int i = 0; i < 300; ++i) {
                 s += "v ";
                 s += std::to_string(i);
                 s += " 0 0\n";
             }
             s += "f";
             for (int i = 1; i <= 300; ++i) {
                 s += ' ';
                 s += std::to_string(i);
             }
             s += '\n';
             return s;
         }()},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        WriteFile(dir.File(name), bytes);
        rm::MeshBuilder mesh;
        std::string error;
        const bool obj = std::string(name).ends_with(".obj");
        EXPECT_FALSE(obj ? interchange::LoadObjMesh(dir.File(name), mesh, {}, &error)
                         : interchange::LoadGltfMesh(dir.File(name), mesh, {}, &error));
        EXPECT_EQ(mesh.FaceCount(), 0u);
        EXPECT_EQ(error.rfind(dir.File(name) + ": ", 0), 0u) << error;
    }
    // A material library that is a device is skipped, not read for ever.
    WriteFile(dir.File("dev.obj"),
              "mtllib /dev/zero\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl x\nf 1 2 3\n");
    rm::MeshBuilder mesh;
    EXPECT_TRUE(interchange::LoadObjMesh(dir.File("dev.obj"), mesh, {}));
    EXPECT_EQ(mesh.FaceCount(), 1u);
    EXPECT_FALSE(interchange::LoadGltfMesh(dir.File("missing.glb"), mesh, {}));
    EXPECT_FALSE(interchange::LoadObjMesh(dir.path(), mesh, {}));  // a folder
}

}  // namespace
