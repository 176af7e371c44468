// mokkel-tool figure and calc, run as a user runs them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "model/model_file.h"
#include "model/vector_text.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;

struct Result {
    int code = -1;
    std::string out, err;
};

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

Result Tool(const TempDir& dir, const std::vector<std::string>& args) {
    std::string command = "timeout -s KILL 60 " + Quote(MOKKEL_TOOL);
    for (const std::string& a : args) {
        command += ' ';
        command += Quote(a);
    }
    command += " >" + Quote(dir.File("o.txt")) + " 2>" + Quote(dir.File("e.txt"));
    const int status = std::system(command.c_str());
    Result r;
    if (WIFEXITED(status) && WEXITSTATUS(status) < 124) r.code = WEXITSTATUS(status);
    r.out = ReadFile(dir.File("o.txt"));
    r.err = ReadFile(dir.File("e.txt"));
    return r;
}

const std::string kSample = MOKKEL_SOURCE_DIR "/resources/samples/house.mkl";

TEST(PlaneTool, FigureOnTheFloorOfTheSample) {
    TempDir dir;
    const std::string out = dir.File("floor.mkl");
    const Result r = Tool(dir, {"figure", kSample, out, "--plane", "0,1,0, 0,0,0", "--from",
                                "0,0,0", "--to", "2,3,1"});
    ASSERT_EQ(r.code, 0) << r.err;
    model::MeshModel before, after;
    ASSERT_TRUE(model::LoadModelFile(before, kSample, nullptr));
    ASSERT_TRUE(model::LoadModelFile(after, out, nullptr));
    // One new face of four new points, all on y = 0, the corner projected down.
    const std::string face = r.out.substr(r.out.find(": ") + 2);
    const std::vector<int32_t> corners = model::ParseFaceCorners(face);
    ASSERT_EQ(corners.size(), 4u) << r.out;
    for (int32_t c : corners) {
        EXPECT_TRUE(before.points.GetLine(c).empty() || c > before.points.maxLine) << c;
        const auto v = model::ParseVector(after.points.GetLine(c));
        ASSERT_TRUE(v);
        EXPECT_EQ(v->y, 0.0f);
    }
    EXPECT_EQ(after.points.GetLine(corners[1]), "2, 0, 1");

    const Result half = Tool(dir, {"figure", kSample, out, "--plane", "0,0,1, 0,0,0", "--from",
                                   "0,0,0", "--to", "2,2,0", "--circle", "8", "--half"});
    ASSERT_EQ(half.code, 0) << half.err;
    EXPECT_EQ(model::ParseFaceCorners(half.out.substr(half.out.find(": ") + 2)).size(), 5u);
}

TEST(PlaneTool, FigureAndCalcRefuseBadArguments) {
    TempDir dir;
    const std::string out = dir.File("o.mkl");
    const struct {
        std::vector<std::string> args;
        int code;
    } cases[] = {
        {{"figure", kSample, out, "--plane", "0,1,0, 0,0", "--from", "0,0,0", "--to", "1,0,1"}, 2},
        {{"figure", kSample, out, "--plane", "0,0,0, 0,0,0", "--from", "0,0,0", "--to", "1,0,1"},
         2},
        {{"figure", kSample, out, "--plane", "0,1,0,0,0,0", "--from", "0,0", "--to", "1,0,1"}, 2},
        {{"figure", kSample, out, "--plane", "0,1,0,0,0,0", "--from", "0,0,0", "--to", "1,0,1",
          "--circle", "0"},
         2},
        {{"figure", kSample, out, "--plane", "0,1,0,0,0,0", "--from", "0,0,0", "--to", "1,0,1",
          "--axis", "w"},
         2},
        {{"calc", "1", "^", "2"}, 2},
        {{"calc", "1, 1, 1, 2, 2, 2", "/", "0"}, 1},
        {{"calc", "2", "外積", "1, 2, 3"}, 1},
    };
    for (const auto& c : cases) {
        const Result r = Tool(dir, c.args);
        EXPECT_EQ(r.code, c.code) << c.args[0] << " " << c.args[2] << r.err;
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(PlaneTool, CalcPrintsTheResult) {
    TempDir dir;
    const struct {
        std::vector<std::string> args;
        const char* out;
    } cases[] = {
        {{"calc", "1, 0, 0", "外積", "0, 1, 0"}, "0, 0, 1\n"},
        {{"calc", "0, 1, 0, 0, 0, 0", "面と線の交点", "0, -1, 0, 3, 5, 7"}, "3, 0, 7\n"},
        {{"calc", "0, 0, 2", "正規化"}, "0, 0, 1\n"},
        {{"calc", "0, 0, 2", "正規化", "0, 3, 0"}, "0, 0, 1\n0, 1, 0\n"},
        {{"calc", "1.5", "+", "2"}, "3.5\n"},
    };
    for (const auto& c : cases) {
        const Result r = Tool(dir, c.args);
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.out, c.out) << c.args[2];
    }
}

}  // namespace
