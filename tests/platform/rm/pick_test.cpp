#include <gtest/gtest.h>

#include <vector>

#include "tests/platform/rm/scene_fixture.h"

namespace rm::test {
namespace {

TEST(RmPick, NearerOfTwoFacesWithItsFaceIndex) {
    Scene s;
    // One mesh of two squares: face 0 far, face 1 near, overlapping at the centre.
    MeshBuilderPtr m = MeshBuilder::Create();
    std::vector<Vector3> v = {{-1, 1, 1},        {1, 1, 1},         {1, -1, 1},
                              {-1, -1, 1},       {-0.5f, 0.5f, -1}, {0.5f, 0.5f, -1},
                              {0.5f, -0.5f, -1}, {-0.5f, -0.5f, -1}};
    std::vector<uint32_t> f = {4, 0, 1, 2, 3, 4, 4, 5, 6, 7, 0};
    ASSERT_TRUE(m->AddFaces(v, {}, f));
    FramePtr frame = AddToScene(s, m);
    MeshBuilderPtr other = Quad(0, 0, 3, 2, 0xFFFFFFFF);
    AddToScene(s, other);
    s.Draw();
    std::vector<PickHit> hits = s.viewport->Pick(32, 32);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].visual, m);
    EXPECT_EQ(hits[0].frame, frame);
    EXPECT_EQ(hits[0].face, 1);
    EXPECT_NEAR(hits[0].position.z, -1, 1e-4f);
    EXPECT_NEAR(hits[0].depth, 4, 1e-4f);
    EXPECT_EQ(hits[1].visual, other);
    // Off the near square only the far one is under the point.
    hits = s.viewport->Pick(22, 32);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].face, 0);
    EXPECT_TRUE(s.viewport->Pick(0, 0).empty());
    EXPECT_TRUE(s.viewport->Pick(-1, 0).empty());
}

TEST(RmPick, RenderOnlyFramesAreNeverPicked) {
    Scene s;
    FramePtr axis = Frame::Create(s.root);
    FramePtr axisX = Frame::Create(axis);
    axisX->AddVisual(Quad(0, 0, -1, 1, 0xFFFFFFFF));
    axis->SetTraversalOptions(kRenderEnable);
    MeshBuilderPtr model = Quad(0, 0, 0, 1, 0xFFFF0000);
    AddToScene(s, model);
    s.Draw();
    EXPECT_EQ(s.Pixel(32, 32), 0xFFFFFFu);  // the gizmo is drawn in front
    std::vector<PickHit> hits = s.viewport->Pick(32, 32);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].visual, model);
}

TEST(RmPick, PickOnlyFramesArePickedButNotDrawn) {
    Scene s;
    MeshBuilderPtr model = Quad(0, 0, 0, 1, 0xFFFF0000);
    FramePtr f = AddToScene(s, model);
    f->SetTraversalOptions(kPickEnable);
    s.Draw();
    EXPECT_EQ(s.Pixel(32, 32), 0u);
    EXPECT_EQ(s.viewport->Pick(32, 32).size(), 1u);
}

TEST(RmPick, PicksTheTreeRenderedLast) {
    Scene s;
    FramePtr modelFrame = AddToScene(s, Quad(0, 0, 0, 1, 0xFFFF0000));
    AddToScene(s, Quad(0, 0, -1, 1, 0xFFFFFFFF));
    s.Draw();
    EXPECT_EQ(s.viewport->Pick(32, 32).size(), 2u);
    s.viewport->Clear();
    s.viewport->Render(*modelFrame);
    ASSERT_EQ(s.viewport->Pick(32, 32).size(), 1u);
    EXPECT_EQ(s.viewport->Pick(32, 32)[0].frame, modelFrame);
}

TEST(RmPick, FollowsFrameTransforms) {
    Scene s;
    MeshBuilderPtr q = Quad(0, 0, 0, 0.25f, 0xFFFFFFFF);
    FramePtr f = AddToScene(s, q);
    f->SetPosition({}, 1, 0, 0);  // 12.8 pixels right of the centre
    s.Draw();
    EXPECT_TRUE(s.viewport->Pick(32, 32).empty());
    std::vector<PickHit> hits = s.viewport->Pick(44, 32);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_NEAR(hits[0].position.x, 1, 0.05f);
}

}  // namespace
}  // namespace rm::test
