// The studio's decisions without a window: the tree's drop rules, the settings file with its
// start-up guard, the parts range, the object dialog's checks and the command table.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "platform/settings_float.h"
#include "studio/app/object_edit.h"
#include "studio/app/studio_commands.h"
#include "studio/app/studio_settings.h"
#include "studio/app/tree_rules.h"
#include "tests/studio/scene_fixture.h"
#include "tests/support/memory_settings.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace studio;

// "A0 B1 C0": names with depths, in list order.
std::vector<SceneItem> Items(const std::string& layout) {
    std::vector<SceneItem> items;
    std::istringstream in(layout);
    std::string word;
    while (in >> word) {
        SceneItem item;
        item.name = word.substr(0, 1);
        item.depth = std::stoi(word.substr(1));
        items.push_back(item);
    }
    return items;
}

std::string Layout(const std::vector<SceneItem>& items) {
    std::string out;
    for (const SceneItem& item : items) {
        if (!out.empty()) out += ' ';
        out += item.name + std::to_string(item.depth);
    }
    return out;
}

TEST(TreeDropRules, MovesBlocksAsDesigned) {
    struct Case {
        const char* before;
        size_t dragged, target;
        bool shift;
        const char* after;  // nullptr: nothing moves
    };
    const Case cases[] = {
        // Up without Shift: at the target's place and depth.
        {"A0 B0 C0", 2, 0, false, "C0 A0 B0"},
        // Down without Shift: directly after the target, at its depth.
        {"A0 B0 C0", 0, 2, false, "B0 C0 A0"},
        // A block keeps its shape; depths shift together.
        {"F0 a1 b2 G0", 0, 3, false, "G0 F0 a1 b2"},
        {"F0 a1 b2 G0", 1, 3, false, "F0 G0 a0 b1"},
        // Shift: into the target, directly after it, moving down and up.
        {"F0 x1 A0", 2, 0, true, "F0 A1 x1"},
        {"A0 F0 y1", 2, 0, true, "A0 y1 F0"},
        {"F0 a1 b2 G0", 1, 3, true, "F0 G0 a1 b2"},
        // Down without Shift onto a folder: after the folder itself, not after its contents.
        {"A0 F0 c1", 0, 1, false, "F0 A0 c1"},
        // Onto itself or into its own block: nothing.
        {"A0 B0", 0, 0, false, nullptr},
        {"F0 a1 b2 G0", 0, 2, true, nullptr},
        // Out of range: nothing.
        {"A0 B0", 0, 5, false, nullptr},
    };
    for (const Case& c : cases) {
        std::vector<SceneItem> items = Items(c.before);
        const auto moved = MoveItemBlock(items, c.dragged, c.target, c.shift);
        SCOPED_TRACE(std::string(c.before) + " drag " + std::to_string(c.dragged) + " on " +
                     std::to_string(c.target) + (c.shift ? " shift" : ""));
        if (!c.after) {
            EXPECT_FALSE(moved);
            EXPECT_EQ(Layout(items), c.before);
        } else {
            EXPECT_TRUE(moved);
            EXPECT_EQ(Layout(items), c.after);
        }
    }
}

TEST(TreeDropRules, ParentsAndPartsRangeFollowDepths) {
    const std::vector<SceneItem> items = Items("F0 a1 b2 c1 G0 H0 x3");
    EXPECT_EQ(TreeParents(items), (std::vector<int>{-1, 0, 1, 0, -1, -1, 5}));
    const ItemRange folder = PartsRange(items, 0);
    EXPECT_EQ(folder.first, 0u);
    EXPECT_EQ(folder.end, 4u);
    EXPECT_TRUE(PartsRange(items, 4).Empty());  // a folder without contents: nothing
    EXPECT_TRUE(PartsRange(items, 2).Empty());  // one item alone
    EXPECT_TRUE(PartsRange(items, 99).Empty());
}

