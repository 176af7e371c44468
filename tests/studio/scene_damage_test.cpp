// Damaged and hostile scene files load or fail cleanly: no reading past the records, no
// allocation from an unchecked count, nothing half added.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "studio/render/studio_render.h"
#include "studio/scene/scene_file.h"
#include "tests/studio/scene_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace studio;
using namespace studio_test;
using testing_support::TempDir;
using testing_support::WriteFile;

// A file rewritten for every byte wants memory, not a disk shared with other work: a folder
// in /dev/shm when there is one (with a period in its name, as mktemp makes them).
struct MemoryDir {
    std::string path;
    TempDir fallback;
    MemoryDir() {
        std::string pattern = "/dev/shm/mokkel.XXXXXX";
        path = std::filesystem::is_directory("/dev/shm") && mkdtemp(pattern.data())
                   ? pattern
                   : fallback.path();
    }
    ~MemoryDir() {
        std::error_code ec;
        if (path != fallback.path()) std::filesystem::remove_all(path, ec);
    }
    std::string File(const std::string& name) const { return path + "/" + name; }
};

// The model is left missing here: the reader is what is tried, at every byte.
TEST(SceneFileDamage, TruncatedAtEveryByte) {
    MemoryDir dir;
    const HandScene hand = HandWrittenScene(dir.path, "cube.mkl");
    const std::string path = dir.File("cut.stg");
    for (size_t cut = 0; cut < hand.bytes.size(); ++cut) {
        WriteFile(path, hand.bytes.substr(0, cut));
        CSceneDoc doc;
        const SceneFileResult r = LoadSceneFile(doc, path, true);
        if (cut < hand.itemsEnd - 2) {
            // Until the item list is whole nothing is added (the last CR LF may go).
            ASSERT_EQ(r.error, SceneFileError::kItemsDamaged) << cut;
            ASSERT_TRUE(doc.Items().empty()) << cut;
            continue;
        }
        ASSERT_EQ(doc.Items().size(), 4u) << cut;
        // Only the lines nobody checks after the fog may go missing without a word.
        ASSERT_EQ(r.ok, cut >= hand.fogEnd) << cut;
    }
}

// Every damaged scene that loads is drawn too: values no writer makes must not upset the frame.
TEST(SceneFileDamage, CorruptedAtEveryByte) {
    MemoryDir dir;
    WriteCubeModel(dir.File("cube.mkl"));
    StudioRender render;
    ASSERT_TRUE(render.CreateStudioDevice(16, 16));
    const HandScene hand = HandWrittenScene(dir.path, "cube.mkl");
    const std::string path = dir.File("bad.stg");
    for (size_t at = 0; at < hand.bytes.size(); ++at) {
        for (const char value : {'\0', '\n', '\xFF'}) {
            std::string bytes = hand.bytes;
            if (bytes[at] == value) continue;
            bytes[at] = value;
            WriteFile(path, bytes);
            CSceneDoc doc;
            const SceneFileResult r = LoadSceneFile(doc, path, true);
            ASSERT_LE(doc.Items().size(), 4u) << at;
            if (r.error == SceneFileError::kItemsDamaged) {
                ASSERT_TRUE(doc.Items().empty()) << at;
            }
            doc.environment.fitToView = 1;
            render.RenderStudioFrame(doc, 16, 16);
            doc.DeleteAll();
        }
    }
}

// The count of the ITEM section against the records that follow it.
TEST(SceneFileDamage, ItemCountThatDoesNotMatchTheRecordsFailsTheLoad) {
    TempDir dir;
    WriteCubeModel(dir.File("cube.mkl"));
    for (const int32_t count : {0, 3, 5, 1000, INT32_MAX, -1}) {
        WriteFile(dir.File("n.stg"), HandWrittenScene(dir.path(), "cube.mkl", true, count).bytes);
        CSceneDoc doc;
        doc.AppendFolder("kept");
        const SceneFileResult r = LoadSceneFile(doc, dir.File("n.stg"), true);
        EXPECT_FALSE(r.ok) << count;
        EXPECT_EQ(r.error, SceneFileError::kItemsDamaged) << count;
        EXPECT_FALSE(r.detail.empty()) << count;
        EXPECT_EQ(doc.Items().size(), 1u) << count;  // nothing added, nothing taken away
        EXPECT_EQ(doc.environment.screenWidth, 400) << count;
    }
}

TEST(SceneFileDamage, JointSectionWithAWrongLineKeepsWhatCameBefore) {
    TempDir dir;
    WriteCubeModel(dir.File("cube.mkl"));
    std::string bytes = HandWrittenScene(dir.path(), "cube.mkl").bytes;
    const size_t end = bytes.find("JOINT_END\r\n");
    ASSERT_NE(end, std::string::npos);
    bytes.replace(end, 11, "BOGUS\r\n");
    WriteFile(dir.File("j.stg"), bytes);
    CSceneDoc doc;
    const SceneFileResult r = LoadSceneFile(doc, dir.File("j.stg"), true);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, SceneFileError::kJointsDamaged);
    EXPECT_EQ(doc.Items().size(), 4u);
    EXPECT_EQ(doc.Joints().size(), 1u);
    // The bad line stood where the environment's tag follows: that is still read.
    EXPECT_EQ(doc.environment.screenWidth, 320);
}

}  // namespace
