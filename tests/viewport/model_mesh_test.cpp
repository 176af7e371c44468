#include "viewport/model_mesh.h"

#include <gtest/gtest.h>

#include "viewport/model_parse.h"

namespace {

using namespace viewport;

model::MeshModel Model(std::vector<std::string> points, std::vector<std::string> faces) {
    model::MeshModel m;
    m.points.ReplaceLines(std::move(points));
    m.faces.ReplaceLines(std::move(faces));
    m.faces.ResizeFaceArrays();
    return m;
}

// The model mesh as the pane builds it.
struct Built {
    rm::MeshBuilderPtr mesh = rm::MeshBuilder::Create();
    rm::MeshBuilderPtr markers = rm::MeshBuilder::Create();
    ModelRenderObjects objects;
    int32_t points = 0;

    void Build(model::MeshModel& m, ModelMeshOptions options = {}) {
        ParsePointLines(m.points, true);
        points = UsedPointCount(m.points);
        BuildPointMarkers(m.points, points, 0xFFFFFFFF, *markers);
        objects.SyncMaterials(m.groups);
        BuildModelMesh(m, objects, points, options, *mesh);
    }
};

TEST(PointParsing, OnlyChangedLinesAndValidity) {
    model::MeshModel m = Model({"1, 2, 3", "bad", "4,5,6", ""}, {""});
    EXPECT_TRUE(ParsePointLines(m.points, false));  // first parse reads everything
    EXPECT_EQ(m.points.lineFlags, (std::vector<uint8_t>{1, 0, 1, 0}));
    EXPECT_EQ(UsedPointCount(m.points), 3);
    EXPECT_EQ(m.points.parsedVertices[2], (model::Vertex{4, 5, 6}));
    EXPECT_FALSE(ParsePointLines(m.points, false));  // nothing changed

    m.points.SetLine(1, "7, 8, 9");
    EXPECT_TRUE(ParsePointLines(m.points, false));
    EXPECT_EQ(m.points.lineFlags[1], 1);
    EXPECT_TRUE(m.points.changeList.empty());
    m.points.SetLine(1, "7, 8, 9");  // same text: recorded, but no vertex changed
    EXPECT_FALSE(ParsePointLines(m.points, false));
    m.points.SetLine(5, "0, 0, 1");  // a line added beyond the parsed ones
    m.points.changeList.clear();
    EXPECT_TRUE(ParsePointLines(m.points, false));
    EXPECT_EQ(UsedPointCount(m.points), 6);
}

TEST(ModelMesh, InvalidFaceLinesKeepLaterFacesAligned) {
    model::MeshModel m = Model({"0, 0, 0", "1, 0, 0", "0, 1, 0", "1, 1, 0", "", "0, 0, 1"},
                               {"1, 2", "0, 2, 1", "0, 4, 1", "0, 2, 9", "1, 2, 3, 5", ""});
    m.faces.FaceStatus[1] = model::FaceSheet::kStatusOwnColor;
    m.faces.FaceColor[1] = static_cast<int32_t>(0xFF112233);
    m.faces.FaceStatus[4] = 0;
    m.faces.FaceColor[4] = static_cast<int32_t>(0xFF445566);  // ignored: bit 1 not set
    m.faces.FaceGroup[4] = 2;
    m.groups.entries.push_back({static_cast<int32_t>(0xFF00FF00), "green", 0, std::nullopt});
    Built b;
    b.Build(m);
    ASSERT_EQ(b.mesh->FaceCount(), 6u);
    for (size_t face : {0u, 2u, 3u, 5u}) {  // too few corners, undefined point, beyond, empty
        ASSERT_EQ(b.mesh->FaceVertexCount(face), 3) << face;
        for (int j = 0; j < 3; ++j) EXPECT_EQ(b.mesh->FaceVertexIndex(face, j), 0);
        EXPECT_EQ(m.faces.FaceStatus[face] & 1, 0);
    }
    EXPECT_EQ(m.faces.FaceStatus[1] & 1, 1);
    EXPECT_EQ(b.mesh->FaceVertexCount(4), 4);
    EXPECT_EQ(b.mesh->FaceVertexIndex(4, 3), 5);
    EXPECT_EQ(b.mesh->FaceColor(1), 0xFF112233u);
    EXPECT_EQ(b.mesh->FaceColor(4), 0xFF00FF00u);  // the group's colour
    EXPECT_EQ(b.mesh->VertexCount(), 6u);
}

TEST(ModelMesh, QualityFollowsTheDisplayMode) {
    const std::pair<int32_t, int> modes[] = {{0, 136}, {1, 137}, {2, 128}, {3, 64}, {4, 136}};
    for (auto [mode, quality] : modes) {
        model::MeshModel m = Model({"0, 0, 0", "1, 0, 0", "0, 1, 0"}, {"0, 2, 1"});
        Built b;
        b.Build(m, {mode, true, true});
        EXPECT_EQ(b.mesh->Quality(), quality) << mode;
    }
}

TEST(ModelMesh, GroupMaterialsOnValidFacesWhenApplied) {
    model::MeshModel m = Model({"0, 0, 0", "1, 0, 0", "0, 1, 0"}, {"0, 2, 1", "0, 1"});
    model::GroupEntry shiny{static_cast<int32_t>(0xFFFFFFFF), "shiny", 1,
                            model::GroupMaterial{12, {1, 1, 1}, {0, 0, 0}, {0.3f, 0.3f, 0.3f}}};
    m.groups.entries.push_back(shiny);
    m.faces.FaceGroup = {2, 2};
    Built b;
    b.Build(m);
    ASSERT_TRUE(b.mesh->FaceMaterial(0));
    EXPECT_EQ(b.mesh->FaceMaterial(0)->Power(), 12);
    EXPECT_EQ(b.mesh->FaceMaterial(0), b.objects.groupMaterials[2]);
    EXPECT_FALSE(b.mesh->FaceMaterial(1));  // an invalid line gets none
    Built plain;
    plain.Build(m, {0, true, false});
    EXPECT_FALSE(plain.mesh->FaceMaterial(0));
}

TEST(ModelMesh, MirrorAcrossXAtOne) {
    model::MeshModel m = Model({"0.25, 0, 0", "0.25, 1, 0", "0.5, 0, 0"}, {"0, 1, 2"});
    m.mirror = {1, 1.0f};
    m.faces.FaceStatus[0] = model::FaceSheet::kStatusOwnColor;
    m.faces.FaceColor[0] = static_cast<int32_t>(0xFF123456);
    m.textureAssignment.uvMap[2] = {0.5f, 0.25f};
    Built b;
    b.Build(m);
    ASSERT_EQ(b.mesh->FaceCount(), 2u);
    ASSERT_EQ(b.mesh->VertexCount(), 6u);
    rm::Vector3 twin;
    ASSERT_TRUE(b.mesh->GetVertex(3, twin));
    EXPECT_FLOAT_EQ(twin.x, 1.75f);
    // The twin face runs the other way round: 0, 1, 2 becomes 2', 1', 0'.
    EXPECT_EQ(b.mesh->FaceVertexIndex(1, 0), 5);
    EXPECT_EQ(b.mesh->FaceVertexIndex(1, 1), 4);
    EXPECT_EQ(b.mesh->FaceVertexIndex(1, 2), 3);
    EXPECT_EQ(b.mesh->FaceColor(1), 0xFF123456u);
    // Front normals point opposite ways in z, as mirrored faces should.
    rm::Vector3 n0, n1;
    ASSERT_TRUE(b.mesh->GetFaceFrontNormal(0, n0));
    ASSERT_TRUE(b.mesh->GetFaceFrontNormal(1, n1));
    EXPECT_FLOAT_EQ(n0.z, n1.z);  // both face the same side of the mirror plane's normal axis
    EXPECT_FLOAT_EQ(n0.x, -n1.x);
    // Texture coordinates: v negated, and copied to the twin vertex.
    float u = 0, v = 0;
    ASSERT_TRUE(b.mesh->GetTextureCoordinates(2, u, v));
    EXPECT_EQ(u, 0.5f);
    EXPECT_EQ(v, -0.25f);
    ASSERT_TRUE(b.mesh->GetTextureCoordinates(5, u, v));
    EXPECT_EQ(v, -0.25f);
}

TEST(ModelMesh, TwoMirrorAxesKeepTheWinding) {
    model::MeshModel m = Model({"0, 0, 0", "1, 0, 0", "0, 1, 0"}, {"0, 2, 1"});
    rm::MeshBuilderPtr mesh = rm::MeshBuilder::Create();
    ParsePointLines(m.points, true);
    BuildModelMesh(m, {}, 3, {}, *mesh);
    AddMirroredCopy(*mesh, true, true, false, 0);
    ASSERT_EQ(mesh->FaceCount(), 2u);
    EXPECT_EQ(mesh->FaceVertexIndex(1, 0), 3);
    EXPECT_EQ(mesh->FaceVertexIndex(1, 1), 5);
}

TEST(PointMarkers, OneDotPerPointAndMarking) {
    model::MeshModel empty;
    Built e;
    e.Build(empty);
    EXPECT_EQ(e.markers->FaceCount(), 0u);
    EXPECT_EQ(e.mesh->FaceCount(), 0u);  // face lines without points draw nothing

    model::MeshModel m = Model({"0, 0, 0", "", "1, 1, 1"}, {""});
    Built b;
    b.Build(m);
    ASSERT_EQ(b.markers->FaceCount(), 3u);
    EXPECT_EQ(b.markers->Quality(), rm::kQualityPoints);
    MarkPoint(*b.markers, 2, true, 0xFFFFFFFF);
    EXPECT_EQ(b.markers->FaceColor(2), kSelectedPointColor);
    MarkPoint(*b.markers, 3, true, 0xFFFFFFFF);  // beyond the markers: ignored
    MarkPoint(*b.markers, -1, true, 0xFF00FF00);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(b.markers->FaceColor(i), 0xFF00FF00u);
}

}  // namespace
