#include "model/model_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include "tests/support/scripted_prompt.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace model;
using testing_support::ReadFile;
using testing_support::ScriptedPrompt;
using testing_support::TempDir;
using testing_support::WriteFile;

// A model with something in every table.
MeshModel FullModel(const std::string& textureDir) {
    MeshModel m;
    m.points.SetMaxLine(5);
    m.points.lines = {"0, 0, 0", "1, 0, 0", "1,1,0", "", "0, 1, 0", "  "};
    m.faces.SetMaxLine(3);
    m.faces.lines = {"0, 1, 2", "0, 2, 4", "1, 2", ""};
    m.faces.ResizeFaceArrays();
    m.faces.FaceStatus = {1, 3, 0, 0};
    m.faces.FaceColor = {-1, static_cast<int32_t>(0xFF102030), -1, 0x0D0A0D0A};  // CR LF bytes
    m.faces.FaceGroup = {2, 3, 0, 0x0A0D};
    m.groups.entries.push_back(
        {static_cast<int32_t>(0xFFFF0000), "\x8d\xd4", 1,
         GroupMaterial{5, {0.1f, 0.2f, 0.3f}, {0.4f, 0.5f, 0.6f}, {0.7f, 0.8f, 0.9f}}});
    m.groups.entries.push_back({static_cast<int32_t>(0xFF00FF00), "green", 1, std::nullopt});
    m.textures.push_back({textureDir + "/wood.bmp", "wood", 1, 0x00FF00FF});
    m.textures.push_back({"missing\\stone.jpg", "stone", 0, 0});
    m.textureAssignment.textureNames.push_back("wood");
    m.textureAssignment.textureNames.push_back("stone");
    m.textureAssignment.faceTextureMap = {{0, 1}, {1, 2}};
    m.textureAssignment.uvMap = {{0, {0, 0}}, {1, {1, 0}}, {2, {0.5f, 0.25f}}};
    m.wrap = {"wood", 1, {1, 2, 3}, {0, 0, 1}, {0, 1, 0}, 0.5f, 0.25f, 2, 3, 1};
    m.joints = {{1, 2, 3}, {-4, 5, 6.5f}};
    m.mirror = {1, 0.75f};
    m.deviceType = 3;
    return m;
}

void ExpectSameContent(const MeshModel& a, const MeshModel& b) {
    EXPECT_EQ(a.points.lines, b.points.lines);
    EXPECT_EQ(a.faces.lines, b.faces.lines);
    EXPECT_EQ(a.faces.FaceStatus, b.faces.FaceStatus);
    EXPECT_EQ(a.faces.FaceColor, b.faces.FaceColor);
    EXPECT_EQ(a.faces.FaceGroup, b.faces.FaceGroup);
    EXPECT_EQ(a.textureAssignment, b.textureAssignment);
    EXPECT_EQ(a.wrap, b.wrap);
    EXPECT_EQ(a.joints, b.joints);
    EXPECT_EQ(a.mirror, b.mirror);
    EXPECT_EQ(a.deviceType, b.deviceType);
    ASSERT_EQ(a.groups.size(), b.groups.size());
    for (size_t i = 0; i < a.groups.size(); ++i) {
        EXPECT_EQ(a.groups[i].name, b.groups[i].name);
        EXPECT_EQ(a.groups[i].color, b.groups[i].color);
        EXPECT_EQ(a.groups[i].hasMaterial, b.groups[i].hasMaterial);
    }
}

class ModelFile : public ::testing::Test {
protected:
    TempDir dir;
    ScriptedPrompt prompt;

    bool Load(MeshModel& m, const std::string& path) {
        ClearModel(m, nullptr, nullptr, false);
        return LoadModelFile(m, path, &prompt);
    }
};

TEST_F(ModelFile, RoundTripKeepsEveryTable) {
    WriteFile(dir.File("wood.bmp"), "BM");
    MeshModel original = FullModel(dir.path());
    const std::string path = dir.File("full.mkl");
    ASSERT_TRUE(SaveModelFile(original, path));
    EXPECT_EQ(original.currentFile.title, "full.mkl");

    MeshModel loaded;
    ASSERT_TRUE(Load(loaded, path));
    EXPECT_TRUE(prompt.shown.empty());
    ExpectSameContent(original, loaded);
    // The ambient triple survives, and an entry flagged without values comes back as zeros.
    ASSERT_TRUE(loaded.groups[2].material);
    EXPECT_EQ(*loaded.groups[2].material, *original.groups[2].material);
    ASSERT_TRUE(loaded.groups[3].material);
    EXPECT_EQ(*loaded.groups[3].material, GroupMaterial{});
    // Texture paths: stored relative, made full again next to the file; a missing one
    // keeps its stored form.
    EXPECT_EQ(loaded.textures[0].path, dir.File("wood.bmp"));
    EXPECT_EQ(loaded.textures[1].path, "missing\\stone.jpg");
    EXPECT_EQ(loaded.SavedModelDirectory, dir.path());
    EXPECT_EQ(loaded.textures[0].transparentColor, 0x00FF00FF);
}

