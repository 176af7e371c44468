// The modelling subcommands of the built mokkel-tool: each writes what the operation, with
// the settings its options stand for, makes of the same file; refused values exit 2 with
// the dialog's text and write nothing.
#include <gtest/gtest.h>

#include <functional>

#include "modeller/ops/extrusion.h"
#include "modeller/ops/flip_faces.h"
#include "modeller/ops/join_points.h"
#include "modeller/ops/mirror.h"
#include "modeller/ops/tidy_data.h"
#include "modeller/ops/whole_model.h"
#include "tests/tools/tool_run.h"
#include "viewport/model_files.h"
#include "viewport/model_pane.h"

namespace {

using namespace tool_run;
using namespace modeller::ops;
using testing_support::ReadFile;
using Lines = std::vector<std::string>;

std::string WriteModel(const DottedDir& dir, const std::string& name, Lines points, Lines faces,
                       model::MirrorSettings mirror = {}) {
    model::MeshModel m;
    model::ClearModel(m, nullptr, nullptr, false);
    m.points.ReplaceLines(std::move(points));
    m.faces.ReplaceLines(std::move(faces));
    m.faces.ResizeFaceArrays();
    m.mirror = mirror;
    const std::string path = dir.File(name);
    EXPECT_TRUE(model::SaveModelFile(m, path));
    return path;
}

// The files the tests run on: blanks, a duplicate and an unused point; a plain triangle;
// the triangle under a live mirror.
struct Models {
    DottedDir dir;
    std::string messy =
        WriteModel(dir, "messy.mkl", {"0, 0, 0", "0, 1, 0", "1, 0, 0", "", "1, 0, 0", "5, 5, 5"},
                   {"0, 1, 2", "", "4, 1, 0"});
    std::string triangle =
        WriteModel(dir, "triangle.mkl", {"0, 0, 0", "0, 1, 0", "1, 0, 0"}, {"0, 1, 2"});
    std::string mirrored =
        WriteModel(dir, "mirrored.mkl", {"0, 0, 0", "0, 1, 0", "1, 0, 0"}, {"0, 1, 2"}, {1, 0.25f});
};

using Apply = std::function<OpsResult(model::MeshModel&, OpsHost&)>;

// The operation run in this process on the file as the modeller opens it, saved as .mkl.
std::string Reference(const std::string& in, const std::string& out, const Apply& apply) {
    model::MeshModel m;
    viewport::ModelRenderObjects objects;
    EXPECT_TRUE(viewport::ReadModelFile(m, objects, in, "mkl", nullptr, nullptr));
    HeadlessOpsHost host(m, objects);
    host.RebuildPointMarkers(viewport::kReparseAll | viewport::kNoRender);
    EXPECT_TRUE(apply(m, host).ok) << in;
    EXPECT_TRUE(model::SaveModelFile(m, out));
    return ReadFile(out);
}

Apply Whole(int32_t kind, std::string text, std::string angle = "360", int32_t direction = 0,
            int32_t plane = 0) {
    WholeModelFields f = WholeModelFields::Open(WholeModelMemory{});
    f.kind = kind;
    f.moveText = f.scaleText = f.axisText = std::move(text);
    f.angleText = std::move(angle);
    f.direction = direction;
    f.plane = plane;
    const WholeModelCheck check = ValidateWholeModel(f);
    EXPECT_TRUE(check.message.empty());
    return [op = check.operation](model::MeshModel& m, OpsHost& h) {
        return ApplyWholeModel(m, h, op);
    };
}

Apply Extrude(std::function<void(ExtrusionSettings&)> set) {
    ExtrusionSettings s;
    set(s);
    return [s](model::MeshModel& m, OpsHost& h) { return ApplyExtrusion(m, h, s); };
}

Apply Mirror(int32_t axis, float position) {
    return [=](model::MeshModel& m, OpsHost& h) {
        return ApplyMirrorSetting(m, h, {axis, position});
    };
}

TEST(MokkelToolOps, EachSubcommandWritesWhatItsOperationMakes) {
    Models f;
    const struct {
        std::vector<std::string> args;  // IN and OUT go after the subcommand
        const std::string& in;
        Apply apply;
    } cases[] = {
        {{"tidy"}, f.messy, ApplyTidyData},
        {{"join"}, f.messy, ApplyJoinPoints},
        {{"flip"}, f.messy, ApplyFlipFaces},
        {{"transform", "--move", "1,2,3"}, f.messy, Whole(kWholeMove, "1,2,3")},
        {{"transform", "--scale", "2"}, f.messy, Whole(kWholeScale, "2")},
        {{"transform", "--scale", "1,0,3", "--yes"}, f.messy, Whole(kWholeScale, "1,0,3")},
        {{"transform", "--rotate", "0,0,1, 1,0,0", "--angle", "90", "--counter-clockwise"},
         f.messy,
         Whole(kWholeRotate, "0,0,1, 1,0,0", "90", 1)},
        {{"transform", "--flip", "z"}, f.messy, Whole(kWholeFlip, "", "360", 0, 2)},
        {{"extrude", "--faces", "0", "--vector", "0,0,3", "--divisions", "3", "--quads"},
         f.messy,
         Extrude([](ExtrusionSettings& s) {
             s.vector = "0,0,3";
             s.divisions = 3;
             s.quads = true;
         })},
        {{"extrude", "--faces", "all", "--vector", "0,0,-1", "--length", "2.5", "--no-flip-source",
          "--no-join"},
         f.messy,
         Extrude([](ExtrusionSettings& s) {
             s.faceList = "all";
             s.vector = "0,0,-1";
             s.useLength = true;
             s.length = 2.5f;
             s.flipSource = false;
             s.noJoin = true;
         })},
        {{"extrude", "--faces", "0", "--vector", "0.5,0.5,-1", "--cone"},
         f.triangle,
         Extrude([](ExtrusionSettings& s) {
             s.vector = "0.5,0.5,-1";
             s.cone = true;
         })},
        {{"mirror", "--axis", "y", "--position", "0.5"}, f.triangle, Mirror(2, 0.5f)},
        {{"mirror", "--axis", "z"}, f.mirrored, Mirror(3, 0.25f)},  // keeps the file's position
        {{"mirror", "--axis", "none"}, f.mirrored, Mirror(0, 0.25f)},
        {{"mirror-bake"}, f.mirrored, ApplyMirrorBake},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.begin() + 1, {c.in, f.dir.File("out.mkl")});
        SCOPED_TRACE(args[0] + " " + (args.size() > 3 ? args[3] + " " + args[4] : ""));
        const Result r = Tool(f.dir, args);
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(ReadFile(f.dir.File("out.mkl")), Reference(c.in, f.dir.File("ref.mkl"), c.apply));
    }
    // One result spelled out: a triangle in three slices with quads.
    ASSERT_EQ(Tool(f.dir, {"extrude", f.triangle, f.dir.File("t.mkl"), "--faces", "0", "--vector",
                           "0,0,3", "--divisions", "3", "--quads"})
                  .code,
              0);
    model::MeshModel t;
    ASSERT_TRUE(model::LoadModelFile(t, f.dir.File("t.mkl"), nullptr));
    EXPECT_EQ(t.points.lines.size(), 12u);
    EXPECT_EQ(t.points.lines[11], "1, 0, 3");
    EXPECT_EQ(ValidFaces(f.dir.File("t.mkl")).size(), 11u);
}

