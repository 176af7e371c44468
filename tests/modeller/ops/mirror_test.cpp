#include "modeller/ops/mirror.h"

#include <gtest/gtest.h>

#include "ops_fixture.h"

namespace {

using namespace modeller::ops;
using ops_test::Doc;
using ops_test::Lines;

TEST(MirrorBake, FourPointsAndOneFaceBecomeEightAndTwo) {
    Doc d({"1, 0, 0", "", "1, 1, 0", "2, 1, 0", "2, 0, 0"}, {"0, 2, 3, 4"});
    d.m.mirror = {1, 0.0f};
    d.m.faces.FaceStatus[0] = 2;  // own colour
    d.m.faces.FaceColor[0] = static_cast<int32_t>(0xFF00FF00);
    d.m.faces.FaceGroup[0] = 1;
    d.m.textureAssignment.faceTextureMap = {{0, 1}};
    d.m.textureAssignment.uvMap = {{2, {0.5f, 0.25f}}};
    ASSERT_TRUE(ApplyMirrorBake(d.m, d.host).ok);
    EXPECT_EQ(d.Points(), (Lines{"1, 0, 0", "1, 1, 0", "2, 1, 0", "2, 0, 0", "-1, 0, 0", "-1, 1, 0",
                                 "-2, 1, 0", "-2, 0, 0"}));
    EXPECT_EQ(d.Faces(), (Lines{"0, 1, 2, 3", "7, 6, 5, 4"}));
    const model::FaceSheet& f = d.m.faces;
    EXPECT_EQ(f.FaceGroup[1], 1);
    EXPECT_EQ(f.FaceStatus[1], 3);  // own colour carried, valid after the rebuild
    EXPECT_EQ(f.FaceColor[1], static_cast<int32_t>(0xFF00FF00));
    EXPECT_EQ(d.m.textureAssignment.faceTextureMap, (std::map<int32_t, uint16_t>{{0, 1}, {1, 1}}));
    EXPECT_EQ(d.m.textureAssignment.uvMap,
              (std::map<int32_t, model::TexCoord>{{1, {0.5f, 0.25f}}, {5, {0.5f, 0.25f}}}));
    EXPECT_EQ(d.m.mirror, (model::MirrorSettings{0, 0.0f}));
    EXPECT_TRUE(d.host.modified);
    // The render mesh no longer carries an image of its own: one face per face line.
    EXPECT_EQ(d.objects.modelMesh->FaceCount(), 2u);
}

TEST(MirrorBake, AxesPositionsAndNoMirror) {
    struct Case {
        int32_t axis;
        float position;
        const char* mirrored;
    } cases[] = {{2, 1.0f, "1, 2, 3"}, {3, -1.5f, "1, 0, -6"}, {1, 0.25f, "-0.5, 0, 3"}};
    for (const Case& c : cases) {
        Doc d({"1, 0, 3", "0, 1, 0", "0, 0, 1"}, {"0, 1, 2"});
        d.m.mirror = {c.axis, c.position};
        ApplyMirrorBake(d.m, d.host);
        EXPECT_EQ(d.Points()[3], c.mirrored) << c.axis;
        EXPECT_EQ(d.m.mirror.mirrorPosition, c.position);
    }
    Doc d({"1, 0, 3", "", "0, 0, 1"}, {"0, 2, 0"});
    EXPECT_FALSE(ApplyMirrorBake(d.m, d.host).ok);
    EXPECT_EQ(d.Points(), (Lines{"1, 0, 3", "", "0, 0, 1"}));
    EXPECT_FALSE(d.host.modified);
}

TEST(MirrorSetting, ShowsTheImageAndMarksOnlyAChange) {
    Doc d({"1, 0, 0", "0, 1, 0", "0, 0, 1"}, {"0, 1, 2"});
    d.host.RebuildPointMarkers(1);
    ApplyMirrorSetting(d.m, d.host, {0, 0.0f});
    EXPECT_FALSE(d.host.modified);
    ApplyMirrorSetting(d.m, d.host, {1, 2.0f});
    EXPECT_TRUE(d.host.modified);
    EXPECT_EQ(d.objects.modelMesh->FaceCount(), 2u);
}

}  // namespace
