#include "viewport/x_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "model/model_file.h"
#include "model/vector_text.h"
#include "platform/image/bmp_writer.h"
#include "tests/support/scripted_prompt.h"
#include "tests/support/temp_dir.h"
#include "viewport/model_parse.h"
#include "viewport/texture_loading.h"

namespace {

using namespace viewport;
using testing_support::ScriptedPrompt;
using testing_support::TempDir;

// Two triangles and a quad in three groups: plain, shiny red, shiny blue with a texture.
model::MeshModel SourceModel(const std::string& dir) {
    model::MeshModel m;
    m.currentFile.Set(dir + "/src.mkl");
    m.points.ReplaceLines({"0, 0, 0", "1, 0, 0", "0, 1, 0", "1, 1, 0.5", "2, 0, 0", "2, 1, 0", ""});
    m.faces.ReplaceLines({"0, 2, 1", "1, 2, 3", "1, 3, 5, 4", ""});
    m.faces.ResizeFaceArrays();
    m.groups.entries.push_back({static_cast<int32_t>(0xFFFF0000), "red", 1,
                                model::GroupMaterial{8, {1, 1, 1}, {0.25f, 0, 0}, {}}});
    m.groups.entries.push_back({static_cast<int32_t>(0xFF0000FF), "blue", 1,
                                model::GroupMaterial{30, {0.5f, 0.5f, 0.5f}, {}, {}}});
    m.faces.FaceGroup = {2, 3, 3, 0};
    m.faces.FaceStatus = {1, 1, 3, 0};
    m.faces.FaceColor = {-1, -1, static_cast<int32_t>(0xFF00FF00), -1};
    m.textures.push_back({dir + "/wood.bmp", "wood", 0, 0});
    m.textureAssignment.textureNames.push_back("wood");
    m.textureAssignment.faceTextureMap[2] = 1;
    m.textureAssignment.uvMap = {{1, {0, 0}}, {3, {0, 1}}, {5, {1, 1}}, {4, {0.5f, 0.25f}}};
    return m;
}

class XModel : public ::testing::TestWithParam<bool> {
protected:
    TempDir dir;
    ScriptedPrompt prompt;

    void SetUp() override {
        image::Image img{2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}};
        ASSERT_TRUE(image::WriteBmpFile(dir.File("wood.bmp"), img, 24));
    }
};

