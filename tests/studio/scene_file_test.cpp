// Scene and parts files: the layout byte for byte, round trips, ranges, re-basing on insertion,
// the older environment, and scenes moved with their models.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/xfile/x_engine.h"
#include "studio/scene/scene_file.h"
#include "tests/studio/scene_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace studio;
using namespace studio_test;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

TEST(SceneFile, HandWrittenFileLoadsAndSavesByteForByte) {
    for (const bool full : {true, false}) {
        TempDir dir;
        WriteCubeModel(dir.File("cube.mkl"));
        const HandScene hand = HandWrittenScene(dir.path(), "cube.mkl", full);
        WriteFile(dir.File("a.stg"), hand.bytes);

        CSceneDoc doc;
        const SceneFileResult r = LoadSceneFile(doc, dir.File("a.stg"), true);
        ASSERT_TRUE(r.ok) << r.detail;
        ASSERT_EQ(doc.Items().size(), 4u);
        const SceneItem& cube = doc.Items()[1];
        EXPECT_EQ(cube.kind, kObject);
        EXPECT_EQ(cube.path, dir.File("cube.mkl"));
        EXPECT_EQ(cube.depth, 1);
        EXPECT_EQ(cube.flipX, 1);
        EXPECT_EQ(cube.visual->Quality(), rm::kQualityGouraud);  // display mode 1
        EXPECT_EQ(doc.Items()[2].light->Type(), rm::LightType::kPoint);
        EXPECT_EQ(doc.Items()[3].kind, kMissingObject);
        EXPECT_EQ(doc.Items()[3].path, "gone\\lost.mkl");
        EXPECT_EQ(r.report.missingModels, 1u);
        ASSERT_EQ(doc.Joints().size(), 1u);
        EXPECT_EQ(doc.IndexOf(doc.Joints()[0].partner), 3);
        EXPECT_EQ(doc.environment.screenWidth, 320);
        EXPECT_EQ(doc.environment.regionLeft, 5);  // the third stored value
        EXPECT_EQ(doc.Root()->SceneFog().enabled, full);
        EXPECT_EQ(doc.CameraPlacement().position.z, full ? -10.0f : -5.0f);

        // Saved again, only the directory line may differ; the older form gains its camera
        // and fog, which are the scene's unchanged ones.
        ASSERT_TRUE(SaveSceneFile(doc, dir.File("b.stg")).ok);
        const std::string again = ReadFile(dir.File("b.stg"));
        if (full) {
            EXPECT_EQ(WithoutDirectory(again), WithoutDirectory(hand.bytes));
        }
        const HandScene whole = HandWrittenScene(dir.path(), "cube.mkl", true);
        EXPECT_EQ(again.substr(0, whole.itemsEnd), whole.bytes.substr(0, whole.itemsEnd));
    }
}

TEST(SceneFile, PartsFileHeaderAndRoundTrip) {
    TempDir dir;
    WriteCubeModel(dir.File("cube.mkl"));
    WriteFile(dir.File("a.stg"), HandWrittenScene(dir.path(), "cube.mkl").bytes);
    CSceneDoc doc;
    ASSERT_TRUE(LoadSceneFile(doc, dir.File("a.stg"), true).ok);
    ASSERT_TRUE(SaveSceneFile(doc, dir.File("p.ktb")).ok);
    const std::string parts = ReadFile(dir.File("p.ktb"));
    EXPECT_EQ(parts.rfind("Kitbits of Stagora\r\n.ktb\r\n1\r\nDIRECTORY\r\n", 0), 0u);

    CSceneDoc other;
    ASSERT_TRUE(LoadSceneFile(other, dir.File("p.ktb"), true).ok);
    ASSERT_TRUE(SaveSceneFile(other, dir.File("q.ktb")).ok);
    EXPECT_EQ(ReadFile(dir.File("q.ktb")), parts);
    EXPECT_EQ(SaveSceneFile(other, dir.File("q.txt")).error, SceneFileError::kUnknownExtension);
}

