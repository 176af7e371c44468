// Models through glTF and OBJ and back: positions, face and item order, colours, groups with
// their materials, textures and coordinates; the mirrored copy when the mirror is on.
#include "viewport/interchange_model.h"

#include <gtest/gtest.h>

#include "model/vector_text.h"
#include "platform/image/bmp_writer.h"
#include "tests/support/scripted_prompt.h"
#include "tests/support/temp_dir.h"
#include "viewport/model_files.h"
#include "viewport/texture_loading.h"

namespace {

using namespace viewport;
using testing_support::ScriptedPrompt;
using testing_support::TempDir;

// Two triangles and a quad: red shiny, blue shiny, and green of its own with a texture;
// the last face line is empty (invalid) and must not be written.
model::MeshModel SourceModel(const std::string& dir) {
    model::MeshModel m;
    m.currentFile.Set(dir + "/src.mkl");
    m.points.ReplaceLines(
        {"0, 0, 0", "1, 0, 0", "0, 1, 0", "1, 1, 0.5", "2, 0, 0", "2, 1, -0.25", ""});
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

class InterchangeModel : public ::testing::TestWithParam<const char*> {
protected:
    TempDir dir;
    ScriptedPrompt prompt;

    void SetUp() override {
        image::Image img{2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}};
        ASSERT_TRUE(image::WriteBmpFile(dir.File("wood.bmp"), img, 24));
    }

    // The source written as `extension` under out/ (so images are named across folders)
    // and read back through the document's read.
    void RoundTrip(model::MeshModel& source, model::MeshModel& back) {
        ModelRenderObjects sourceObjects, objects;
        ASSERT_TRUE(LoadTextureEntry(source, sourceObjects, -1, &prompt));
        std::filesystem::create_directory(dir.File("out.d"));
        const std::string path = dir.File(std::string("out.d/model.") + GetParam());
        std::string error;
        ASSERT_TRUE(WriteModelFile(source, sourceObjects, path, GetParam(), &prompt, {}, &error))
            << error;
        ASSERT_TRUE(ReadModelFile(back, objects, path, GetParam(), &prompt, nullptr, {}, &error))
            << error;
        EXPECT_TRUE(prompt.shown.empty());
    }
};

TEST_P(InterchangeModel, RoundTripKeepsPointsFacesColoursGroupsAndTextures) {
    model::MeshModel source = SourceModel(dir.path()), back;
    RoundTrip(source, back);
    const bool obj = std::string(GetParam()) == "obj";
    // Points in order, and one empty line after them.
    ASSERT_EQ(back.points.maxLine, 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(*model::ParseVector(back.points.GetLine(i)),
                  *model::ParseVector(source.points.GetLine(i)));
    EXPECT_EQ(back.points.GetLine(6), "");
    // Faces in order: OBJ keeps the quad, glTF holds triangles (the quad split as a fan).
    const std::vector<std::string> faces =
        obj ? std::vector<std::string>{"0, 2, 1", "1, 2, 3", "1, 3, 5, 4", ""}
            : std::vector<std::string>{"0, 2, 1", "1, 2, 3", "1, 3, 5", "1, 5, 4", ""};
    ASSERT_EQ(back.faces.maxLine + 1, static_cast<int32_t>(faces.size()));
    for (size_t f = 0; f < faces.size(); ++f)
        EXPECT_EQ(back.faces.GetLine(static_cast<int32_t>(f)), faces[f]);
    // Colours as shown, one group per material, each with the group's values.
    const uint32_t colours[] = {0xFFFF0000, 0xFF0000FF, 0xFF00FF00, 0xFF00FF00};
    const uint16_t groups[] = {1, 2, 3, 3};
    for (size_t f = 0; f + 1 < faces.size(); ++f) {
        EXPECT_EQ(static_cast<uint32_t>(back.faces.FaceColor[f]), colours[f]);
        EXPECT_EQ(back.faces.FaceGroup[f], groups[f]);
    }
    ASSERT_EQ(back.groups.size(), 4u);
    EXPECT_EQ(back.groups[1].material, source.groups[2].material);
    EXPECT_EQ(back.groups[3].material, source.groups[3].material);
    // The textured faces name the image, found again through the relative reference.
    ASSERT_EQ(back.textures.size(), 1u);
    EXPECT_EQ(back.textures[0].name, "wood");
    EXPECT_EQ(std::filesystem::canonical(back.textures[0].path),
              std::filesystem::canonical(dir.File("wood.bmp")));
    const int32_t wood = back.textureAssignment.FindOrAddName("wood");
    EXPECT_EQ(back.textureAssignment.faceTextureMap.at(2), static_cast<uint16_t>(wood));
    EXPECT_EQ(back.textureAssignment.faceTextureMap.count(0), 0u);
    for (const auto& [vertex, uv] : source.textureAssignment.uvMap) {
        ASSERT_EQ(back.textureAssignment.uvMap.count(vertex), 1u) << vertex;
        EXPECT_NEAR(back.textureAssignment.uvMap.at(vertex).u, uv.u, 1e-6);
        EXPECT_NEAR(back.textureAssignment.uvMap.at(vertex).v, uv.v, 1e-6);
    }
}

TEST_P(InterchangeModel, MirrorOnWritesTheMirroredCopy) {
    model::MeshModel source = SourceModel(dir.path()), back;
    source.mirror.mirrorAxis = 1;
    source.mirror.mirrorPosition = 1;
    RoundTrip(source, back);
    const bool obj = std::string(GetParam()) == "obj";
    ASSERT_EQ(back.points.maxLine, 12);
    EXPECT_EQ(*model::ParseVector(back.points.GetLine(6 + 4)), (model::Vertex{0, 0, 0}));
    ASSERT_EQ(back.faces.maxLine, obj ? 6 : 8);
    // The mirrored twin of the first face runs the other way round.
    EXPECT_EQ(back.faces.GetLine(obj ? 3 : 4), "7, 8, 6");
}

INSTANTIATE_TEST_SUITE_P(Formats, InterchangeModel, ::testing::Values("glb", "gltf", "obj"));

}  // namespace
