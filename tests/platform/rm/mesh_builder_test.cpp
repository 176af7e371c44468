#include <gtest/gtest.h>

#include <numbers>
#include <vector>

#include "platform/rm/frame.h"
#include "platform/rm/mesh_builder.h"
#include "tests/platform/rm/expect_vector.h"

namespace rm {
namespace {

// A unit cube's six faces, clockwise seen from outside.
MeshBuilderPtr Cube() {
    MeshBuilderPtr m = MeshBuilder::Create();
    std::vector<Vector3> v = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
                              {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
    std::vector<uint32_t> f = {4, 0, 3, 2, 1, 4, 4, 5, 6, 7, 4, 0, 4, 7, 3, 4,
                               1, 2, 6, 5, 4, 3, 7, 6, 2, 4, 0, 1, 5, 4, 0};
    EXPECT_TRUE(m->AddFaces(v, {}, f));
    return m;
}

TEST(RmMeshBuilder, FaceAndVertexOrderAsAdded) {
    MeshBuilderPtr m = MeshBuilder::Create();
    std::vector<Vector3> v = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 2, 2}};
    // A pentagon-less mix: quad, triangle, the degenerate 0,0,0 of an invalid line, triangle.
    std::vector<uint32_t> f = {4, 3, 2, 1, 0, 3, 0, 3, 4, 3, 0, 0, 0, 3, 4, 2, 1, 0};
    ASSERT_TRUE(m->AddFaces(v, {}, f));
    ASSERT_EQ(m->FaceCount(), 4u);
    ASSERT_EQ(m->VertexCount(), 5u);
    EXPECT_EQ(m->FaceVertexCount(0), 4);
    EXPECT_EQ(m->FaceVertexIndex(0, 0), 3);
    EXPECT_EQ(m->FaceVertexIndex(0, 3), 0);
    EXPECT_EQ(m->FaceVertexCount(1), 3);
    EXPECT_EQ(m->FaceVertexIndex(2, 1), 0);
    EXPECT_EQ(m->FaceVertexIndex(3, 0), 4);
    EXPECT_EQ(m->FaceVertexIndex(3, 5), -1);
    EXPECT_EQ(m->FaceVertexCount(4), -1);
    Vector3 p;
    ASSERT_TRUE(m->GetVertex(4, p));
    ExpectNear(p, {2, 2, 2});

    // A second call appends; its indices are its own.
    std::vector<Vector3> w = {{5, 5, 5}, {6, 5, 5}, {6, 6, 5}};
    std::vector<uint32_t> g = {3, 0, 2, 1, 0};
    ASSERT_TRUE(m->AddFaces(w, {}, g));
    EXPECT_EQ(m->FaceCount(), 5u);
    EXPECT_EQ(m->FaceVertexIndex(4, 0), 5);
    EXPECT_EQ(m->FaceVertexIndex(4, 1), 7);
}

TEST(RmMeshBuilder, InvalidFaceDataAddsNothing) {
    MeshBuilderPtr m = MeshBuilder::Create();
    std::vector<Vector3> v = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}};
    std::vector<uint32_t> bad = {3, 0, 1, 2, 3, 0, 1, 9, 0};
    EXPECT_FALSE(m->AddFaces(v, {}, bad));
    std::vector<uint32_t> two = {2, 0, 1, 0};
    EXPECT_FALSE(m->AddFaces(v, {}, two));
    std::vector<uint32_t> cut = {3, 0, 1};
    EXPECT_FALSE(m->AddFaces(v, {}, cut));
    std::vector<uint32_t> none = {3, 0, 0, 0, 0};
    EXPECT_FALSE(m->AddFaces({}, {}, none));  // faces but no points
    EXPECT_EQ(m->FaceCount(), 0u);
    EXPECT_EQ(m->VertexCount(), 0u);
    std::vector<uint32_t> empty = {0};
    EXPECT_TRUE(m->AddFaces({}, {}, empty));
}

TEST(RmMeshBuilder, FaceQueries) {
    MeshBuilderPtr m = Cube();
    ASSERT_EQ(m->FaceCount(), 6u);
    Vector3 n;
    ASSERT_TRUE(m->GetFaceFrontNormal(0, n));
    ExpectNear(n, {0, 0, -1});  // the z = 0 face looks towards -z
    ASSERT_TRUE(m->GetFaceFrontNormal(1, n));
    ExpectNear(n, {0, 0, 1});
    ASSERT_TRUE(m->GetFaceFrontNormal(4, n));
    ExpectNear(n, {0, 1, 0});
    Vector3 p;
    ASSERT_TRUE(m->GetFaceVertex(1, 2, p));
    ExpectNear(p, {1, 1, 1});
    EXPECT_FALSE(m->GetFaceVertex(1, 4, p));

    EXPECT_EQ(m->FaceColor(2), 0xFFFFFFFFu);  // default white
    m->SetFaceColor(2, 0xFF112233);
    m->SetFaceColorRgb(3, 1, 0.5f, 255.0f);
    EXPECT_EQ(m->FaceColor(2), 0xFF112233u);
    EXPECT_EQ(m->FaceColor(3), 0xFFFF80FFu);
    EXPECT_FALSE(m->SetFaceColor(6, 0));
    MaterialPtr mat = Material::Create(8);
    TexturePtr tex = Texture::Create(1, 1, {0xFFFFFFFF});
    m->SetFaceMaterial(5, mat);
    m->SetFaceTexture(5, tex);
    EXPECT_EQ(m->FaceMaterial(5), mat);
    EXPECT_EQ(m->FaceTexture(5), tex);
    EXPECT_EQ(m->FaceMaterial(4), nullptr);
    m->SetColor(0xFF00FF00);
    for (size_t i = 0; i < m->FaceCount(); ++i) EXPECT_EQ(m->FaceColor(i), 0xFF00FF00u);
}