// F0 > (A, B > (C, D)), E: the parts file of B's subtree, inserted after three items.
TEST(SceneFile, PartsFromTheMiddleAreRebasedOnInsertion) {
    TempDir dir;
    WriteCubeModel(dir.File("cube.mkl"));
    CSceneDoc doc;
    std::vector<PendingItem> items = {Folder("F0", 0),
                                      Object("cube.mkl", 1),
                                      Folder("B", 1),
                                      Object("cube.mkl", 2, {1, 0, 0}),
                                      Object("cube.mkl", 2, {2, 0, 0}),
                                      Object("cube.mkl", 0)};
    const std::vector<PendingJoint> joints = {
        {1, 0, 3, 4, {}},   // C-D: both inside
        {2, 1, 3, 1, {}},   // C-A: the partner outside, written as none
        {1, 0, 5, 3, {}},   // E-C: the owner outside, not written
        {0, 0, 4, -1, {}},  // D alone
    };
    doc.AppendItems(items, joints, dir.path(), "");
    ASSERT_EQ(doc.SubtreeEnd(2), 5u);
    ASSERT_TRUE(SaveSceneFile(doc, dir.File("b.ktb"), 2, 4).ok);

    CSceneDoc target;
    target.AppendItems({Folder("x", 0), Object("cube.mkl", 0), Folder("y", 0)}, {}, dir.path(), "");
    const SceneFileResult r = LoadSceneFile(target, dir.File("b.ktb"), false);
    ASSERT_TRUE(r.ok) << r.detail;
    ASSERT_EQ(target.Items().size(), 6u);
    EXPECT_EQ(target.Items()[3].name, "B");
    const std::vector<int32_t> depths = {target.Items()[3].depth, target.Items()[4].depth,
                                         target.Items()[5].depth};
    EXPECT_EQ(depths, (std::vector<int32_t>{0, 1, 1}));  // the block starts at the top
    ASSERT_EQ(target.Joints().size(), 3u);
    struct Expect {
        int owner, partner, type;
    };
    const Expect expected[] = {{4, 5, 1}, {4, -1, 2}, {5, -1, 0}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(target.IndexOf(target.Joints()[i].owner), expected[i].owner) << i;
        EXPECT_EQ(target.IndexOf(target.Joints()[i].partner), expected[i].partner) << i;
        EXPECT_EQ(target.Joints()[i].type, expected[i].type) << i;
    }
    EXPECT_EQ(target.Items()[5].frame->Position().x, 2.0f);
}

TEST(SceneFile, MovedFolderWithItsModelsOpensWhole) {
    TempDir top;
    const std::string from = top.File("scene.v1.2"), to = top.File("moved.d");
    std::filesystem::create_directories(from + "/models.x");
    WriteCubeModel(from + "/models.x/a.mkl");
    WriteCubeModel(from + "/b.mkl", 2.0f);
    CSceneDoc doc;
    doc.AppendItems({Object(from + "/models.x/a.mkl", 0), Object(from + "/b.mkl", 0)}, {}, from,
                    "");
    ASSERT_TRUE(SaveSceneFile(doc, from + "/s.stg").ok);
    const std::string saved = ReadFile(from + "/s.stg");
    EXPECT_NE(saved.find("models.x\\a.mkl\r\n"), std::string::npos);
    std::filesystem::rename(from, to);

    CSceneDoc moved;
    ASSERT_TRUE(LoadSceneFile(moved, to + "/s.stg", true).ok);
    ASSERT_EQ(moved.Items().size(), 2u);
    EXPECT_EQ(moved.Items()[0].path, to + "/models.x/a.mkl");
    EXPECT_EQ(moved.Items()[1].kind, kObject);
    ASSERT_TRUE(SaveSceneFile(moved, to + "/t.stg").ok);
    EXPECT_EQ(WithoutDirectory(ReadFile(to + "/t.stg")), WithoutDirectory(saved));

    // The scene file alone elsewhere finds the models through the folder it was saved from.
    std::filesystem::create_directories(top.File("alone.d"));
    std::filesystem::copy_file(to + "/t.stg", top.File("alone.d/t.stg"));
    CSceneDoc alone;
    ASSERT_TRUE(LoadSceneFile(alone, top.File("alone.d/t.stg"), true).ok);
    EXPECT_EQ(alone.Items()[0].kind, kObject);
    EXPECT_EQ(alone.Items()[0].path, to + "/models.x/a.mkl");

    // Without the models the objects stay, empty, and keep their paths for the next save.
    std::filesystem::remove_all(to + "/models.x");
    std::filesystem::remove(to + "/b.mkl");
    CSceneDoc missing;
    const SceneFileResult r = LoadSceneFile(missing, to + "/s.stg", true);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.report.missingModels, 2u);
    EXPECT_EQ(missing.Items()[0].kind, kMissingObject);
    EXPECT_TRUE(missing.Items()[0].frame && missing.Items()[0].frame->Visuals().empty());
    ASSERT_TRUE(SaveSceneFile(missing, to + "/u.stg").ok);
    std::string expected = WithoutDirectory(saved);
    for (size_t at = 0; (at = expected.find("OBJECT\r\n\x05", at)) != std::string::npos;)
        expected[at + 8] = 7;
    EXPECT_EQ(WithoutDirectory(ReadFile(to + "/u.stg")), expected);
}

