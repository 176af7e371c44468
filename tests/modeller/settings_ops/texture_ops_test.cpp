// Textures and the wrap without widgets: adding images, FindTexture, the properties, a
// texture set on a face, the list's OK, deleting all texture data and the wrap.
#include <gtest/gtest.h>

#include "modeller/settings_ops/texture_list.h"
#include "modeller/settings_ops/texture_properties.h"
#include "modeller/settings_ops/texture_set.h"
#include "modeller/settings_ops/wrap_settings.h"
#include "platform/image/bmp_writer.h"
#include "tests/modeller/ops/ops_fixture.h"
#include "tests/support/scripted_prompt.h"
#include "tests/support/temp_dir.h"
#include "viewport/model_pane.h"

namespace {

using namespace modeller;
using namespace modeller::settings;

struct TextureDoc : ops_test::Doc {
    testing_support::TempDir dir;
    ModellerSettings settings;
    testing_support::ScriptedPrompt prompt;

    TextureDoc()
        : ops_test::Doc({"0, 0, 0", "1, 0, 0", "1, 1, 0", "0, 1, 0"}, {"0, 3, 2, 1", "0, 1"}) {
        host.RebuildPointMarkers(viewport::kReparseAll);
    }
    std::string Bmp(const std::string& name) {
        const std::string path = dir.File(name);
        EXPECT_TRUE(image::WriteBmpFile(
            path, image::Image{2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}}, 24));
        return path;
    }
};

TEST(Textures, AddingTakesTheTitleAndRefusesADuplicateOrABadImage) {
    TextureDoc d;
    d.settings.pictureDirectory = "/pictures";
    EXPECT_EQ(TextureFileRequest(d.settings).initialDirectory, "/pictures");
    EXPECT_EQ(AddTexture(d.m, d.objects, d.Bmp("wood.bmp"), d.settings, &d.prompt),
              AddTextureResult::Added);
    EXPECT_EQ(d.m.textures[0].name, "wood");
    EXPECT_EQ(d.settings.textureDirectory, d.dir.path());
    EXPECT_EQ(TextureFileRequest(d.settings).initialDirectory, d.dir.path());
    EXPECT_TRUE(d.objects.textures[0]);

    std::filesystem::create_directory(d.dir.File("other.d"));
    EXPECT_EQ(AddTexture(d.m, d.objects, d.Bmp("other.d/wood.bmp"), d.settings, &d.prompt),
              AddTextureResult::Duplicate);  // another folder, the same name
    testing_support::WriteFile(d.dir.File("broken.bmp"), "BMnot really");
    EXPECT_EQ(AddTexture(d.m, d.objects, d.dir.File("broken.bmp"), d.settings, &d.prompt),
              AddTextureResult::LoadFailed);
    EXPECT_EQ(d.m.textures.size(), 1u);
    EXPECT_EQ(d.objects.textures.size(), 1u);

    EXPECT_EQ(model::FindTexture(d.m.textures, "wood"), 0);
    EXPECT_EQ(model::FindTexture(d.m.textures, "Wood"), -1);  // exact names only
}

TEST(Textures, TextureSetNeedsALinePerVertexAndPutsTheImageOnTheFace) {
    TextureDoc d;
    AddTexture(d.m, d.objects, d.Bmp("wood.bmp"), d.settings, &d.prompt);
    const rm::MeshBuilder& mesh = *d.objects.modelMesh;
    TextureSetFields f = TextureSetFieldsOf(d.m, mesh, 0);
    EXPECT_EQ(f.coords, "0, 0\n0, 0\n0, 0\n0, 0\n");
    f.texture = "wood";
    struct Case {
        std::string face, coords, message;
    };
    const Case cases[] = {
        {"zero", "", "整数を入力してください。"},
        {"0", "0, 0\n0, 1\n1, 1", kDataIncorrectText},  // three lines for four corners
        {"0", "0, 0\n0, 1\n1, 1\n1, x", kDataIncorrectText},
        {"1", "0, 0\n0, 0\n0, 0", kDataIncorrectText},  // not a valid face
        {"7", "0, 0", kDataIncorrectText},
        {"0", "0, 0\r\n0, 1\n1, 1\n1, 0.25\nextra", ""},
    };
    for (const Case& c : cases) {
        f.face = c.face;
        f.coords = c.coords;
        EXPECT_EQ(ValidateTextureSet(f, d.m, mesh), c.message) << c.face << ": " << c.coords;
    }
    ASSERT_TRUE(ApplyTextureSet(f, d.m, d.host));
    EXPECT_EQ(d.m.textureAssignment.uvMap.at(1), (model::TexCoord{1, 0.25f}));
    EXPECT_EQ(d.m.textureAssignment.faceTextureMap.at(0), 1);
    EXPECT_EQ(d.m.textureAssignment.textureNames[1], "wood");
    EXPECT_TRUE(d.host.modified);
    EXPECT_EQ(mesh.FaceTexture(0), d.objects.textures[0]);
    float u = 0, v = 0;
    ASSERT_TRUE(mesh.GetTextureCoordinates(1, u, v));
    EXPECT_EQ(u, 1);
    EXPECT_EQ(v, -0.25f);  // v turns round on the render side
    EXPECT_EQ(TextureSetFieldsOf(d.m, mesh, 0).coords, "0, 0\n0, 1\n1, 1\n1, 0.25\n");
}