TEST(StudioSettingsFile, GuardAndRangesKeepSaneValues) {
    testing_support::MemorySettings store;
    store.ints[{"Device", "Width"}] = 1024;
    store.ints[{"Device", "Height"}] = 50;  // below the smallest render size
    store.ints[{"", "JQuality"}] = 0;
    store.ints[{"Camera", "Load"}] = 1;
    store.ints[{"Camera", "Speed"}] = shell::FloatToPattern(-3.0f);
    StudioSettings s;
    LoadStudioSettings(store, s);
    EXPECT_EQ(s.deviceWidth, 1024);
    EXPECT_EQ(s.deviceHeight, 480);
    EXPECT_EQ(s.jpegQuality, 75);
    EXPECT_EQ(s.cameraSpeed, 1.0f);
    EXPECT_EQ(store.ints[(std::pair<std::string, std::string>{"Device", "Invalid"})], 1);

    // A start after a crash ignores the stored device.
    StudioSettings again;
    LoadStudioSettings(store, again);
    EXPECT_EQ(again.deviceWidth, 640);

    // A failed device is not stored for the next run; a normal exit clears the guard.
    again.deviceWidth = 900;
    again.deviceFailed = true;
    SaveStudioSettings(store, again);
    EXPECT_EQ(store.ints[(std::pair<std::string, std::string>{"Device", "Width"})], 640);
    EXPECT_EQ(store.ints[(std::pair<std::string, std::string>{"Device", "Invalid"})], 0);
    // And it never touches the modeller's values.
    EXPECT_FALSE(store.ints.contains({"Color", "Load"}));
}

TEST(ObjectDialogChecks, ScaleAndVectors) {
    struct Case {
        const char* scale;
        const char* position;
        std::string_view message;
        std::array<float, 3> result;
    };
    const Case cases[] = {
        {"2", "1, 2, 3", "", {2, 2, 2}},           {"1, 2, 3", "0, 0, 0", "", {1, 2, 3}},
        {"1, 0, 3", "0, 0, 0", kMsgZeroScale, {}}, {"0", "0, 0, 0", kMsgZeroScale, {}},
        {"1, 2", "0, 0, 0", kMsgZeroScale, {}},  // a missing factor is 0
        {"1", "1, 2", kMsgNeedVector, {}},
    };
    for (const Case& c : cases) {
        ObjectFields f;
        f.scale = c.scale;
        f.position = c.position;
        ObjectEdit edit;
        SCOPED_TRACE(std::string(c.scale) + " / " + c.position);
        EXPECT_EQ(CheckObjectFields(f, edit), c.message);
        if (c.message.empty()) {
            EXPECT_EQ(edit.scale, c.result);
        }
    }
}

TEST(StudioCommandTable, EveryCommandOnceInItsMenu) {
    std::set<int> ids;
    for (const StudioCommand& c : StudioCommands()) {
        EXPECT_TRUE(ids.insert(c.id).second) << c.id;
        const auto layout = StudioMenuLayout(c.menu);
        EXPECT_NE(std::find(layout.begin(), layout.end(), c.id), layout.end()) << c.id;
    }
    EXPECT_EQ(ids.size(), 24u);  // 23 commands and the recent-file block
    for (int joint : {cmd::kJointNew, cmd::kJointManage, cmd::kGroupOperation})
        EXPECT_TRUE(FindStudioCommand(joint)->ready);
    EXPECT_FALSE(FindStudioCommand(cmd::kAxis)->ready);
    EXPECT_EQ(StudioWindowTitle(""), "Stagora");
    EXPECT_EQ(StudioWindowTitle("a.stg"), "Stagora  [a.stg]");
    EXPECT_EQ(StudioHelpAddress("/p", "dlg_object.htm"), "/p/Stagora.chm::/dlg_object.htm");
}

}  // namespace