TEST(MokkelToolOps, RefusedValuesExitTwoWithTheDialogsTextAndWriteNothing) {
    Models f;
    const std::string out = f.dir.File("refused.mkl");
    const struct {
        std::vector<std::string> args;  // after IN OUT
        const char* message;            // on stderr; empty for the parser's own
        int code;
    } cases[] = {
        {{"extrude", "--faces", "0", "--vector", "1,2"}, "ベクトルが不正です", 2},
        {{"extrude", "--faces", "0", "--vector", "0,0,1", "--divisions", "0"},
         "中継点は１以上の数にしてください",
         2},
        {{"extrude", "--faces", "0", "--vector", "0,0,1", "--divisions", "-1"},
         "正の整数を入力してください。",
         2},
        {{"extrude", "--faces", "0", "--vector", "0,0,1", "--length", "1x"},
         "数字を入力してください。",
         2},
        {{"extrude", "--faces", "", "--vector", "0,0,1"}, "面インデックスを入力してください", 2},
        {{"extrude", "--faces", "0"}, "", 2},  // no vector
        {{"transform", "--move", "1,2,3", "--flip", "x"}, "give only one", 2},
        {{"transform"}, "計算の種類が指定されていません", 2},
        {{"transform", "--move", "1,2"}, "必要な数字が入力されていません", 2},
        {{"transform", "--rotate", "0,1,0"}, "必要な数字が入力されていません", 2},
        {{"transform", "--scale", "0,1,1"},
         "拡大で０の数値を入力すると一部の情報が消去されますがよろしいですか？",
         2},
        {{"transform", "--angle", "90"}, "", 2},  // an angle without an axis
        {{"transform", "--flip", "w"}, "", 2},
        {{"mirror", "--axis", "x", "--position", "a"}, "数字を入力してください。", 2},
        {{"mirror", "--axis", "w"}, "", 2},
        // Said yes to a scale by zero in all three: the operation changes nothing.
        {{"transform", "--scale", "0", "--yes"}, "", 1},
        {{"mirror-bake"}, "", 1},  // no mirror set
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.begin() + 1, {f.triangle, out});
        const Result r = Tool(f.dir, args);
        std::string line;
        for (const std::string& a : c.args) line += a + " ";
        EXPECT_EQ(r.code, c.code) << line << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << line << r.err;
        EXPECT_FALSE(r.err.empty()) << line;
        EXPECT_FALSE(std::filesystem::exists(out)) << line;
    }
    // A file that cannot be read or written fails the run.
    EXPECT_EQ(Tool(f.dir, {"tidy", f.dir.File("missing.mkl"), out}).code, 1);
    EXPECT_EQ(Tool(f.dir, {"tidy", f.triangle, f.dir.File("no.dir/out.mkl")}).code, 1);
}

