// mokkel-tool on scene and parts files, run as a user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "platform/image/image_loader.h"
#include "studio/scene/scene_file.h"
#include "tests/studio/scene_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

struct ToolRun {
    int code = -1;  // -1 for a crash or a hang
    std::string out, err;
};

ToolRun Tool(const TempDir& dir, const std::vector<std::string>& args) {
    auto quote = [](const std::string& s) {
        std::string q = "'";
        for (char c : s) {
            if (c == '\'')
                q.append("'\\''");
            else
                q.push_back(c);
        }
        q.push_back('\'');
        return q;
    };
    std::string command = "timeout -s KILL 60 " + quote(MOKKEL_TOOL);
    for (const std::string& a : args) {
        command += ' ';
        command += quote(a);
    }
    command += " >";
    command += quote(dir.File("out.txt"));
    command += " 2>";
    command += quote(dir.File("err.txt"));
    const int status = std::system(command.c_str());
    ToolRun r;
    if (WIFEXITED(status) && WEXITSTATUS(status) < 124) r.code = WEXITSTATUS(status);
    r.out = ReadFile(dir.File("out.txt"));
    r.err = ReadFile(dir.File("err.txt"));
    return r;
}

// Two cubes (one in a folder), a point light, a missing model, fog and a red background.
std::string MakeScene(const TempDir& dir) {
    studio_test::WriteCubeModel(dir.File("cube.mkl"), 1.0f, 0xFFFFFFFF);
    studio::CSceneDoc doc;
    doc.AppendItems({studio_test::Folder("box", 0), studio_test::Object("cube.mkl", 1, {-1, 0, 0}),
                     studio_test::Object("cube.mkl", 0, {1, 0, 0}),
                     studio_test::Object("gone.mkl", 0), studio_test::Light(2, 0, {0, 0, -3})},
                    {{1, 0, 1, 2, {}}}, dir.path(), "");
    doc.environment.backgroundColor = 0xFFFF0000;
    doc.environment.fogEnabled = 1;
    doc.environment.fogStart = 3;
    doc.environment.fogEnd = 40;
    doc.environment.screenWidth = 120;
    doc.environment.screenHeight = 90;
    doc.SetCameraPlacement({{0, 0, -6}, {0, 0, 1}, {0, 1, 0}});
    const std::string path = dir.File("scene.stg");
    EXPECT_TRUE(studio::SaveSceneFile(doc, path).ok);
    return path;
}