TEST_F(ModelFile, ResavingGivesTheSameBytes) {
    WriteFile(dir.File("wood.bmp"), "BM");
    MeshModel original = FullModel(dir.path());
    ASSERT_TRUE(SaveModelFile(original, dir.File("a.mkl")));
    MeshModel loaded;
    ASSERT_TRUE(Load(loaded, dir.File("a.mkl")));
    ASSERT_TRUE(SaveModelFile(loaded, dir.File("b.mkl")));
    // Only the DIRECTORY line names the file's own place; save b beside a to compare.
    ASSERT_TRUE(SaveModelFile(loaded, dir.File("a2.mkl")));
    EXPECT_EQ(ReadFile(dir.File("a.mkl")), ReadFile(dir.File("a2.mkl")));
}

TEST_F(ModelFile, LayoutOfASmallFile) {
    MeshModel m;
    m.points.ReplaceLines({"1, 2, 3"});
    m.faces.ReplaceLines({"0, 0, 0"});
    m.faces.ResizeFaceArrays();
    ASSERT_TRUE(SaveModelFile(m, dir.File("small.mkl")));
    const std::string bytes = ReadFile(dir.File("small.mkl"));
    EXPECT_EQ(bytes.substr(0, 40),
              std::string("Mokkel\r\n.mkl\r\n1\r\n0,0\r\n1, 2, 3\r\n\\n\r\n0, 0, 0\r\n"
                          "BSTATUS\r\n")
                  .substr(0, 40));
    // No joints: no JOINT section. OTHER has no CR LF before its end tag.
    EXPECT_EQ(bytes.find("JOINT"), std::string::npos);
    EXPECT_NE(bytes.find(std::string("DEVICETYPE\r\n\0\0\0\0OTHER_END\r\n", 25)),
              std::string::npos);
    // The names list holding only the none entry is a count of 0 and no lines.
    EXPECT_NE(bytes.find(std::string("TYPE3\r\n\0\0\0\0\0\0\0\0\r\n", 17)), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 5), "END\r\n");
    EXPECT_EQ(bytes.find("\\n\r\n"), 31u);
}

// Building files by hand, section by section.
struct FileBuilder {
    std::string bytes;
    FileBuilder& Line(const std::string& s) {
        bytes += s + "\r\n";
        return *this;
    }
    template <typename T>
    FileBuilder& Put(T v) {
        bytes.append(reinterpret_cast<const char*>(&v), sizeof v);
        return *this;
    }
    static FileBuilder Header(const char* tag = ".mkl") {
        FileBuilder b;
        b.Line("Mokkel").Line(tag).Line("1").Line("2,1");
        b.Line("0, 0, 0").Line("1, 0, 0").Line("0, 1, 0").Line("\\n");
        b.Line("0, 1, 2").Line("2, 1, 0");
        return b;
    }
};

TEST_F(ModelFile, SectionsInAnyOrderMissingOrRepeated) {
    FileBuilder b = FileBuilder::Header();
    b.Line("MIRROR").Put<int32_t>(2).Put<float>(4.5f).Line("");
    b.Line("JOINT").Put<int32_t>(1).Put(1.0f).Put(2.0f).Put(3.0f).Line("").Line("JOINT_END");
    b.Line("OTHER").Line("UNKNOWN").Line("DEVICETYPE").Put<int32_t>(2).Line("OTHER_END");
    b.Line("MIRROR").Put<int32_t>(3).Put<float>(1.5f).Line("");
    b.Line("END");
    WriteFile(dir.File("odd.mkl"), b.bytes);
    MeshModel m;
    ASSERT_TRUE(Load(m, dir.File("odd.mkl")));
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(m.mirror, (MirrorSettings{3, 1.5f}));  // the later one wins
    EXPECT_EQ(m.deviceType, 2);
    EXPECT_EQ(m.joints, (JointList{{1, 2, 3}}));
    EXPECT_EQ(m.points.maxLine, 2);
    EXPECT_EQ(m.faces.lines, (std::vector<std::string>{"0, 1, 2", "2, 1, 0"}));
    EXPECT_EQ(m.groups.size(), 2u);  // defaults where the file has no section
}

