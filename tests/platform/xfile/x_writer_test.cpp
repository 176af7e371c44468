#include "platform/xfile/x_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "platform/xfile/x_reader.h"

namespace {

using xfile::XFormat;
namespace fs = std::filesystem;

// Faces bring one material each, as the engine adapter hands them over: a red pair, a
// textured one and one white; equal ones must merge into one Material.
xfile::XMesh TexturedCube() {
    xfile::XMesh m;
    m.name = "Cube";
    m.vertices = {{-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}, {1, -1, -1},
                  {-1, -1, 1},  {-1, 1, 1},  {1, 1, 1},  {1, -1, 1}};
    m.AddFace({0, 1, 2, 3});
    m.AddFace({7, 6, 5, 4});
    m.AddFace({4, 5, 1, 0});
    m.AddFace({3, 2, 6, 7});
    m.AddFace({1, 5, 6});
    m.AddFace({1, 6, 2});
    for (size_t i = 0; i < m.vertices.size(); ++i)
        m.textureCoords.push_back({float(i) / 8, 1.0f - float(i) / 8});
    xfile::XMaterial red;
    red.r = 1, red.g = 0.25f, red.b = 0, red.a = 1;
    red.power = 12.5f;
    red.specular[0] = 0.75f;
    red.emissive[2] = 0.125f;
    xfile::XMaterial textured;
    textured.textureFile = "tex\\brick.bmp";
    m.materials = {red, red, textured, xfile::XMaterial{}, red, textured};
    m.faceMaterials = {0, 1, 2, 3, 4, 5};
    m.faceWraps = {{false, false}, {true, false},  {false, true},
                   {true, true},   {false, false}, {false, false}};
    return m;
}

const XFormat kAllFormats[] = {XFormat::kText, XFormat::kBinary, XFormat::kTextZip,
                               XFormat::kBinaryZip};

TEST(XWriter, RoundTripsEveryPartInEveryFormat) {
    const xfile::XMesh cube = TexturedCube();
    for (XFormat format : kAllFormats) {
        std::string bytes;
        ASSERT_TRUE(xfile::EncodeXMesh(cube, format, xfile::kSaveAll, bytes));
        auto r = xfile::ReadXData(bytes);
        ASSERT_TRUE(r) << r.error;
        EXPECT_EQ(r.file->format, format);
        const xfile::XMesh& m = r.file->meshes.at(0);
        EXPECT_EQ(m.name, "Cube");
        EXPECT_EQ(m.vertices, cube.vertices);
        EXPECT_EQ(m.faceData, cube.faceData);
        EXPECT_EQ(m.textureCoords, cube.textureCoords);
        EXPECT_EQ(m.faceWraps, cube.faceWraps);
        // Three distinct materials, in the order the faces first use them.
        ASSERT_EQ(m.materials.size(), 3u);
        EXPECT_EQ(m.faceMaterials, (std::vector<uint32_t>{0, 0, 1, 2, 0, 1}));
        EXPECT_EQ(m.materials[0], cube.materials[0]);
        EXPECT_EQ(m.materials[1].textureFile, "tex\\brick.bmp");
        EXPECT_EQ(m.materials[2], xfile::XMaterial{});
        EXPECT_EQ(r.file->textureFiles, std::vector<std::string>{"tex\\brick.bmp"});
        // Normals were made from the faces, clockwise faces facing front: the corner
        // (1, -1, -1) lies on the -z and the +x quads only (the cube has no bottom).
        ASSERT_EQ(m.normals.size(), cube.vertices.size());
        EXPECT_EQ(m.faceNormalData, cube.faceData);
        const xfile::XVector n = m.normals[3];
        EXPECT_NEAR(n.x, 1 / std::sqrt(2.0f), 1e-6);
        EXPECT_NEAR(n.y, 0, 1e-6);
        EXPECT_NEAR(n.z, -1 / std::sqrt(2.0f), 1e-6);
    }
}

TEST(XWriter, FloatsSurviveTextExactly) {
    xfile::XMesh m;
    m.vertices = {{0.1f, -1e-7f, 3.4028235e38f}, {1.0f / 3, 16777217.0f, -0.0f}, {1, 2, 3}};
    m.AddFace({0, 1, 2});
    std::string bytes;
    ASSERT_TRUE(xfile::EncodeXMesh(m, XFormat::kText, 0, bytes));
    auto r = xfile::ReadXData(bytes);
    ASSERT_TRUE(r) << r.error;
    EXPECT_EQ(r.file->meshes.at(0).vertices, m.vertices);
}

TEST(XWriter, FlagsChooseWhatIsWritten) {
    const xfile::XMesh cube = TexturedCube();
    std::string bytes;
    ASSERT_TRUE(xfile::EncodeXMesh(cube, XFormat::kText, 0, bytes));
    auto bare = xfile::ReadXData(bytes);
    ASSERT_TRUE(bare);
    const xfile::XMesh& b = bare.file->meshes.at(0);
    EXPECT_TRUE(b.normals.empty());
    EXPECT_TRUE(b.textureCoords.empty());
    EXPECT_TRUE(b.materials.empty());
    EXPECT_TRUE(b.faceWraps.empty());
    EXPECT_EQ(bytes.find("MeshFaceWraps"), std::string::npos);

    // Materials without texture names: the textured material becomes plain white, equal to
    // the white one, so two materials remain.
    ASSERT_TRUE(xfile::EncodeXMesh(cube, XFormat::kText, xfile::kSaveMaterials, bytes));
    auto plain = xfile::ReadXData(bytes);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain.file->meshes.at(0).materials.size(), 2u);
    EXPECT_TRUE(plain.file->textureFiles.empty());