namespace {

using namespace studio;

TEST(ObjectDialogApply, ReplacesPlacementAndScaleAndRefusesAModelThatWillNotLoad) {
    testing_support::TempDir dir;
    studio_test::WriteCubeModel(dir.File("cube.mkl"));
    CSceneDoc doc;
    ASSERT_TRUE(doc.AppendObject(dir.File("cube.mkl")));
    for (int round = 0; round < 2; ++round) {  // applied twice: the scale does not compound
        ObjectFields f = ReadObjectFields(doc, 0);
        f.position = "1, 2, 3";
        f.scale = "2";
        f.name = "箱";
        f.display = kShowLines;
        ObjectEdit edit;
        ASSERT_EQ(CheckObjectFields(f, edit), "");
        ASSERT_TRUE(ApplyObjectEdit(doc, 0, edit));
    }
    const SceneItem& item = doc.Items()[0];
    const rm::Vector3 origin = item.frame->Transform({0, 0, 0});
    const rm::Vector3 unit = item.frame->Transform({1, 0, 0});
    EXPECT_NEAR(origin.x, 1.0f, 1e-5f);
    EXPECT_NEAR(origin.z, 3.0f, 1e-5f);
    EXPECT_NEAR(unit.x - origin.x, 2.0f, 1e-5f);
    EXPECT_EQ(item.displayMode, kShowLines);
    // The dialog reopens with what was set.
    const ObjectFields again = ReadObjectFields(doc, 0);
    EXPECT_EQ(again.name, "箱");
    EXPECT_EQ(again.position, "1, 2, 3");
    EXPECT_EQ(again.direction, "0, 0, 1");
    EXPECT_EQ(again.scale, "2, 2, 2");

    ObjectFields f = again;
    f.path = dir.File("missing.mkl");
    ObjectEdit edit;
    ASSERT_EQ(CheckObjectFields(f, edit), "");
    EXPECT_FALSE(ApplyObjectEdit(doc, 0, edit));
    EXPECT_EQ(doc.Items()[0].path, dir.File("cube.mkl"));
}

}  // namespace

#include "platform/text/cp932.h"
#include "studio/app/environment_edit.h"

