// A scene exported to glTF: objects as nodes over one mesh per model file, placed, scaled and
// mirrored as the studio draws them; lights as KHR_lights_punctual lights.
#include <gtest/gtest.h>
#include <tiny_gltf.h>

#include <cmath>
#include <cstring>

#include "studio/scene/scene_file.h"
#include "tests/studio/scene_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace studio;
using namespace studio_test;

bool NoImage(tinygltf::Image*, const int, std::string*, std::string*, int, int,
             const unsigned char*, int, void*) {
    return true;
}

// glTF's node transform (translation, rotation, scale) applied to a point.
rm::Vector3 NodeApply(const tinygltf::Node& n, rm::Vector3 p) {
    double v[3] = {p.x, p.y, p.z};
    for (size_t i = 0; i < n.scale.size(); ++i) v[i] *= n.scale[i];
    if (n.rotation.size() == 4) {
        const double x = n.rotation[0], y = n.rotation[1], z = n.rotation[2], w = n.rotation[3];
        // v + 2w(q x v) + 2 q x (q x v)
        const double c1[3] = {y * v[2] - z * v[1], z * v[0] - x * v[2], x * v[1] - y * v[0]};
        const double c2[3] = {y * c1[2] - z * c1[1], z * c1[0] - x * c1[2], x * c1[1] - y * c1[0]};
        for (int i = 0; i < 3; ++i) v[i] += 2 * w * c1[i] + 2 * c2[i];
    }
    for (size_t i = 0; i < n.translation.size(); ++i) v[i] += n.translation[i];
    return {static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])};
}

rm::Vector3 MeshVertex(const tinygltf::Model& m, size_t i) {
    const tinygltf::Accessor& a =
        m.accessors[static_cast<size_t>(m.meshes[0].primitives[0].attributes.at("POSITION"))];
    const tinygltf::BufferView& v = m.bufferViews[static_cast<size_t>(a.bufferView)];
    float f[3];
    std::memcpy(f, m.buffers[0].data.data() + v.byteOffset + a.byteOffset + i * 12, 12);
    return {f[0], f[1], f[2]};
}

TEST(SceneGltf, ObjectsAreNodesAsDrawnAndLightsArePunctual) {
    testing_support::TempDir dir;
    WriteCubeModel(dir.File("cube.mkl"), 1.0f, 0xFF336699);
    std::vector<PendingItem> items;
    items.push_back(Object(dir.File("cube.mkl"), 0, {0, 0, 0}));
    PendingItem turned = Object(dir.File("cube.mkl"), 0, {1, 2, 3});
    turned.placement.direction = rm::Normalize({1, 0, 1});
    turned.placement.up = {0, 1, 0};
    turned.item.scale = {2, 3, 0.5f};
    turned.item.flipX = 1;
    turned.item.flipZ = 1;
    items.push_back(turned);
    items.push_back(Light(kAmbientLight, 0));
    PendingItem spot = Light(kSpotLight, 0, {0, 5, 0});
    spot.placement.direction = {0, -1, 0};
    spot.placement.up = {0, 0, 1};
    spot.item.lightValues.color = 0xFFFF8000;
    spot.item.lightValues.umbra = 0.4f;
    spot.item.lightValues.penumbra = 0.8f;
    items.push_back(spot);
    items.push_back(Light(kPointLight, 0, {4, 4, 4}));
    CSceneDoc doc;
    doc.AppendItems(std::move(items), {}, dir.path(), dir.path());

    for (const char* name : {"scene.glb", "scene.gltf"}) {
        SCOPED_TRACE(name);
        const std::string path = dir.File(name);
        const SceneFileResult r = SaveSceneFile(doc, path);
        ASSERT_TRUE(r.ok) << r.detail;
        tinygltf::TinyGLTF loader;
        loader.SetImageLoader(&NoImage, nullptr);
        tinygltf::Model m;
        std::string err, warn;
        ASSERT_TRUE(std::string(name).ends_with(".glb")
                        ? loader.LoadBinaryFromFile(&m, &err, &warn, path)
                        : loader.LoadASCIIFromFile(&m, &err, &warn, path))
            << err;
        ASSERT_EQ(m.meshes.size(), 1u);  // one model file, one mesh
        ASSERT_EQ(m.nodes.size(), 4u);   // glTF has no ambient light
        ASSERT_EQ(m.lights.size(), 2u);
        EXPECT_EQ(m.lights[0].type, "spot");
        EXPECT_NEAR(m.lights[0].spot.innerConeAngle, 0.2, 1e-6);
        EXPECT_NEAR(m.lights[0].spot.outerConeAngle, 0.4, 1e-6);
        EXPECT_NEAR(m.lights[0].color[1], 128.0 / 255.0, 1e-6);
        EXPECT_EQ(m.lights[1].type, "point");
        EXPECT_EQ(m.extensionsUsed, std::vector<std::string>{"KHR_lights_punctual"});
        EXPECT_EQ(m.nodes[2].extensions.at("KHR_lights_punctual").Get("light").GetNumberAsInt(), 0);

        // Every vertex lands where the studio draws it (in glTF's space, z negated).
        for (size_t n = 0; n < 2; ++n) {
            const SceneItem& item = doc.Items()[n];
            EXPECT_EQ(m.nodes[n].mesh, 0);
            const rm::Matrix4 world = item.frame->WorldTransform();
            for (size_t i = 0; i < item.visual->VertexCount(); ++i) {
                rm::Vector3 drawn;
                item.visual->GetVertex(i, drawn);
                drawn = world.TransformPoint(drawn);
                const rm::Vector3 got = NodeApply(m.nodes[n], MeshVertex(m, i));
                EXPECT_NEAR(got.x, drawn.x, 1e-5);
                EXPECT_NEAR(got.y, drawn.y, 1e-5);
                EXPECT_NEAR(got.z, -drawn.z, 1e-5);
            }
        }
        // The flips are negative scale factors, the scale kept beside them.
        EXPECT_EQ(m.nodes[1].scale, (std::vector<double>{-2, 3, -0.5}));
        // The spot shines along its node's -z: down.
        const rm::Vector3 at = NodeApply(m.nodes[2], {0, 0, 0});
        const rm::Vector3 ahead = NodeApply(m.nodes[2], {0, 0, -1});
        EXPECT_NEAR(ahead.y - at.y, -1, 1e-6);
        EXPECT_NEAR(at.y, 5, 1e-6);
    }
}

}  // namespace
