// mokkel-tool revolve, rotate-copy and face-copy as a script runs them: the file written,
// the dialogs' first values for options left out, and their refusals as usage errors.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "model/model_file.h"
#include "model/vector_text.h"
#include "platform/text/cp932.h"
#include "tests/support/temp_dir.h"

namespace {

using testing_support::ReadFile;
using testing_support::TempDir;

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

struct Result {
    int code = -1;  // -1 for a crash or a hang
    std::string err;
};

Result Tool(const TempDir& dir, const std::vector<std::string>& args) {
    std::string command = "timeout -s KILL 60 " + Quote(MOKKEL_TOOL);
    for (const std::string& a : args) command += ' ' + Quote(a);
    command += " >/dev/null 2>" + Quote(dir.File("stderr.txt"));
    const int status = std::system(command.c_str());
    Result r;
    if (WIFEXITED(status) && WEXITSTATUS(status) < 124) r.code = WEXITSTATUS(status);
    r.err = ReadFile(dir.File("stderr.txt"));
    return r;
}

// A triangle with one corner on the y axis, and a group named 回転体1 already.
void WriteProfile(const std::string& path) {
    model::MeshModel m;
    m.points.ReplaceLines({"0, 0, 0", "1, 0, 0", "1, 1, 0"});
    m.faces.ReplaceLines({"0, 2, 1"});
    m.faces.ResizeFaceArrays();
    m.faces.FaceStatus[0] = model::FaceSheet::kStatusValid;
    m.faces.FaceGroup[0] = 1;
    m.groups.entries.push_back({0, text::Sjis("回転体1"), 0, {}});
    ASSERT_TRUE(model::SaveModelFile(m, path));
}

size_t NonEmpty(const std::vector<std::string>& lines) {
    size_t n = 0;
    for (const std::string& l : lines) n += !l.empty();
    return n;
}

TEST(SweepTools, WriteTheResultOrRefuseAsTheDialogsDo) {
    TempDir dir;
    const std::string in = dir.File("profile.mkl"), out = dir.File("out.mkl");
    WriteProfile(in);
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string err;  // expected in stderr
        size_t points = 0, faces = 0;
        const char* group = nullptr;  // the last group's name
    } cases[] = {
        // Defaults: 360 degrees in 20 steps, the source replaced, the join closing the ring.
        {{"revolve", in, out, "--faces", "all"}, 0, "", 1 + 2 * 20, 20 * 4},
        {{"revolve", in, out, "--faces", "0", "--angle", "90", "--divisions", "4", "--no-join",
          "--new-group"},
         0,
         "",
         3 + 8,
         1 + 17,
         "回転体2"},
        {{"revolve", in, out, "--faces", "0", "--angle", "90", "--no-caps", "--no-flip-source",
          "--counter-clockwise", "--axis", "0,1,0, 0,0,0", "--new-group", "vase"},
         0,
         "",
         3 + 2 * 20,
         1 + 4 * 20,
         "vase"},
        {{"revolve", in, out, "--faces", "0", "--keep-source", "--divisions", "2"},
         0,
         "",
         3 + 2,
         1 + 4 * 2},
        {{"revolve", in, out, "--faces", "0", "--angle", "360.5"},
         2,
         "-360 から 360 までの数字を入力してください。"},
        {{"revolve", in, out, "--faces", "0", "--angle", "x"}, 2, "数字を入力してください。"},
        {{"revolve", in, out, "--faces", "0", "--divisions", "-1"},
         2,
         "正の整数を入力してください。"},
        {{"revolve", in, out, "--faces", ""}, 2, "面インデックスを入力してください"},
        {{"revolve", in, out, "--faces", "0", "--new-group", "回転体1"},
         2,
         "同名のグループが存在します"},
        {{"revolve", in, out, "--faces", "0", "--axis", "1, 2"}, 2, "ベクトルが無効です"},
        {{"revolve", in, out, "--faces", "0", "--divisions", "4000000000"}, 1, "Error!"},
        {{"revolve", in, out}, 2, "--faces"},
        // Rotate copy: one copy of the triangle per step, a full turn leaves the last out.
        {{"rotate-copy", in, out, "--faces", "0", "--angle", "90", "--divisions", "3"},
         0,
         "",
         3 + 2 * 3,
         1 + 3},
        {{"rotate-copy", in, out, "--faces", "all", "--divisions", "4", "--back-faces",
          "--new-group", "spokes", "--no-join"},
         0,
         "",
         3 + 3 * 3,
         1 + 1 + 3 * 2,
         "spokes"},
        {{"rotate-copy", in, out, "--faces", "0", "--angle", "0"}, 2, "回転角は０ではいけません"},
        {{"rotate-copy", in, out, "--faces", "0", "--axis", "0, 1, 0"}, 2, "軸を指定してください"},
        {{"rotate-copy", in, out, "--faces", "0", "--new-group", "回転体1"},
         2,
         "同名のグループがすでに存在します"},
        // Face copy: along (0, 0, 1) by default.
        {{"face-copy", in, out, "--faces", "0", "--divisions", "3"}, 0, "", 3 + 3 * 3, 1 + 3},
        {{"face-copy", in, out, "--faces", "0", "--divisions", "0"},
         2,
         "分割数に１以上の値を入れてください"},
        {{"face-copy", in, out, "--faces", "0", "--vector", "1, 2"}, 2, "ベクトルが不正です"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(out);
        const Result r = Tool(dir, c.args);
        std::string what;
        for (size_t i = 3; i < c.args.size(); ++i) what += c.args[i] + " ";
        what = c.args[0] + " " + what;
        EXPECT_EQ(r.code, c.code) << what << "\n" << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << what << "\n" << r.err;
        if (c.code != 0) {
            EXPECT_FALSE(std::filesystem::exists(out)) << what;
            continue;
        }
        model::MeshModel m;
        ASSERT_TRUE(model::LoadModelFile(m, out, nullptr)) << what;
        EXPECT_EQ(NonEmpty(m.points.lines), c.points) << what;
        EXPECT_EQ(NonEmpty(m.faces.lines), c.faces) << what;
        if (c.group) {
            EXPECT_EQ(text::Cp932ToUtf8(m.groups.entries.back().name), c.group) << what;
        }
    }
}

}  // namespace