TEST(SceneTool, InfoPrintsTheSceneFacts) {
    TempDir dir;
    const std::string scene = MakeScene(dir);
    ToolRun r = Tool(dir, {"info", scene});
    ASSERT_EQ(r.code, 0) << r.err;
    for (const char* line :
         {"items: 5\n", "objects: 3\n", "missing models: 1\n", "lights: 1\n", "folders: 1\n",
          "joints: 1\n", "screen: 120x90\n", "fog enabled: 1\n", "fog start: 3\n", "fog end: 40\n",
          "fog colour: 0xFFFF0000\n", "camera position: 0, 0, -6\n"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line << r.out;
    r = Tool(dir, {"info", scene, "--json"});
    ASSERT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("\"missing models\": 1"), std::string::npos) << r.out;
}

TEST(SceneTool, ResaveConvertAndRender) {
    TempDir dir;
    const std::string scene = MakeScene(dir);
    const ToolRun resave = Tool(dir, {"resave", scene, dir.File("again.stg")});
    ASSERT_EQ(resave.code, 0) << resave.err;
    EXPECT_EQ(ReadFile(dir.File("again.stg")), ReadFile(scene));
    ASSERT_EQ(Tool(dir, {"resave", scene, dir.File("parts.ktb")}).code, 0);
    EXPECT_EQ(ReadFile(dir.File("parts.ktb")).rfind("Kitbits of Stagora\r\n", 0), 0u);

    ASSERT_EQ(Tool(dir, {"convert", scene, dir.File("all.x")}).code, 0);
    EXPECT_EQ(ReadFile(dir.File("all.x")).rfind("xof ", 0), 0u);
    ASSERT_EQ(Tool(dir, {"convert", scene, dir.File("all.glb")}).code, 0);
    EXPECT_EQ(ReadFile(dir.File("all.glb")).rfind("glTF", 0), 0u);

    // The scene's own screen size, or the one asked for.
    for (const auto& [args, width, height] :
         std::vector<std::tuple<std::vector<std::string>, int, int>>{
             {{}, 120, 90}, {{"--size", "64x48"}, 64, 48}}) {
        std::vector<std::string> command = {"render", scene, dir.File("s.png")};
        command.insert(command.end(), args.begin(), args.end());
        const ToolRun r = Tool(dir, command);
        ASSERT_EQ(r.code, 0) << r.err;
        // The size from the PNG header (IHDR: width and height, big-endian, at 16 and 20).
        const std::string png = ReadFile(dir.File("s.png"));
        ASSERT_GE(png.size(), 24u);
        auto at = [&](size_t i) {
            return int(uint8_t(png[i])) << 24 | int(uint8_t(png[i + 1])) << 16 |
                   int(uint8_t(png[i + 2])) << 8 | int(uint8_t(png[i + 3]));
        };
        EXPECT_EQ(at(16), width);
        EXPECT_EQ(at(20), height);
    }
    ASSERT_EQ(Tool(dir, {"render", scene, dir.File("s.bmp")}).code, 0);
    const image::ImageLoad bmp = image::LoadImageFile(dir.File("s.bmp"));
    ASSERT_TRUE(bmp);
    EXPECT_EQ(bmp.image->width, 120);
    EXPECT_EQ(bmp.image->At(2, 2) & 0xFFFFFF, 0xFF0000u);         // the background
    EXPECT_NE(bmp.image->At(60 + 10, 45) & 0xFFFFFF, 0xFF0000u);  // a cube
}

TEST(SceneTool, RefusalsAndDamage) {
    TempDir dir;
    const std::string scene = MakeScene(dir);
    EXPECT_EQ(Tool(dir, {"render", scene, dir.File("s.png"), "--fit"}).code, 2);
    EXPECT_EQ(Tool(dir, {"resave", scene, dir.File("s.mkl")}).code, 1);
    EXPECT_EQ(Tool(dir, {"info", dir.File("none.stg")}).code, 1);
    std::string bytes = ReadFile(scene);
    bytes.resize(bytes.find("ITEM_END"));
    WriteFile(dir.File("cut.stg"), bytes);
    const ToolRun r = Tool(dir, {"info", dir.File("cut.stg")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("cut.stg"), std::string::npos) << r.err;
}

TEST(SceneTool, PoseMovesAndTurnsTheLinkedSet) {
    // The folder holds the first cube, which is joined to the second; the light and the
    // missing model are not linked.
    TempDir dir;
    const std::string scene = MakeScene(dir);
    const struct {
        std::vector<std::string> args;
        rm::Vector3 inside, joined, direction;
    } cases[] = {
        {{"scene-move", scene, dir.File("moved.stg"), "--item", "box", "--by", "0, 1, 0.5"},
         {-1, 1, 0.5f},
         {1, 1, 0.5f},
         {0, 0, 1}},
        // Clockwise seen along +y: -x turns to +z.
        {{"scene-turn", scene, dir.File("turned.ktb"), "--item", "box", "--axis", "0,1,0, 0,0,0",
          "--angle", "90"},
         {0, 0, 1},
         {0, 0, -1},
         {1, 0, 0}},
    };
    for (const auto& c : cases) {
        ToolRun r = Tool(dir, c.args);
        ASSERT_EQ(r.code, 0) << r.err;
        studio::CSceneDoc doc;
        ASSERT_TRUE(studio::LoadSceneFile(doc, c.args[2], true).ok);
        ASSERT_EQ(doc.Items().size(), 5u);
        ASSERT_EQ(doc.Joints().size(), 1u);
        const auto near = [](rm::Vector3 a, rm::Vector3 b) {
            return std::abs(a.x - b.x) < 1e-4f && std::abs(a.y - b.y) < 1e-4f &&
                   std::abs(a.z - b.z) < 1e-4f;
        };
        const studio::Placement inside = doc.PlacementOf(doc.Items()[1]);
        EXPECT_TRUE(near(inside.position, c.inside)) << c.args[0];
        EXPECT_TRUE(near(inside.direction, c.direction)) << c.args[0];
        EXPECT_TRUE(near(doc.PlacementOf(doc.Items()[2]).position, c.joined)) << c.args[0];
        EXPECT_TRUE(near(doc.PlacementOf(doc.Items()[3]).position, {})) << "not linked";
        EXPECT_TRUE(near(doc.PlacementOf(doc.Items()[4]).position, {0, 0, -3})) << "not linked";
    }
    EXPECT_EQ(ReadFile(dir.File("turned.ktb")).substr(0, 18), "Kitbits of Stagora");
}

TEST(SceneTool, PoseRefusals) {
    TempDir dir;
    const std::string scene = MakeScene(dir);
    const std::string out = dir.File("out.stg");
    const struct {
        std::vector<std::string> args;
        int code;
    } cases[] = {
        {{"scene-move", scene, out, "--item", "nobody", "--by", "1,0,0"}, 1},
        {{"scene-move", dir.File("none.stg"), out, "--item", "box", "--by", "1,0,0"}, 1},
        {{"scene-move", scene, out, "--item", "box", "--by", "1,0"}, 2},
        {{"scene-move", scene, dir.File("out.mkl"), "--item", "box", "--by", "1,0,0"}, 2},
        {{"scene-move", scene, out, "--by", "1,0,0"}, 2},
        {{"scene-turn", scene, out, "--item", "box", "--axis", "0,0,0, 0,0,0", "--angle", "9"}, 2},
        {{"scene-turn", scene, out, "--item", "box", "--axis", "0,1,0", "--angle", "9"}, 2},
        {{"scene-turn", scene, out, "--item", "box", "--axis", "0,1,0,0,0,0", "--angle", "x"}, 2},
    };
    for (const auto& c : cases) {
        ToolRun r = Tool(dir, c.args);
        EXPECT_EQ(r.code, c.code) << c.args[0] << " " << c.args.back() << "\n" << r.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << "nothing written";
    }
}

}  // namespace