TEST_F(ModelFile, LetterCaseOfTags) {
    FileBuilder upper = FileBuilder::Header(".MKL");
    upper.Line("END");
    WriteFile(dir.File("upper.mkl"), upper.bytes);
    MeshModel m;
    EXPECT_TRUE(Load(m, dir.File("upper.mkl")));
    EXPECT_TRUE(prompt.shown.empty());

    FileBuilder lowerEnd = FileBuilder::Header();
    lowerEnd.Line("end");
    WriteFile(dir.File("lower.mkl"), lowerEnd.bytes);
    EXPECT_TRUE(Load(m, dir.File("lower.mkl")));
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{kMsgDataMayBeInvalid});
    EXPECT_EQ(m.faces.maxLine, 1);  // loaded all the same

    prompt.shown.clear();
    FileBuilder lowerTag = FileBuilder::Header();
    lowerTag.Line("mirror").Line("END");
    WriteFile(dir.File("tag.mkl"), lowerTag.bytes);
    EXPECT_TRUE(Load(m, dir.File("tag.mkl")));
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{kMsgDataMayBeInvalid});
}

TEST_F(ModelFile, MissingEndOrWrongEndTag) {
    FileBuilder noEnd = FileBuilder::Header();
    noEnd.Line("DIRECTORY").Line("/somewhere");
    WriteFile(dir.File("noend.mkl"), noEnd.bytes);
    MeshModel m;
    EXPECT_TRUE(Load(m, dir.File("noend.mkl")));
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{kMsgDataMayBeInvalid});
    EXPECT_EQ(m.SavedModelDirectory, "/somewhere");

    prompt.shown.clear();
    FileBuilder wrongEnd = FileBuilder::Header();
    wrongEnd.Line("BSTATUS").Put<int32_t>(2).Put<uint8_t>(1).Put<uint8_t>(3).Line("");
    wrongEnd.Line("BSTATUS_ENDX").Line("END");
    WriteFile(dir.File("wrong.mkl"), wrongEnd.bytes);
    EXPECT_TRUE(Load(m, dir.File("wrong.mkl")));
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{kMsgDataMayBeInvalid});
    EXPECT_EQ(m.faces.FaceStatus, (std::vector<uint8_t>{1, 3}));
}

TEST_F(ModelFile, GroupTableWithTooFewEntriesGetsTheDefaults) {
    for (int entries : {0, 1}) {
        FileBuilder b = FileBuilder::Header();
        b.Line("GROUP").Put<int32_t>(0).Line("").Line("\\n").Put<int32_t>(entries);
        if (entries == 1) b.Line("only").Put<int32_t>(7).Put<int32_t>(0);
        b.Line("").Line("GROUP_END").Line("END");
        WriteFile(dir.File("g.mkl"), b.bytes);
        MeshModel m;
        ASSERT_TRUE(Load(m, dir.File("g.mkl")));
        ASSERT_EQ(m.groups.size(), 2u);
        EXPECT_EQ(m.groups[0].name, kGroupUndecided);
        EXPECT_EQ(m.groups[1].name, kGroupWhole);
    }
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ModelFile, OldestTextureFormIsConverted) {
    FileBuilder b = FileBuilder::Header();
    b.Line("TEXTURE").Put<int32_t>(1).Line("wood.bmp").Line("wood").Put<int32_t>(0).Put<int32_t>(0);
    b.Line("\\n").Put<int32_t>(2);
    b.Put<int32_t>(0).Line("wood").Line("a note\\nwith breaks");
    b.Put<int32_t>(1).Line("stone").Line("");
    b.Line("").Line("TEXTURE_END").Line("END");
    WriteFile(dir.File("old.mkl"), b.bytes);
    MeshModel m;
    ASSERT_TRUE(Load(m, dir.File("old.mkl")));
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(m.textureAssignment.textureNames,
              (std::vector<std::string>{kTextureNone, "wood", "stone"}));
    EXPECT_EQ(m.textureAssignment.faceTextureMap, (std::map<int32_t, uint16_t>{{0, 1}, {1, 2}}));
    EXPECT_TRUE(m.textureAssignment.uvMap.empty());
    EXPECT_EQ(m.textures.size(), 1u);
}