namespace {

// Each bad field of the three dialogs is refused with its message and changes nothing.
TEST(EnvironmentDialogChecks, RefuseBadFields) {
    struct ScreenCase {
        std::string ScreenFields::*field;
        std::string text, message;
    };
    const ScreenCase screen[] = {
        {&ScreenFields::width, "12.5", std::string(kMsgNeedInteger)},
        {&ScreenFields::height, "", std::string(kMsgNeedInteger)},
        {&ScreenFields::left, "x", std::string(kMsgNeedInteger)},
        {&ScreenFields::background, "1, 1", std::string(kMsgColorRange)},
        {&ScreenFields::background, "0, 2, 0", std::string(kMsgColorRange)},
    };
    for (const ScreenCase& c : screen) {
        ScreenFields f;
        f.*c.field = c.text;
        ScreenEdit edit;
        edit.width = -5;
        EXPECT_EQ(CheckScreenFields(f, edit), c.message) << c.text;
        EXPECT_EQ(edit.width, -5);
    }
    FogFields fog;
    FogEdit fogEdit;
    fog.end = "far";
    EXPECT_EQ(CheckFogFields(fog, fogEdit), kMsgNeedNumber);
    fog = {};
    fog.ownColor = true;
    fog.color = "-0.1, 0, 0";
    EXPECT_EQ(CheckFogFields(fog, fogEdit), kMsgColorRange);
    fog.ownColor = false;  // a colour not used is not checked
    EXPECT_EQ(CheckFogFields(fog, fogEdit), "");

    struct LightCase {
        std::string LightFields::*field;
        std::string text, message;
    };
    const LightCase light[] = {
        {&LightFields::color, "1, 1, nan", std::string(kMsgColorRange)},
        {&LightFields::umbra, "wide", std::string(kMsgNeedNumber)},
        {&LightFields::quadratic, "1e999", std::string(kMsgNeedNumber)},
        {&LightFields::position, "1, 2", std::string(kMsgNeedNumber)},
        {&LightFields::direction, "0, 0, 0", std::string(kMsgNeedNumber)},
    };
    for (const LightCase& c : light) {
        LightFields f;
        f.*c.field = c.text;
        LightEdit edit;
        EXPECT_EQ(CheckLightFields(f, edit), c.message) << c.text;
    }
}

TEST(EnvironmentDialogApply, ScreenAndFogReachTheEnvironment) {
    CSceneDoc doc;
    ScreenFields f = ReadScreenFields(doc.environment);
    f.width = "9000";  // beyond the render target
    f.height = "0";
    f.background = "0, 0, 1";
    f.hasImage = true;  // without a path: no image
    f.imageMode = 0;
    f.left = "-20";
    ScreenEdit screen;
    ASSERT_EQ(CheckScreenFields(f, screen), "");
    ApplyScreenSettings(doc, screen, 640, 480);
    const SceneEnvironment& env = doc.environment;
    EXPECT_EQ(env.screenWidth, 640);
    EXPECT_EQ(env.screenHeight, 1);
    EXPECT_EQ(env.backgroundColor, 0xFF0000FFu);
    EXPECT_EQ(env.hasImage, 0);
    EXPECT_EQ(env.regionLeft, -20);
    EXPECT_EQ(env.imageMode, 0);
    // The dialog shows again what was applied.
    EXPECT_EQ(ReadScreenFields(env).background, f.background);

    // Fog following the background keeps the own colour for later; an own colour is used.
    FogFields fog = ReadFogFields(env);
    fog.enabled = true;
    fog.start = "5";
    fog.end = "50";
    FogEdit edit;
    ASSERT_EQ(CheckFogFields(fog, edit), "");
    ApplyFog(doc, edit);
    EXPECT_EQ(env.fogEnabled, 1);
    EXPECT_EQ(env.fogOwnColor, 0);
    EXPECT_EQ(env.fogColor, 0u);
    EXPECT_EQ(ReadFogFields(env).color, f.background);
    fog.ownColor = true;
    fog.color = "1, 0, 0";
    ASSERT_EQ(CheckFogFields(fog, edit), "");
    ApplyFog(doc, edit);
    EXPECT_EQ(env.fogColor, 0xFFFF0000u);
    EXPECT_FLOAT_EQ(env.fogEnd, 50.0f);
}

TEST(EnvironmentDialogApply, CreateLightItemConvertsAnglesAndNamesUnnamedLights) {
    CSceneDoc doc;
    LightFields f;
    f.kind = kSpotLight;
    f.umbra = "30";
    f.penumbra = "60";
    f.position = "1, 2, 3";
    f.direction = "0, -1, 0";  // straight down still orients
    f.fixed = true;
    LightEdit edit;
    ASSERT_EQ(CheckLightFields(f, edit), "");
    const size_t index = CreateLightItem(doc, edit);
    const SceneItem& item = doc.Items()[index];
    EXPECT_EQ(item.kind, kSpotLight);
    EXPECT_EQ(item.name, text::Utf8ToCp932("スポットライト"));
    EXPECT_NEAR(item.lightValues.umbra, 0.5236f, 1e-4f);
    EXPECT_NEAR(item.lightValues.penumbra, 1.0472f, 1e-4f);
    EXPECT_EQ(item.positionLock, 1);
    const Placement p = doc.PlacementOf(item);
    EXPECT_NEAR(p.position.y, 2.0f, 1e-5f);
    EXPECT_NEAR(p.direction.y, -1.0f, 1e-5f);
    ASSERT_TRUE(item.light);
}

}  // namespace

namespace {

// Point and spot lights carry a picked wireframe marker that show-lights hides; frame mode
// draws objects as wireframe without breaking up shared meshes, and off restores each mode.
TEST(StudioViewToggles, LightMarkersAndFrameMode) {
    testing_support::TempDir dir;
    studio_test::WriteCubeModel(dir.File("cube.mkl"));
    CSceneDoc doc;
    ASSERT_TRUE(doc.AppendObject(dir.File("cube.mkl")));
    ASSERT_TRUE(doc.AppendObject(dir.File("cube.mkl")));
    doc.Items()[1].visual = doc.Items()[0].visual;  // as objects of one file are made
    for (uint8_t kind : {kAmbientLight, kPointLight, kSpotLight})
        doc.AppendLight(kind, "l", {}, {});
    const auto visuals = [&](size_t i) { return doc.Items()[i].frame->Visuals().size(); };
    EXPECT_EQ(visuals(2), 0u);
    ASSERT_EQ(visuals(3), 1u);
    ASSERT_EQ(visuals(4), 1u);
    EXPECT_FALSE(doc.Items()[3].visual);  // the marker is no object mesh for the X export

    doc.SetShowLights(false);
    EXPECT_EQ(doc.Items()[3].frame->TraversalOptions(), 0u);
    doc.AppendLight(kSpotLight, "late", {}, {});
    EXPECT_EQ(doc.Items()[5].frame->TraversalOptions(), 0u);
    doc.SetShowLights(true);
    EXPECT_EQ(doc.Items()[4].frame->TraversalOptions(), rm::kRenderEnable | rm::kPickEnable);

    doc.Items()[0].displayMode = kShowHidden;
    doc.SetFrameMode(true);
    EXPECT_EQ(doc.Items()[0].visual, doc.Items()[1].visual);
    EXPECT_EQ(doc.Items()[0].visual->Quality(), rm::kQualityWireframe);
    EXPECT_EQ(doc.Items()[0].frame->TraversalOptions(), rm::kRenderEnable | rm::kPickEnable);
    doc.SetFrameMode(false);
    EXPECT_EQ(doc.Items()[0].frame->TraversalOptions(), rm::kPickEnable);
    EXPECT_EQ(doc.Items()[1].visual->Quality(), rm::kQualityFlat);
}

}  // namespace

