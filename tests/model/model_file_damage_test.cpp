// Damaged and hostile model files: every one loads or fails cleanly, without reading past
// the end, looping or allocating from an unchecked count.
#include <gtest/gtest.h>

#include <cstring>

#include "model/model_file.h"
#include "tests/support/scripted_prompt.h"
#include "tests/support/temp_dir.h"
#include "tools/sample_house.h"

namespace {

using namespace model;
using testing_support::ReadFile;
using testing_support::ScriptedPrompt;
using testing_support::TempDir;
using testing_support::WriteFile;

std::string SmallFileBytes(const TempDir& dir) {
    MeshModel m = tools::MakeSampleHouse();
    m.textures.push_back({"tex\\wood.bmp", "wood", 1, 0xFF});
    m.textureAssignment.textureNames.push_back("wood");
    m.textureAssignment.faceTextureMap[0] = 1;
    m.textureAssignment.uvMap[3] = {0.5f, 0.5f};
    m.mirror = {1, 0.5f};
    SaveModelFile(m, dir.File("src.mkl"));
    return ReadFile(dir.File("src.mkl"));
}

TEST(ModelFileDamage, TruncatedAtEveryByte) {
    TempDir dir;
    const std::string bytes = SmallFileBytes(dir);
    ASSERT_GT(bytes.size(), 500u);
    const std::string path = dir.File("cut.mkl");
    size_t loaded = 0, warned = 0;
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        WriteFile(path, bytes.substr(0, cut));
        MeshModel m;
        ScriptedPrompt prompt;
        const bool ok = LoadModelFile(m, path, &prompt);
        loaded += ok;
        // Only the final CR LF may go missing without a word.
        if (ok && cut >= bytes.size() - 2) {
            EXPECT_TRUE(prompt.shown.empty());
            continue;
        }
        if (ok) {
            // Any other cut file never passes as whole: the END line is missing.
            ASSERT_EQ(prompt.Texts(), std::vector<std::string>{kMsgDataMayBeInvalid}) << cut;
            ++warned;
            EXPECT_EQ(m.points.lines.size(), 26u);
            EXPECT_EQ(m.faces.FaceStatus.size(), m.faces.lines.size());
        }
    }
    EXPECT_GT(loaded, 0u);
    EXPECT_EQ(loaded, warned + 2);
}

TEST(ModelFileDamage, CorruptedAtEveryByte) {
    TempDir dir;
    const std::string bytes = SmallFileBytes(dir);
    const std::string path = dir.File("bad.mkl");
    for (size_t at = 0; at < bytes.size(); ++at) {
        for (unsigned char value : {0x00, 0xFF, 0x7F}) {
            std::string broken = bytes;
            broken[at] = static_cast<char>(value);
            WriteFile(path, broken);
            MeshModel m;
            ScriptedPrompt prompt;
            LoadModelFile(m, path, &prompt);  // must simply return
            ASSERT_LE(prompt.shown.size(), 1u);
        }
    }
}

// The header of a valid file, then one hostile section.
std::string WithSection(const std::string& tag, const std::string& body) {
    std::string b = "Mokkel\r\n.mkl\r\n1\r\n0,0\r\n1, 2, 3\r\n\\n\r\n0, 0, 0\r\n";
    return b + tag + "\r\n" + body;
}

std::string Int(int32_t v) {
    return std::string(reinterpret_cast<const char*>(&v), 4);
}

TEST(ModelFileDamage, HostileCountsFailTheSection) {
    TempDir dir;
    const std::string path = dir.File("hostile.mkl");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"BSTATUS", Int(-1)},
        {"BSTATUS", Int(INT32_MAX)},
        {"COLOR", Int(0x40000000)},
        {"GROUP", Int(0) + "\r\n\\n\r\n" + Int(INT32_MAX)},
        {"GROUP", Int(0) + "\r\n\\n\r\n" + Int(-5)},
        {"TEXTURE", Int(2000000000)},
        {"TEXTURE", Int(0) + "TYPE3\r\n" + Int(INT32_MAX)},
        {"TEXTURE", Int(0) + "TYPE3\r\n" + Int(0) + Int(400000000)},
        {"TEXTURE", Int(0) + "TYPE3\r\n" + Int(0) + Int(0) + "\r\n" + Int(300000000)},
        {"TEXTURE", Int(0) + "TYPE2\r\n" + Int(1) + Int(0) + "n\r\n" + Int(INT32_MAX)},
        {"TEXTURE", Int(0) + "\\n\r\n" + Int(INT32_MAX)},
        {"JOINT", Int(INT32_MAX)},
        {"OTHER", "DEVICETYPE\r\n\x01\x02"},  // the file ends inside OTHER
        {"OTHER", "X\r\nY\r\n"},
        {"WRAP", "wood\r\n" + Int(1) + "\x01\x02"},
        {"MIRROR", Int(1)},
    };
    for (const auto& [tag, body] : cases) {
        WriteFile(path, WithSection(tag, body + "END\r\n"));
        MeshModel m;
        ScriptedPrompt prompt;
        EXPECT_TRUE(LoadModelFile(m, path, &prompt)) << tag;
        EXPECT_EQ(prompt.Texts(), std::vector<std::string>{kMsgDataMayBeInvalid}) << tag;
        EXPECT_EQ(m.points.GetLine(0), "1, 2, 3");
        EXPECT_LE(m.faces.FaceStatus.size(), 1u);
        EXPECT_TRUE(m.joints.empty());
    }
}

TEST(ModelFileDamage, NotAFile) {
    TempDir dir;
    MeshModel m;
    ScriptedPrompt prompt;
    EXPECT_FALSE(LoadModelFile(m, dir.path(), &prompt));  // a directory
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{kMsgFileNotFound});
}

}  // namespace
