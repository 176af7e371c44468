// Faces from picked points, deleting picked points, and a point's texture coordinates.
#include <gtest/gtest.h>

#include "modeller/ops/make_face.h"
#include "modeller/ops/vertex_uv.h"
#include "tests/modeller/ops/ops_fixture.h"

namespace {

using namespace modeller::ops;
using ops_test::Doc;
using ops_test::Lines;

Lines TenPoints() {
    Lines p;
    for (int i = 0; i < 10; ++i) p.push_back(std::to_string(i) + ", 0, " + std::to_string(i % 3));
    return p;
}

TEST(MakeFace, PicksBecomeTheFirstExactlyEmptyFaceLine) {
    Doc d(TenPoints(), {"0, 1, 2", " ", ""});
    ASSERT_TRUE(WritePickedFace(d.m, d.host, {3, 7, 9}).ok);
    EXPECT_EQ(d.Faces(), (Lines{"0, 1, 2", " ", "3, 7, 9"}));
    ASSERT_TRUE(WritePickedFace(d.m, d.host, {9, 7, 3}).ok);
    EXPECT_EQ(d.Faces().back(), "9, 7, 3");  // appended
    EXPECT_FALSE(WritePickedFace(d.m, d.host, {1, 2}).ok);
    EXPECT_EQ(d.Faces().size(), 4u);
}

TEST(MakeFace, DeleteEmptiesThePickedLinesAndTheirCoordinates) {
    Doc d(TenPoints(), {"3, 7, 9"});
    d.m.textureAssignment.uvMap[7] = {0.5f, 0.5f};
    d.m.textureAssignment.uvMap[8] = {0.25f, 0.5f};
    DeletePickedPoints(d.m, d.host, {3, 7, 42});
    EXPECT_EQ(d.Points()[3], "");
    EXPECT_EQ(d.Points()[7], "");
    EXPECT_EQ(d.m.textureAssignment.uvMap.count(7), 0u);
    EXPECT_EQ(d.m.textureAssignment.uvMap.count(8), 1u);
}

TEST(VertexUv, FieldsAndOk) {
    Doc d(TenPoints(), {"0, 1, 2"});
    auto& uv = d.m.textureAssignment.uvMap;
    uv[1] = {0.25f, 0.75f};
    const VertexUvFields f = VertexUvFor(d.m, nullptr, 1);
    EXPECT_EQ(f.current, "0.250000, 0.750000");
    EXPECT_EQ(f.toSet, f.current);
    EXPECT_EQ(VertexUvFor(d.m, nullptr, 2).current, "");

    struct Case {
        int32_t point;
        const char* text;
        bool changed, stored;
        model::TexCoord uv;
    };
    const Case cases[] = {
        {1, "0.5", true, true, {0.5f, 0.75f}},  // a missing v keeps the old one
        {2, "0.5", true, true, {0.5f, 0.0f}},   // ... or 0
        {2, "0.5, 0", false, true, {0.5f, 0.0f}},
        {3, "1, 2, 3", true, true, {1, 2}},
        {1, "  ", true, false, {}},  // a blank field removes them
        {1, "", false, false, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ApplyVertexUv(d.m, c.point, c.text), c.changed) << c.text;
        ASSERT_EQ(uv.count(c.point), c.stored ? 1u : 0u) << c.text;
        if (c.stored) {
            EXPECT_EQ(uv[c.point], c.uv) << c.text;
        }
    }
}

TEST(VertexUv, TheWrapsCoordinatesShowWhileItIsApplied) {
    Doc d(TenPoints(), {"0, 1, 2"});
    d.host.RebuildPointMarkers(1);
    rm::MeshBuilder& mesh = *d.objects.modelMesh;
    ASSERT_GE(mesh.VertexCount(), 3u);
    mesh.SetTextureCoordinates(2, 0.5f, 0.125f);
    EXPECT_EQ(VertexUvFor(d.m, &mesh, 2).current, "");
    d.m.wrap.wrapFlag = 1;
    EXPECT_EQ(VertexUvFor(d.m, &mesh, 2).current, "0.500000, 0.125000");
    EXPECT_EQ(VertexUvFor(d.m, &mesh, 2).toSet, "");
    EXPECT_EQ(VertexUvFor(d.m, &mesh, 2, false).current, "");
}

}  // namespace
