// The writer's output read by an independent reader: positions, faces, materials, textures.
#include <assimp/scene.h>
#include <gtest/gtest.h>
#include <assimp/Importer.hpp>

#include <algorithm>
#include <array>
#include <filesystem>

#include "platform/xfile/x_writer.h"

namespace {

using xfile::XFormat;
using Corner = std::array<float, 3>;
using Face = std::vector<Corner>;

xfile::XMesh Sample() {
    xfile::XMesh m;
    m.name = "Sample";
    m.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0.5f, 0.5f, 1.25f}};
    m.AddFace({0, 1, 2, 3});
    m.AddFace({0, 4, 1});
    m.AddFace({1, 4, 2});
    m.AddFace({2, 4, 3});
    m.AddFace({3, 4, 0});
    for (const auto& v : m.vertices) m.textureCoords.push_back({v.x, v.y});
    xfile::XMaterial a, b, c;
    a.r = 0.5f;
    b.g = 0.25f, b.power = 8;
    c.textureFile = "brick.bmp";
    m.materials = {a, b, c};
    m.faceMaterials = {0, 1, 2, 1, 0};
    return m;
}

std::vector<Face> OurFaces(const xfile::XMesh& m) {
    std::vector<Face> faces;
    for (size_t at = 0; at < m.faceData.size(); at += 1 + m.faceData[at]) {
        Face f;
        for (uint32_t i = 1; i <= m.faceData[at]; ++i) {
            const auto& v = m.vertices[m.faceData[at + i]];
            f.push_back({v.x, v.y, v.z});
        }
        faces.push_back(f);
    }
    std::sort(faces.begin(), faces.end());
    return faces;
}

TEST(XAssimpInterop, ReadsWhatTheWriterWrites) {
    const xfile::XMesh mesh = Sample();
    const auto dir = std::filesystem::path(MOKKEL_BINARY_DIR) / "xfile_interop_test";
    std::filesystem::create_directories(dir);
    const std::pair<XFormat, const char*> formats[] = {{XFormat::kText, "text.x"},
                                                       {XFormat::kBinary, "binary.x"},
                                                       {XFormat::kTextZip, "tzip.x"},
                                                       {XFormat::kBinaryZip, "bzip.x"}};
    for (const auto& [format, name] : formats) {
        const std::string path = (dir / name).string();
        ASSERT_TRUE(xfile::WriteXFile(path, mesh, format, xfile::kSaveAll));
        Assimp::Importer importer;
        const aiScene* scene = importer.ReadFile(path, 0);
        ASSERT_NE(scene, nullptr) << name << ": " << importer.GetErrorString();

        // The importer splits a mesh by material and gives each corner its own vertex, so
        // compare faces as lists of corner positions. It also turns the left-handed data
        // right-handed: z negated and every winding reversed; undo that.
        std::vector<Face> theirs;
        for (unsigned i = 0; i < scene->mNumMeshes; ++i) {
            const aiMesh* am = scene->mMeshes[i];
            for (unsigned f = 0; f < am->mNumFaces; ++f) {
                Face face;
                for (unsigned k = 0; k < am->mFaces[f].mNumIndices; ++k) {
                    const aiVector3D& v = am->mVertices[am->mFaces[f].mIndices[k]];
                    face.push_back({v.x, v.y, -v.z});
                }
                std::reverse(face.begin(), face.end());
                theirs.push_back(face);
            }
        }
        std::sort(theirs.begin(), theirs.end());
        EXPECT_EQ(theirs.size(), size_t(mesh.faceCount)) << name;
        EXPECT_EQ(theirs, OurFaces(mesh)) << name;

        ASSERT_GE(scene->mNumMaterials, 3u) << name;
        int textured = 0;
        for (unsigned i = 0; i < scene->mNumMaterials; ++i) {
            aiString tex;
            if (scene->mMaterials[i]->GetTexture(aiTextureType_DIFFUSE, 0, &tex) == AI_SUCCESS) {
                ++textured;
                EXPECT_STREQ(tex.C_Str(), "brick.bmp") << name;
            }
        }
        EXPECT_EQ(textured, 1) << name;
        // Materials the faces do not use are not written; each used one is.
        unsigned used = 0;
        for (unsigned i = 0; i < scene->mNumMeshes; ++i) used += scene->mMeshes[i]->mNumFaces > 0;
        EXPECT_EQ(used, 3u) << name;
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