    // Given normals are written as they are.
    xfile::XMesh withNormals = cube;
    withNormals.normals = {{0, 0, 1}};
    withNormals.faceNormalData.clear();
    for (size_t at = 0; at < cube.faceData.size(); at += 1 + cube.faceData[at]) {
        withNormals.faceNormalData.push_back(cube.faceData[at]);
        withNormals.faceNormalData.insert(withNormals.faceNormalData.end(), cube.faceData[at], 0);
    }
    ASSERT_TRUE(xfile::EncodeXMesh(withNormals, XFormat::kBinary, xfile::kSaveNormals, bytes));
    auto n = xfile::ReadXData(bytes);
    ASSERT_TRUE(n);
    EXPECT_EQ(n.file->meshes.at(0).normals, withNormals.normals);
    EXPECT_EQ(n.file->meshes.at(0).faceNormalData, withNormals.faceNormalData);
}

TEST(XWriter, RefusesInconsistentMeshes) {
    std::string bytes;
    xfile::XMesh m = TexturedCube();
    m.faceData[1] = 99;  // index beyond the vertices
    EXPECT_FALSE(xfile::EncodeXMesh(m, XFormat::kText, xfile::kSaveAll, bytes));
    m = TexturedCube();
    m.faceCount += 1;
    EXPECT_FALSE(xfile::EncodeXMesh(m, XFormat::kText, xfile::kSaveAll, bytes));
    m = TexturedCube();
    m.faceMaterials[0] = 6;
    EXPECT_FALSE(xfile::EncodeXMesh(m, XFormat::kText, xfile::kSaveAll, bytes));
    m = TexturedCube();
    m.textureCoords.pop_back();
    EXPECT_FALSE(xfile::EncodeXMesh(m, XFormat::kBinary, xfile::kSaveAll, bytes));
}

TEST(XWriter, SavesThroughATemporaryFile) {
    const fs::path dir = fs::path(MOKKEL_BINARY_DIR) / "xfile_writer_test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string path = (dir / "cube.x").string();
    { std::ofstream(path) << "old contents"; }
    // A mesh that cannot be written leaves the old file alone.
    xfile::XMesh broken = TexturedCube();
    broken.faceData[1] = 99;
    std::string error;
    EXPECT_FALSE(xfile::WriteXFile(path, broken, XFormat::kText, xfile::kSaveAll, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(fs::file_size(path), 12u);

    ASSERT_TRUE(xfile::WriteXFile(path, TexturedCube(), XFormat::kBinary, xfile::kSaveAll));
    auto r = xfile::ReadXFile(path);
    ASSERT_TRUE(r) << r.error;
    EXPECT_EQ(r.file->meshes.at(0).faceCount, 6u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    EXPECT_FALSE(xfile::WriteXFile((dir / "missing" / "a.x").string(), TexturedCube(),
                                   XFormat::kText, xfile::kSaveAll));
    EXPECT_FALSE(xfile::ReadXFile((dir / "missing.x").string()));
    EXPECT_FALSE(xfile::ReadXFile(dir.string()));
    EXPECT_FALSE(xfile::ReadXFile("/dev/zero"));
    fs::remove_all(dir);
}

}  // namespace