TEST_P(XModel, RoundTripKeepsGeometryGroupsColoursAndTextures) {
    model::MeshModel source = SourceModel(dir.path());
    ModelRenderObjects sourceObjects;
    ASSERT_TRUE(LoadTextureEntry(source, sourceObjects, -1, &prompt));
    const std::string path = dir.File(GetParam() ? "out_bin.x" : "out_txt.x");
    ASSERT_TRUE(ExportXFile(source, sourceObjects, path, GetParam(), {}));

    model::MeshModel back;
    ModelRenderObjects objects;
    ASSERT_TRUE(ImportXFile(back, objects, path, &prompt));
    EXPECT_TRUE(prompt.shown.empty());
    // Points: six vertices and one empty line after them.
    ASSERT_EQ(back.points.maxLine, 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(*model::ParseVector(back.points.GetLine(i)),
                  *model::ParseVector(source.points.GetLine(i)));
    EXPECT_EQ(back.points.GetLine(6), "");
    // Faces: the three valid ones and the empty last line; the invalid empty line of the
    // source is not written, so a round trip never grows the face sheet.
    ASSERT_EQ(back.faces.maxLine, 3);
    EXPECT_EQ(back.faces.GetLine(0), "0, 2, 1");
    EXPECT_EQ(back.faces.GetLine(2), "1, 3, 5, 4");
    EXPECT_EQ(back.faces.GetLine(3), "");
    // Colours: face 2 kept its own colour, the others their group's.
    EXPECT_EQ(static_cast<uint32_t>(back.faces.FaceColor[0]), 0xFFFF0000u);
    EXPECT_EQ(static_cast<uint32_t>(back.faces.FaceColor[2]), 0xFF00FF00u);
    // Groups: one per material, numbered from 1; the plain faces share one more.
    const auto& g = back.groups;
    ASSERT_GE(g.size(), 4u);
    EXPECT_EQ(g[1].name, "Group1");
    EXPECT_EQ(back.faces.FaceGroup[0], 1);
    EXPECT_EQ(g[back.faces.FaceGroup[0]].material->power, 8);
    EXPECT_EQ(g[back.faces.FaceGroup[1]].material->power, 30);
    EXPECT_EQ(g[back.faces.FaceGroup[0]].material->emissive[0], 0.25f);
    EXPECT_EQ(back.faces.FaceStatus[0], 1);
    // Textures: the name and the coordinates of the textured face's corners.
    ASSERT_EQ(back.textures.size(), 1u);
    EXPECT_EQ(back.textures[0].name, "wood");
    EXPECT_EQ(back.textures[0].path, dir.File("wood.bmp"));
    ASSERT_EQ(back.textureAssignment.faceTextureMap.count(2), 1u);
    EXPECT_EQ(back.textureAssignment.textureNames[back.textureAssignment.faceTextureMap.at(2)],
              "wood");
    EXPECT_EQ(back.textureAssignment.uvMap.at(4), (model::TexCoord{0.5f, 0.25f}));
    EXPECT_EQ(back.textureAssignment.uvMap.at(3), (model::TexCoord{0, 1}));
}

INSTANTIATE_TEST_SUITE_P(TextAndBinary, XModel, ::testing::Bool());

// Invalid face lines anywhere (blank, too few corners, an unknown point) are left out, also
// from the mirrored copy, and repeated round trips keep the face count.
TEST(XExport, WritesOnlyValidFacesAndTheirMirroredCopies) {
    TempDir dir;
    model::MeshModel m;
    m.points.ReplaceLines({"0, 0, 0", "1, 0, 0", "0, 1, 0", "1, 1, 0", ""});
    m.faces.ReplaceLines({"0, 2, 1", "", "1, 2", "1, 2, 3", "0, 1, 99", ""});
    m.faces.ResizeFaceArrays();
    for (int32_t axis : {0, 1}) {
        SCOPED_TRACE(axis);
        m.mirror.mirrorAxis = axis;
        ModelRenderObjects objects;
        const std::string path = dir.File("mirror" + std::to_string(axis) + ".x");
        ASSERT_TRUE(ExportXFile(m, objects, path, false, {}));
        const size_t valid = axis ? 4 : 2;
        model::MeshModel back;
        ModelRenderObjects backObjects;
        ASSERT_TRUE(ImportXFile(back, backObjects, path, nullptr));
        ASSERT_EQ(back.faces.maxLine, static_cast<int32_t>(valid));
        EXPECT_EQ(back.faces.GetLine(0), "0, 2, 1");
        EXPECT_EQ(back.faces.GetLine(1), "1, 2, 3");
        // Again: nothing is added on the second trip.
        ASSERT_TRUE(ExportXFile(back, backObjects, path, false, {}));
        ASSERT_TRUE(ImportXFile(back, backObjects, path, nullptr));
        EXPECT_EQ(back.faces.maxLine, static_cast<int32_t>(valid));
    }
}

// The sample: 13 faces and 4 blank face lines. The blanks are not written, so the first
// trip through X gives the 13 faces and the closing empty line, and later trips keep that.
TEST(XExport, TheSampleKeepsItsFacesThroughRoundTrips) {
    TempDir dir;
    model::MeshModel m;
    ASSERT_TRUE(model::LoadModelFile(m, MOKKEL_SOURCE_DIR "/resources/samples/house.mkl", nullptr));
    ASSERT_EQ(m.faces.maxLine, 16);
    ModelRenderObjects objects;
    for (int trip = 0; trip < 2; ++trip) {
        ASSERT_TRUE(ExportXFile(m, objects, dir.File("house.x"), false, {}));
        m = model::MeshModel{};
        ASSERT_TRUE(ImportXFile(m, objects, dir.File("house.x"), nullptr));
        EXPECT_EQ(m.faces.maxLine, 13);
        EXPECT_EQ(m.faces.GetLine(12), "18, 21, 20, 19");
    }
}

// A texture named by an X file is found beside the file whatever form its path took.
TEST(XImport, TexturesOfARelativelyOpenedFileAreFound) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("v1.2"));
    image::Image img{2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}};
    ASSERT_TRUE(image::WriteBmpFile(dir.File("v1.2/wood.bmp"), img, 24));
    std::ofstream(dir.File("v1.2/tex.x"))
        << "xof 0302txt 0032\n"
           "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,2,1;;\n"
           " MeshMaterialList { 1; 1; 0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;;\n"
           "   TextureFilename { \"wood.bmp\"; } } }\n"
           " MeshTextureCoords { 3; 0;0;, 1;0;, 0;1;; } }\n";
    const auto cwd = std::filesystem::current_path();
    for (const auto& [folder, path] :
         {std::pair{dir.File("v1.2"), "tex.x"}, std::pair{dir.path(), "v1.2/tex.x"},
          std::pair{dir.File("v1.2"), "./tex.x"},
          std::pair{dir.File("v1.2/.."), "v1.2/../v1.2/tex.x"}}) {
        SCOPED_TRACE(path);
        std::filesystem::current_path(folder);
        model::MeshModel m;
        ModelRenderObjects objects;
        const bool imported = ImportXFile(m, objects, path, nullptr);
        std::filesystem::current_path(cwd);
        ASSERT_TRUE(imported);
        ASSERT_EQ(m.textures.size(), 1u);
        EXPECT_EQ(m.textures[0].path, dir.File("v1.2/wood.bmp"));
        EXPECT_EQ(m.textureAssignment.faceTextureMap.count(0), 1u);
        ASSERT_EQ(objects.textures.size(), 1u);
        EXPECT_TRUE(objects.textures[0]);
    }
}