TEST(Textures, ListOkKeepsFacesOnTheirImagesByName) {
    TextureDoc d;
    d.m.textures = {{"a.bmp", "a", 0, 0}, {"b.bmp", "b", 0, 0}};
    d.m.textureAssignment.textureNames = {model::kTextureNone, "b", "gone"};
    d.m.textureAssignment.faceTextureMap = {{0, 1}, {1, 2}, {3, 0}};
    ConfirmTextureList(d.m, d.host);
    EXPECT_EQ(d.m.textureAssignment.textureNames,
              (std::vector<std::string>{model::kTextureNone, "a", "b", "gone"}));
    EXPECT_EQ(d.m.textureAssignment.faceTextureMap, (std::map<int32_t, uint16_t>{{0, 2}, {1, 3}}));
    EXPECT_EQ(d.host.rebuilds, 2);  // one at set-up, one here
}

TEST(Textures, DeleteAllAsksAndKeepsTheList) {
    TextureDoc d;
    d.m.textures = {{"a.bmp", "a", 0, 0}};
    d.m.textureAssignment.textureNames.push_back("a");
    d.m.textureAssignment.faceTextureMap[0] = 1;
    d.m.textureAssignment.uvMap[2] = {0.5f, 0.5f};
    d.prompt.answers = {shell::Answer::Cancel, shell::Answer::Ok};
    EXPECT_FALSE(DeleteAllTextureData(d.m, d.host, d.prompt));
    EXPECT_EQ(d.m.textureAssignment.faceTextureMap.size(), 1u);
    EXPECT_TRUE(DeleteAllTextureData(d.m, d.host, d.prompt));
    EXPECT_EQ(d.prompt.Texts(), (std::vector<std::string>(2, kDeleteAllTexturesText)));
    EXPECT_EQ(d.m.textureAssignment, model::TextureAssignment{});
    EXPECT_EQ(d.m.textures.size(), 1u);
    EXPECT_TRUE(d.host.modified);
}