// An X file in and out: the faces come back as the model file run wrote them.
TEST(MokkelToolOps, XFilesInAndOut) {
    Models f;
    const std::string x = f.dir.File("triangle.x");
    ASSERT_EQ(Tool(f.dir, {"convert", f.triangle, x}).code, 0);
    for (const std::string& in : {f.triangle, x}) {
        const std::vector<std::string> options = {"--faces", "0", "--vector", "0,0,1"};
        std::vector<std::string> toX = {"extrude", in, f.dir.File("out.x")};
        std::vector<std::string> toMkl = {"extrude", in, f.dir.File("out.mkl")};
        toX.insert(toX.end(), options.begin(), options.end());
        toMkl.insert(toMkl.end(), options.begin(), options.end());
        ASSERT_EQ(Tool(f.dir, toX).code, 0) << in;
        ASSERT_EQ(Tool(f.dir, toMkl).code, 0) << in;
        EXPECT_EQ(ReadFile(f.dir.File("out.x")).substr(8, 3), "txt");
        ASSERT_EQ(Tool(f.dir, {"convert", f.dir.File("out.x"), f.dir.File("back.mkl")}).code, 0);
        const auto faces = ValidFaces(f.dir.File("out.mkl"));
        EXPECT_EQ(faces.size(), 8u) << in;  // the source, six sides and the cap
        EXPECT_EQ(ValidFaces(f.dir.File("back.mkl")), faces) << in;
    }
}

}  // namespace