TEST(XImport, FacesWithoutMaterialsShareOneGroup) {
    TempDir dir;
    std::ofstream(dir.File("plain.x")) << "xof 0302txt 0032\n"
                                          "Mesh { 4; 0;0;0;, 1;0;0;, 0;1;0;, 1;1;0;;\n"
                                          " 2; 3;0,2,1;, 3;1,2,3;; }\n";
    model::MeshModel m;
    ModelRenderObjects objects;
    ScriptedPrompt prompt;
    ASSERT_TRUE(ImportXFile(m, objects, dir.File("plain.x"), &prompt));
    ASSERT_EQ(m.groups.size(), 2u);
    EXPECT_EQ(m.groups[1].name, "Group1");
    EXPECT_EQ(m.groups[1].hasMaterial, 0);
    EXPECT_EQ(m.faces.FaceGroup[0], 1);
    EXPECT_EQ(m.faces.FaceGroup[1], 1);
    EXPECT_EQ(m.points.maxLine, 4);
    EXPECT_EQ(m.faces.maxLine, 2);
    EXPECT_EQ(m.points.lineFlags[0], 1);
    EXPECT_EQ(m.points.parsedCount, 4);
}

TEST(XImport, MeshesInsideFramesAreTakenWithTheirTransforms) {
    TempDir dir;
    std::ofstream(dir.File("framed.x"))
        << "xof 0303txt 0032\n"
           "Frame Outer { FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 5,0,0,1;; }\n"
           "  Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,2,1;; } }\n";
    model::MeshModel m;
    ModelRenderObjects objects;
    ASSERT_TRUE(ImportXFile(m, objects, dir.File("framed.x"), nullptr));
    EXPECT_EQ(m.points.GetLine(1), "6, 0, 0");
    std::ofstream(dir.File("empty.x")) << "xof 0302txt 0032\n";
    EXPECT_FALSE(ImportXFile(m, objects, dir.File("empty.x"), nullptr));
    EXPECT_FALSE(ImportXFile(m, objects, dir.File("missing.x"), nullptr));
}

}  // namespace