TEST(RmMeshBuilder, NormalsWithFullCreaseAreSmooth) {
    MeshBuilderPtr m = Cube();
    ASSERT_TRUE(m->GenerateNormals(2 * std::numbers::pi_v<float>, kGenerateNormalsUseCreaseAngle));
    EXPECT_EQ(m->NormalCount(), 8u);  // one per vertex
    Vector3 n;
    // Vertex 6 = (1, 1, 1) is shared by three faces: its normal is their average.
    for (size_t f = 0; f < m->FaceCount(); ++f)
        for (int j = 0; j < m->FaceVertexCount(f); ++j)
            if (m->FaceVertexIndex(f, j) == 6) {
                ASSERT_TRUE(m->GetFaceNormal(f, j, n));
                ExpectNear(n, Normalize(Vector3{1, 1, 1}));
            }
    // A small crease keeps the cube's edges sharp: three normals per corner.
    ASSERT_TRUE(m->GenerateNormals(0.5f, kGenerateNormalsUseCreaseAngle));
    EXPECT_EQ(m->NormalCount(), 24u);
    ASSERT_TRUE(m->GetFaceNormal(1, 0, n));
    ExpectNear(n, {0, 0, 1});
}

TEST(RmMeshBuilder, GeometryReadBackMakesAMirroredCopy) {
    MeshBuilderPtr m = MeshBuilder::Create();
    std::vector<Vector3> v = {{0.25f, 0, 0}, {0.25f, 1, 0}, {0.5f, 0, 0}};
    std::vector<uint32_t> f = {3, 0, 1, 2, 0};
    ASSERT_TRUE(m->AddFaces(v, {}, f));
    m->SetTextureCoordinates(1, 0.5f, -0.25f);
    MeshGeometry g;
    ASSERT_TRUE(m->GetGeometry(g));
    ASSERT_EQ(g.vertices.size(), 3u);
    ASSERT_EQ(g.faceData.size(), 1u + 3 * 2 + 1);
    EXPECT_EQ(g.faceData[0], 3u);
    EXPECT_EQ(g.faceData[1], 0u);
    EXPECT_EQ(g.faceData[3], 1u);
    EXPECT_LT(g.faceData[2], g.normals.size());
    EXPECT_FLOAT_EQ(g.texCoords[1].v, -0.25f);

    // Mirror on x about 1, with reversed pairs, appended as faces F + k.
    for (Vector3& p : g.vertices) p.x = 2 * 1.0f - p.x;
    std::vector<uint32_t> rev = {
        3, g.faceData[5], g.faceData[6], g.faceData[3], g.faceData[4], g.faceData[1], g.faceData[2],
        0};
    ASSERT_TRUE(m->AddFaces(g.vertices, g.normals, rev));
    ASSERT_EQ(m->FaceCount(), 2u);
    Vector3 p;
    ASSERT_TRUE(m->GetFaceVertex(1, 2, p));
    ExpectNear(p, {1.75f, 0, 0});
    Vector3 n0, n1;
    m->GetFaceFrontNormal(0, n0);
    m->GetFaceFrontNormal(1, n1);
    ExpectNear(n0, n1);  // reversed winding keeps the copy facing the same way after mirroring
}

TEST(RmMeshBuilder, AddFrameTakesTheSubtreeWithItsTransforms) {
    FramePtr root = Frame::Create();
    FramePtr a = Frame::Create(root);
    FramePtr b = Frame::Create(a);
    a->SetPosition({}, 100, 0, 0);  // a's own placement does not matter
    b->SetPosition(a, 0, 1, 0);
    MeshBuilderPtr m = Cube();
    b->AddVisual(m);
    MeshBuilderPtr all = MeshBuilder::Create();
    ASSERT_TRUE(all->AddFrame(*a));
    EXPECT_EQ(all->FaceCount(), 6u);
    Vector3 p;
    all->GetVertex(6, p);
    ExpectNear(p, {1, 2, 1});
}

TEST(RmMeshBuilder, QualityAndEmpty) {
    MeshBuilderPtr m = Cube();
    EXPECT_TRUE(m->SetQuality(kQualityWireframe));
    EXPECT_EQ(m->Quality(), 64);
    EXPECT_TRUE(m->SetQuality(0));
    EXPECT_TRUE(m->SetQuality(136));
    EXPECT_TRUE(m->SetQuality(137));
    EXPECT_TRUE(m->SetQuality(128));
    EXPECT_FALSE(m->SetQuality(0xC0));
    EXPECT_TRUE(m->Empty());
    EXPECT_EQ(m->FaceCount(), 0u);
    EXPECT_EQ(m->VertexCount(), 0u);
    EXPECT_EQ(m->Quality(), 128);
}

TEST(RmMeshBuilder, PointMarkersOneFacePerPoint) {
    MeshBuilderPtr m = MeshBuilder::Create();
    std::vector<Vector3> v = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    std::vector<uint32_t> f;
    for (uint32_t j = 0; j < 3; ++j) f.insert(f.end(), {3, j, j, j});
    f.push_back(0);
    ASSERT_TRUE(m->AddFaces(v, {}, f));
    EXPECT_EQ(m->FaceCount(), m->VertexCount());
    EXPECT_EQ(m->FaceVertexIndex(2, 1), 2);
}

}  // namespace
}  // namespace rm