namespace {

TEST(CameraDialog, SpeedRangeGazeAndFallbackUp) {
    CSceneDoc doc;
    CameraEdit edit;
    CameraFields f = ReadCameraFields(doc, false);
    for (const char* bad : {"-1", "200000000", "fast"}) {
        f.speed = bad;
        EXPECT_EQ(CheckCameraFields(f, edit), kMsgSpeedRange) << bad;
    }
    f.speed = "100000000";
    ASSERT_EQ(CheckCameraFields(f, edit), "");

    // Gaze: the camera turns to the point and keeps its distance for the frames to come.
    f.position = "0, 0, -10";
    f.gaze = true;
    f.point = "10, 0, -10";
    f.reverse = true;
    ASSERT_EQ(CheckCameraFields(f, edit), "");
    bool reverse = false;
    ApplyCamera(doc, edit, reverse);
    EXPECT_TRUE(reverse);
    Placement p = doc.CameraPlacement();
    EXPECT_NEAR(p.direction.x, 1.0f, 1e-5f);
    EXPECT_FLOAT_EQ(doc.environment.cameraValue, 10.0f);
    EXPECT_EQ(doc.environment.cameraLook, 1);

    // No gaze: the Z axis with an unreadable Y axis takes up (dx, 1, dz).
    f.gaze = false;
    f.position = "bad";  // kept as it was
    f.direction = "0, 0, -1";
    f.up = "up";
    ASSERT_EQ(CheckCameraFields(f, edit), "");
    ApplyCamera(doc, edit, reverse);
    p = doc.CameraPlacement();
    EXPECT_NEAR(p.position.z, -10.0f, 1e-4f);
    EXPECT_NEAR(p.direction.z, -1.0f, 1e-5f);
    EXPECT_NEAR(p.up.y, 1.0f, 1e-5f);
}

}  // namespace

namespace {

TEST(OptionDialog, RefusesBadValuesAndRaisesSmallSizes) {
    StudioSettings st;
    struct Case {
        std::string OptionFields::*field;
        std::string text, message;
    };
    const Case bad[] = {
        {&OptionFields::width, "-1", std::string(kMsgNeedUnsigned)},
        {&OptionFields::height, "4x", std::string(kMsgNeedUnsigned)},
        {&OptionFields::jpegQuality, "0", std::string(kMsgQualityRange)},
        {&OptionFields::jpegQuality, "101", std::string(kMsgQualityRange)},
    };
    for (const Case& c : bad) {
        OptionFields f;
        f.*c.field = c.text;
        EXPECT_EQ(CheckOptionFields(f, st), c.message) << c.text;
        EXPECT_EQ(st.deviceWidth, 640);
    }
    OptionFields f;
    f.width = "100";
    f.height = "99999";  // the settings file would refuse it at the next start
    f.device = 2;
    f.jpegQuality = "100";
    f.xFormat = 1;
    ASSERT_EQ(CheckOptionFields(f, st), "");
    EXPECT_EQ(st.deviceWidth, 200);
    EXPECT_EQ(st.deviceHeight, 8192);
    EXPECT_EQ(st.deviceType, 2);
    EXPECT_EQ(st.jpegQuality, 100);
    EXPECT_EQ(st.xFormat, 1);
    EXPECT_EQ(ReadOptionFields(st).width, "200");
}

}  // namespace
