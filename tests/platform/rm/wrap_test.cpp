#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/rm/wrap.h"

namespace rm {
namespace {

MeshBuilderPtr Points(const std::vector<Vector3>& v) {
    MeshBuilderPtr m = MeshBuilder::Create();
    std::vector<uint32_t> f;
    for (uint32_t j = 0; j < v.size(); ++j) f.insert(f.end(), {3, j, j, j});
    f.push_back(0);
    m->AddFaces(v, {}, f);
    return m;
}

void ExpectUv(const MeshBuilder& m, size_t vertex, float u, float v) {
    float gu = -1, gv = -1;
    ASSERT_TRUE(m.GetTextureCoordinates(vertex, gu, gv));
    EXPECT_NEAR(gu, u, 1e-5f) << vertex;
    EXPECT_NEAR(gv, v, 1e-5f) << vertex;
}

TEST(RmWrap, FlatMapsXAndY) {
    FramePtr root = Frame::Create();
    MeshBuilderPtr m = Points({{0, 0, 0}, {2, 0, 5}, {0, 4, 0}, {1, 1, 1}});
    // Scale 2 in u and 2 in v entered as magnifications: su = 0.5, sv = -0.5.
    WrapPtr w =
        Wrap::Create(WrapType::kFlat, root, {0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 0, 0, 0.5f, -0.5f);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->Apply(*m));
    ExpectUv(*m, 0, 0, 0);
    ExpectUv(*m, 1, 1, 0);  // z does not matter
    ExpectUv(*m, 2, 0, -2);
    ExpectUv(*m, 3, 0.5f, -0.5f);
    // Texture origin shifts: u = su x - ou.
    WrapPtr shifted =
        Wrap::Create(WrapType::kFlat, root, {1, 0, 0}, {0, 0, 1}, {0, 1, 0}, 0.25f, 0.5f, 1, 1);
    ASSERT_TRUE(shifted->Apply(*m));
    ExpectUv(*m, 0, -1.25f, -0.5f);
}

TEST(RmWrap, CylinderAndSphere) {
    FramePtr root = Frame::Create();
    MeshBuilderPtr m = Points({{0, 0, 1}, {1, 0.5f, 0}, {0, 0, -1}, {0, 1, 0}, {0, -1, 0}});
    WrapPtr cyl = Wrap::Create(WrapType::kCylinder, root, {}, {0, 0, 1}, {0, 1, 0}, 0, 0, 1, 1);
    ASSERT_TRUE(cyl->Apply(*m));
    ExpectUv(*m, 0, 0, 0);
    ExpectUv(*m, 1, 0.25f, 0.5f);
    ExpectUv(*m, 2, 0.5f, 0);
    WrapPtr sph = Wrap::Create(WrapType::kSphere, root, {}, {0, 0, 1}, {0, 1, 0}, 0, 0, 1, 1);
    ASSERT_TRUE(sph->Apply(*m));
    ExpectUv(*m, 0, 0, 0.5f);  // equator
    ExpectUv(*m, 3, 0, 1);     // top
    ExpectUv(*m, 4, 0, 0);     // bottom
}

TEST(RmWrap, ApplyRelativeTakesTheFrameIntoAccount) {
    FramePtr root = Frame::Create();
    FramePtr ref = Frame::Create(root);
    FramePtr meshFrame = Frame::Create(root);
    meshFrame->SetPosition({}, 3, 0, 0);
    MeshBuilderPtr m = Points({{0, 0, 0}});
    WrapPtr w = Wrap::Create(WrapType::kFlat, ref, {}, {0, 0, 1}, {0, 1, 0}, 0, 0, 1, 1);
    ASSERT_TRUE(w->ApplyRelative(*meshFrame, *m));
    ExpectUv(*m, 0, 3, 0);
}

TEST(RmWrap, ZeroScaleDoesNotCrash) {
    FramePtr root = Frame::Create();
    MeshBuilderPtr m = Points({{0, 0, 0}, {1, 2, 3}});
    WrapPtr w = Wrap::Create(WrapType::kSphere, root, {}, {0, 0, 1}, {0, 1, 0}, 0, 0, 1.0f / 0.0f,
                             -1.0f / 0.0f);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->Apply(*m));
    float u, v;
    m->GetTextureCoordinates(1, u, v);
    EXPECT_TRUE(std::isfinite(u));
    EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(Wrap::Create(WrapType::kFlat, root, {}, {0, 0, 0}, {0, 1, 0}, 0, 0, 1, 1), nullptr);
}

TEST(RmWrap, ChromeUsesTheNormals) {
    FramePtr root = Frame::Create();
    MeshBuilderPtr m = MeshBuilder::Create();
    std::vector<Vector3> v = {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}};
    std::vector<uint32_t> f = {3, 0, 1, 2, 0};
    m->AddFaces(v, {}, f);  // faces -z
    WrapPtr w = Wrap::Create(WrapType::kChrome, root, {}, {0, 0, 1}, {0, 1, 0}, 0, 0, 1, 1);
    ASSERT_TRUE(w->ApplyRelative(*root, *m));
    ExpectUv(*m, 0, 0.5f, 0.5f);
}

}  // namespace
}  // namespace rm