TEST_F(ModelFile, Type2TextureCoordinatesGoToTheFacesVertices) {
    FileBuilder b = FileBuilder::Header();
    b.Line("TEXTURE").Put<int32_t>(0).Line("TYPE2").Put<int32_t>(3);
    // Face 0 is "0, 1, 2": six values, one pair per corner.
    b.Put<int32_t>(0).Line("wood").Put<int32_t>(6);
    for (float v : {0.0f, 0.1f, 1.0f, 0.2f, 0.5f, 0.9f}) b.Put(v);
    // Face 1 with the wrong number of values: name kept, coordinates dropped.
    b.Put<int32_t>(1).Line("wood").Put<int32_t>(4);
    for (float v : {9.0f, 9.0f, 9.0f, 9.0f}) b.Put(v);
    // A face number beyond the sheet.
    b.Put<int32_t>(7).Line("stone").Put<int32_t>(0);
    b.Line("").Line("TEXTURE_END").Line("END");
    WriteFile(dir.File("t2.mkl"), b.bytes);
    MeshModel m;
    ASSERT_TRUE(Load(m, dir.File("t2.mkl")));
    EXPECT_TRUE(prompt.shown.empty());
    const auto& uv = m.textureAssignment.uvMap;
    ASSERT_EQ(uv.size(), 3u);
    EXPECT_EQ(uv.at(1), (TexCoord{1.0f, 0.2f}));
    EXPECT_EQ(uv.at(2), (TexCoord{0.5f, 0.9f}));
    EXPECT_EQ(m.textureAssignment.faceTextureMap.at(1), 1);
    EXPECT_EQ(m.textureAssignment.faceTextureMap.at(7), 2);
}

TEST_F(ModelFile, HeaderFailures) {
    MeshModel m;
    m.points.SetLine(0, "keep");
    EXPECT_FALSE(LoadModelFile(m, dir.File("none.mkl"), &prompt));
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{kMsgFileNotFound});
    prompt.shown.clear();
    EXPECT_FALSE(LoadModelFile(m, dir.File("none.mkl"), &prompt, LoadOptions{false}));
    EXPECT_TRUE(prompt.shown.empty());

    WriteFile(dir.File("bad.mkl"), "Mokkel\r\n.mkx\r\n1\r\n0,0\r\n");
    EXPECT_FALSE(LoadModelFile(m, dir.File("bad.mkl"), &prompt));
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{kMsgInvalidFormat});

    prompt.shown.clear();
    const char* silent[] = {
        "Mokkel\r\n.mkl\r\n1\r\n00\r\n",                      // no comma
        "Mokkel\r\n.mkl\r\n1\r\n,0\r\n",                      // comma first
        "Mokkel\r\n.mkl\r\n1\r\n0,0\r\n1, 2, 3\r\nn\r\n",     // bad separator
        "Mokkel\r\n.mkl\r\n1\r\n-2,0\r\n\\n\r\n\r\nEND\r\n",  // negative count
        "Mokkel\r\n.mkl\r\n1\r\n2147483646,0\r\nEND\r\n",     // more lines than bytes
    };
    for (const char* bytes : silent) {
        WriteFile(dir.File("silent.mkl"), bytes);
        EXPECT_FALSE(LoadModelFile(m, dir.File("silent.mkl"), &prompt)) << bytes;
    }
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(m.points.GetLine(0), "keep");  // lines untouched by every failure
}

TEST_F(ModelFile, TexturesAreFoundBesideTheFileThenWhereItWasSaved) {
    TempDir other;
    WriteFile(other.File("stone.bmp"), "BM");
    FileBuilder b = FileBuilder::Header();
    b.Line("TEXTURE").Put<int32_t>(2);
    b.Line("wood.bmp").Line("wood").Put<int32_t>(0).Put<int32_t>(0);
    b.Line("stone.bmp").Line("stone").Put<int32_t>(0).Put<int32_t>(0);
    b.Line("TYPE3").Put<int32_t>(0).Put<int32_t>(0).Line("").Put<int32_t>(0).Line("");
    b.Line("TEXTURE_END").Line("DIRECTORY").Line(other.path()).Line("END");
    WriteFile(dir.File("wood.bmp"), "BM");
    WriteFile(other.File("wood.bmp"), "BM");
    WriteFile(dir.File("tex.mkl"), b.bytes);
    MeshModel m;
    ASSERT_TRUE(Load(m, dir.File("tex.mkl")));
    EXPECT_EQ(m.textures[0].path, dir.File("wood.bmp"));     // beside the file first
    EXPECT_EQ(m.textures[1].path, other.File("stone.bmp"));  // then the saved directory
}

TEST_F(ModelFile, FailedSaveLeavesThePreviousFile) {
    MeshModel m;
    const std::string path = dir.File("keep.mkl");
    WriteFile(path, "previous contents");
    // No such directory: nothing is written anywhere.
    EXPECT_FALSE(SaveModelFile(m, dir.File("no/such/dir.mkl")));

    // A write that runs out of room part way: the file size limit stands in for a full disk.
    m.points.SetMaxLine(20000);
    for (auto& line : m.points.lines) line = "1.2345678, 2.3456789, 3.4567891";
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(SaveModelFile(m, path) ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);  // reported as a failure
    EXPECT_EQ(ReadFile(path), "previous contents");
    // And no temporary file is left behind.
    size_t files = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) files += e.is_regular_file();
    EXPECT_EQ(files, 1u);
}

}  // namespace