// A joint hangs under its owner's turned and scaled frame: saving what was read gives the
// same bytes, time after time.
TEST(SceneFile, JointUnderATurnedOwnerDoesNotDrift) {
    TempDir dir;
    WriteCubeModel(dir.File("cube.mkl"));
    auto doc = std::make_unique<CSceneDoc>();
    std::vector<PendingItem> items = {Object("cube.mkl", 0, {0.1f, 0.2f, 0.3f}),
                                      Object("cube.mkl", 0)};
    items[0].placement.direction = {0.5f, 0, 0.866f};
    items[0].item.scale = {1, 2, 0.5f};
    PendingJoint joint{1, 0, 0, 1, {{0.3f, 0.7f, 0.1f}, {0, 0, 1}, {0, 1, 0}}};
    doc->AppendItems(items, {joint}, dir.path(), "");
    std::string previous;
    for (const char* name : {"r0.stg", "r1.stg", "r2.stg"}) {
        const std::string path = dir.File(name);
        ASSERT_TRUE(SaveSceneFile(*doc, path).ok);
        const std::string bytes = ReadFile(path);
        if (!previous.empty()) {
            EXPECT_EQ(WithoutDirectory(bytes), WithoutDirectory(previous)) << name;
        }
        previous = bytes;
        doc = std::make_unique<CSceneDoc>();
        ASSERT_TRUE(LoadSceneFile(*doc, path, true).ok);
    }
    EXPECT_NEAR(doc->PlacementOf(doc->Joints()[0]).position.y, 0.7f, 1e-6f);
}

TEST(SceneFile, MissingFileAndOtherExtensions) {
    TempDir dir;
    CSceneDoc doc;
    SceneFileResult r = LoadSceneFile(doc, dir.File("none.stg"), true);
    EXPECT_EQ(r.error, SceneFileError::kFileNotFound);
    EXPECT_EQ(r.message, kMsgSceneFileNotFound);
    WriteFile(dir.File("a.txt"), HandWrittenScene(dir.path(), "cube.mkl").bytes);
    r = LoadSceneFile(doc, dir.File("a.txt"), true);
    EXPECT_EQ(r.error, SceneFileError::kUnknownExtension);
    EXPECT_TRUE(r.message.empty());
    EXPECT_TRUE(doc.Items().empty());
}

TEST(SceneDoc, DeletingASubtreeTakesItsJoints) {
    TempDir dir;
    WriteCubeModel(dir.File("cube.mkl"));
    CSceneDoc doc;
    doc.AppendItems(
        {Folder("F", 0), Object("cube.mkl", 1), Light(kSpotLight, 1), Object("cube.mkl", 0)},
        {{1, 0, 1, 3, {}}, {1, 0, 3, 1, {}}}, dir.path(), "");
    EXPECT_EQ(doc.ParentOf(2), 0);
    EXPECT_EQ(doc.ParentOf(3), -1);
    const size_t children = doc.Root()->Children().size();
    doc.DeleteSubtree(0);
    ASSERT_EQ(doc.Items().size(), 1u);
    EXPECT_EQ(doc.Root()->Children().size(), children - 2);
    ASSERT_EQ(doc.Joints().size(), 1u);  // the folder's object owned one; the other lost it
    EXPECT_EQ(doc.Joints()[0].partner, kNoItem);
}

TEST(SceneDoc, ObjectsOfOneFileShareAMeshUntilOneChangesIt) {
    TempDir dir;
    WriteCubeModel(dir.File("cube.mkl"));
    CSceneDoc doc;
    std::vector<PendingItem> items = {Object("cube.mkl", 0), Object("cube.mkl", 0),
                                      Object("cube.mkl", 0)};
    items[2].item.flipY = 1;
    doc.AppendItems(items, {}, dir.path(), "");
    EXPECT_EQ(doc.Items()[0].visual, doc.Items()[1].visual);
    EXPECT_NE(doc.Items()[0].visual, doc.Items()[2].visual);
    doc.Items()[1].displayMode = kShowLines;
    doc.ApplyObjectDisplay(1);
    EXPECT_NE(doc.Items()[0].visual, doc.Items()[1].visual);
    EXPECT_EQ(doc.Items()[0].visual->Quality(), rm::kQualityFlat);
    EXPECT_EQ(doc.Items()[1].visual->Quality(), rm::kQualityWireframe);
    doc.Items()[0].displayMode = kShowHidden;
    doc.ApplyObjectDisplay(0);
    EXPECT_EQ(doc.Items()[0].frame->TraversalOptions(), rm::kPickEnable);
}

TEST(SceneFile, XExportPlacesEveryObject) {
    TempDir dir;
    WriteCubeModel(dir.File("cube.mkl"));
    CSceneDoc doc;
    doc.AppendItems(
        {Object("cube.mkl", 0), Light(kPointLight, 0), Object("cube.mkl", 0, {5, 0, 0})}, {},
        dir.path(), "");
    ASSERT_TRUE(SaveSceneFile(doc, dir.File("all.x")).ok);
    auto mesh = rm::MeshBuilder::Create();
    ASSERT_TRUE(xfile::LoadMeshBuilder(dir.File("all.x"), *mesh, {}));
    EXPECT_EQ(mesh->FaceCount(), 12u);
    rm::Vector3 lo, hi;
    ASSERT_TRUE(mesh->GetBox(lo, hi));
    EXPECT_FLOAT_EQ(lo.x, -0.5f);
    EXPECT_FLOAT_EQ(hi.x, 5.5f);
}

}  // namespace