TEST(TextureProperties, TransparencyAndChoosingTheFileAgain) {
    TextureDoc d;
    AddTexture(d.m, d.objects, d.Bmp("wood.bmp"), d.settings, &d.prompt);
    AddTexture(d.m, d.objects, d.Bmp("stone.bmp"), d.settings, &d.prompt);
    d.m.textureAssignment.textureNames = {model::kTextureNone, "wood", "stone"};
    d.m.wrap.textureName = "wood";
    EXPECT_EQ(ParseTransparentColour("255, 0, 16"), 0xFF0010);
    for (const char* bad : {"255, 0", "256, 0, 0", "a, b, c", "-1, 0, 0"})
        EXPECT_FALSE(ParseTransparentColour(bad)) << bad;

    TexturePropertyFields f = TexturePropertyFieldsOf(d.m, d.objects, 0);
    EXPECT_TRUE(f.valid);
    EXPECT_EQ(f.colour, "0, 0, 0");
    f.transparent = true;
    f.colour = "255, 0, 0";
    ASSERT_TRUE(ApplyTextureProperties(f, d.m, d.objects, &d.prompt));
    EXPECT_TRUE(d.objects.textures[0]->DecalTransparency());
    EXPECT_EQ(d.objects.textures[0]->DecalTransparentColor(), 0xFF0000u);
    f.colour = "red";  // unreadable: transparency off
    ApplyTextureProperties(f, d.m, d.objects, &d.prompt);
    EXPECT_EQ(d.m.textures[0].transparent, 0);
    EXPECT_EQ(d.m.textures[0].transparentColor, 0xFF0000);

    EXPECT_EQ(RechooseTextureFile(d.m, d.objects, 0, d.Bmp("oak.bmp"), d.prompt),
              RechooseResult::Renamed);
    EXPECT_EQ(d.m.textures[0].name, "oak");
    EXPECT_EQ(d.m.textureAssignment.textureNames[1], "oak");
    EXPECT_EQ(d.m.wrap.textureName, "oak");

    d.prompt.answers = {shell::Answer::No, shell::Answer::Yes};
    EXPECT_EQ(RechooseTextureFile(d.m, d.objects, 0, d.dir.File("stone.bmp"), d.prompt),
              RechooseResult::Unchanged);
    EXPECT_EQ(RechooseTextureFile(d.m, d.objects, 0, d.dir.File("stone.bmp"), d.prompt),
              RechooseResult::Merged);
    EXPECT_EQ(d.prompt.Texts().back(), kMergeQuestionText);
    EXPECT_EQ(d.m.textures.size(), 1u);
    EXPECT_EQ(d.objects.textures.size(), 1u);
    EXPECT_EQ(d.m.textureAssignment.textureNames[1], "stone");
    EXPECT_FALSE(TexturePropertyFieldsOf(d.m, d.objects, 1).valid);
}

TEST(Wrap, ChecksInOrder) {
    TextureDoc d;
    d.m.textures = {{"/nowhere/lost.bmp", "lost", 0, 0}};  // failed to load
    d.objects.textures.resize(1);
    WrapFields f = WrapFieldsOf(d.m.wrap, false);
    EXPECT_EQ(f.texScale, "1, 1");
    struct Case {
        std::string texture, origin, scale, message;
    };
    const Case cases[] = {
        {"", "0, 0", "1, 1", kInputErrorText},     // two numbers for three
        {"", "0, 0, 0", "0, 1", kInputErrorText},  // no reciprocal of 0
        {"", "0, 0, 0", "1, 1", kChooseImageText},
        {"other", "0, 0, 0", "1, 1", kNoSuchTextureText},
        {"lost", "0, 0, 0", "1, 1", kTextureNotMadeText},
    };
    for (const Case& c : cases) {
        f.texture = c.texture;
        f.origin = c.origin;
        f.texScale = c.scale;
        EXPECT_EQ(ValidateWrap(f, d.m, d.objects), c.message) << c.texture << c.scale;
        EXPECT_EQ(ApplyWrap(f, d.m, d.objects, nullptr, d.host), c.message);
    }
    EXPECT_EQ(d.m.wrap, model::WrapSettings{});  // nothing stored
}

TEST(Wrap, ScaleTwoGivesHalfAndMinusHalfOnTheMesh) {
    TextureDoc d;
    AddTexture(d.m, d.objects, d.Bmp("wood.bmp"), d.settings, &d.prompt);
    rm::FramePtr modelFrame = rm::Frame::Create();
    WrapFields f = WrapFieldsOf(d.m.wrap, false);
    f.texture = "wood";
    f.texScale = "2, 2";
    ASSERT_EQ(ApplyWrap(f, d.m, d.objects, modelFrame, d.host), "");
    EXPECT_EQ(d.m.wrap.uScale, 2);
    EXPECT_EQ(d.m.wrap.wrapFlag, 1);
    EXPECT_TRUE(d.host.modified);
    ASSERT_TRUE(d.objects.wrap);
    float u = 0, v = 0;
    ASSERT_TRUE(d.objects.modelMesh->GetTextureCoordinates(2, u, v));  // the point 1, 1, 0
    EXPECT_FLOAT_EQ(u, 0.5f);
    EXPECT_FLOAT_EQ(v, -0.5f);
    EXPECT_EQ(d.objects.modelMesh->FaceTexture(0), d.objects.textures[0]);

    f.disable = true;
    f.kind = 1;
    ASSERT_EQ(ApplyWrap(f, d.m, d.objects, modelFrame, d.host), "");
    EXPECT_EQ(d.m.wrap.wrapFlag, 0);
    EXPECT_EQ(d.m.wrap.wrapType, 1);
    EXPECT_TRUE(WrapFieldsOf(d.m.wrap, true).disable);
}

}  // namespace
