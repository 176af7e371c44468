// The joint, joint management, slider and group dialogs' logic: checks in order, one joint per
// pair, values read from the markers, slider axes, and the group operations.
#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <vector>

#include "platform/text/cp932.h"
#include "studio/joints/group_operation.h"
#include "studio/joints/joint_edit.h"
#include "studio/joints/joints.h"
#include "studio/joints/slider_edit.h"
#include "studio/scene/scene_file.h"
#include "tests/studio/scene_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace studio;
using studio_test::Folder;
using studio_test::Object;

constexpr float kPi = std::numbers::pi_v<float>;

void ExpectNear(rm::Vector3 actual, rm::Vector3 expected, const std::string& what) {
    EXPECT_NEAR(actual.x, expected.x, 1e-4f) << what;
    EXPECT_NEAR(actual.y, expected.y, 1e-4f) << what;
    EXPECT_NEAR(actual.z, expected.z, 1e-4f) << what;
}

// 0 folder, 1 A at (1, 0, 0), 2 B, 3 C; objects with empty frames.
void ThreeObjects(CSceneDoc& doc) {
    doc.AppendItems(
        {Folder("box", 0), Object("a.mkl", 0, {1, 0, 0}), Object("b.mkl", 0), Object("c.mkl", 0)},
        {}, "/nonexistent.d", "");
}

JointFields Fields(int owner, int partner, int32_t type, std::string position = "1, 0, 0",
                   std::string axis = "0, 0, 1") {
    JointFields f;
    f.owner = owner;
    f.partnerEntry = partner + 1;
    f.type = type;
    f.position = std::move(position);
    f.axis = std::move(axis);
    return f;
}

TEST(JointDialog, ChecksInOrder) {
    CSceneDoc doc;
    ThreeObjects(doc);
    const struct {
        int owner, partnerEntry;
        std::string_view message;
    } cases[] = {
        {-1, 0, kMsgNoTarget},
        {1, -1, kMsgNoTarget},
        {9, 0, kMsgNoTarget},
        {0, 0, kMsgFolderJoint},
        {1, 1, kMsgFolderJoint},
        {0, 1, kMsgFolderJoint},
        {1, 2, kMsgSameItem},
        {1, 0, ""},
        {1, 3, ""},
    };
    for (const auto& c : cases) {
        JointFields f;
        f.owner = c.owner;
        f.partnerEntry = c.partnerEntry;
        EXPECT_EQ(CheckJointFields(doc, f), c.message) << c.owner << " " << c.partnerEntry;
    }
}

TEST(JointDialog, OneJointPerPairAndMarkersRebuilt) {
    CSceneDoc doc;
    ThreeObjects(doc);
    EXPECT_EQ(ApplyJointFields(doc, -1, Fields(1, 2, 0)), 0);
    ASSERT_TRUE(doc.Joints()[0].frame);
    EXPECT_TRUE(doc.Joints()[0].frame->Visuals().empty());

    // The same pair the other way round changes the existing joint, which gains its point.
    EXPECT_EQ(ApplyJointFields(doc, -1, Fields(2, 1, 2, "0, 5, 0")), 0);
    ASSERT_EQ(doc.Joints().size(), 1u);
    EXPECT_EQ(doc.Joints()[0].type, 2);
    EXPECT_EQ(doc.IndexOf(doc.Joints()[0].owner), 1) << "the ends stay";
    EXPECT_EQ(doc.Joints()[0].frame->Visuals().size(), 1u);
    ExpectNear(doc.Joints()[0].frame->Position(doc.Root()), {0, 5, 0}, "point");

    // A second joint A-C edited into A-B goes; the A-B joint takes its values.
    EXPECT_EQ(ApplyJointFields(doc, -1, Fields(1, 3, 1)), 1);
    EXPECT_EQ(ApplyJointFields(doc, 1, Fields(2, 1, 3)), 0);
    ASSERT_EQ(doc.Joints().size(), 1u);
    EXPECT_EQ(doc.Joints()[0].type, 3);
    EXPECT_EQ(doc.IndexOf(doc.Joints()[0].owner), 2);
    EXPECT_EQ(doc.Items()[1].frame->Children().size(), 0u) << "no marker left behind";

    // Without a partner: appended, or replacing the edited one. Unreadable edits give the
    // default point and axis.
    EXPECT_EQ(ApplyJointFields(doc, -1, Fields(3, -1, 1, "x", "")), 1);
    ExpectNear(doc.PlacementOf(doc.Joints()[1]).direction, {0, 1, 0}, "default axis");
    EXPECT_EQ(ApplyJointFields(doc, 1, Fields(2, -1, 1)), 1);
    ASSERT_EQ(doc.Joints().size(), 2u);
    EXPECT_EQ(doc.Items()[3].frame->Children().size(), 0u);
}

TEST(JointDialog, FieldsReadFromTheMarker) {
    CSceneDoc doc;
    ThreeObjects(doc);
    const JointFields fresh = ReadJointFields(doc, -1);
    EXPECT_EQ(fresh.owner, -1);
    EXPECT_EQ(fresh.partnerEntry, -1);
    EXPECT_EQ(fresh.position, "");

    ApplyJointFields(doc, -1, Fields(1, 2, 1, "1, 0, 0", "0, 0, 2"));
    MoveItemSet(doc, {0.5f, 0, 0}, 1, kNoJoints);  // the marker moves with its owner
    const JointFields f = ReadJointFields(doc, 0);
    EXPECT_EQ(f.owner, 1);
    EXPECT_EQ(f.partnerEntry, 3);
    EXPECT_EQ(f.type, 1);
    EXPECT_EQ(f.position, "1.5, 0, 0");
    EXPECT_EQ(f.axis, "0, 0, 1");
}

TEST(JointDialog, JointsRoundTripWhereTheirMarkersAre) {
    testing_support::TempDir dir;
    CSceneDoc doc;
    ThreeObjects(doc);
    ApplyJointFields(doc, -1, Fields(1, 2, 2, "1, 2, 3", "1, 0, 0"));
    JointFields alone = Fields(3, -1, 3, "0, 0, 0", "0, 1, 0");
    alone.target = 1;  // turns a partner it does not have: no marker, kept as given
    ApplyJointFields(doc, -1, alone);
    MoveItemSet(doc, {0, 0, 4}, 1, kNoJoints);  // the first marker goes with its owner
    ASSERT_TRUE(SaveSceneFile(doc, dir.File("j.stg")).ok);

    CSceneDoc back;
    ASSERT_TRUE(LoadSceneFile(back, dir.File("j.stg"), true).ok);
    ASSERT_EQ(back.Joints().size(), 2u);
    const SceneJoint& j = back.Joints()[0];
    EXPECT_EQ(back.IndexOf(j.owner), 1);
    EXPECT_EQ(back.IndexOf(j.partner), 2);
    EXPECT_EQ(j.type, 2);
    ASSERT_TRUE(j.frame);
    EXPECT_EQ(j.frame->Visuals().size(), 1u) << "the point comes back with the joint";
    EXPECT_EQ(ReadJointFields(back, 0).position, "1, 2, 7");
    EXPECT_EQ(ReadJointFields(back, 0).axis, "1, 0, 0");
    EXPECT_EQ(back.Joints()[1].target, 1);
    EXPECT_EQ(back.Joints()[1].partner, kNoItem);
}

TEST(JointManagement, RowsAndDelete) {
    CSceneDoc doc;
    ThreeObjects(doc);
    ApplyJointFields(doc, -1, Fields(1, 2, 1));
    ApplyJointFields(doc, -1, Fields(3, -1, 1));
    const std::vector<JointRows> rows = JointManagementRows(doc);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].owner.name, "a.mkl");
    EXPECT_EQ(rows[0].partner.name, "b.mkl");
    EXPECT_EQ(rows[0].partner.icon, kMissingObject);
    EXPECT_EQ(rows[1].partner.name, kNoPartnerText);
    EXPECT_EQ(rows[1].partner.icon, kNoPartnerIcon);
    DeleteJoint(doc, 0);
    ASSERT_EQ(doc.Joints().size(), 1u);
    EXPECT_EQ(doc.Items()[1].frame->Children().size(), 0u);
}

TEST(SliderDialog, VectorTurnedBetweenOwnAndSceneAxes) {
    // The item faces +x: its own x axis is the scene's -z.
    const struct {
        int kind, stored, given;
        const char* text;
        rm::Vector3 kept;
    } cases[] = {
        {1, 0, 1, "0, 0, -1", {1, 0, 0}},
        {2, 1, 0, "1, 0, 0", {0, 0, -1}},
        {1, 0, 0, "0, 2, 0", {0, 2, 0}},
        {0, 1, 0, "1, 0, 0", {1, 0, 0}},  // no slider: kept as written
    };
    for (const auto& c : cases) {
        CSceneDoc doc;
        std::vector<PendingItem> items{Object("a.mkl", 0)};
        items[0].placement.direction = {1, 0, 0};
        doc.AppendItems(std::move(items), {}, "/nonexistent.d", "");
        SliderFields f{c.kind, c.stored, c.given, c.text};
        ASSERT_EQ(CheckSliderFields(f), "");
        ApplySliderFields(doc, 0, f);
        const SceneItem& it = doc.Items()[0];
        EXPECT_EQ(it.sliderKind, c.kind);
        EXPECT_EQ(it.sliderAxes, c.stored);
        ExpectNear(it.sliderVector, c.kept, c.text);
        EXPECT_EQ(ReadSliderFields(doc, 0).givenAxes, c.stored);
    }
    EXPECT_EQ(CheckSliderFields({1, 0, 0, "1, 2"}), kMsgSliderVector);
    EXPECT_EQ(CheckSliderFields({0, 0, 0, "1, 2"}), "");
}

TEST(GroupOperation, FieldChecks) {
    const struct {
        int operation;
        const char *move, *scale, *axis, *angle;
        bool ccw;
        std::string_view message;
        float angleRadians;
    } cases[] = {
        {kGroupTurn, "", "", "0, 1, 0, 0, 0, 0", "90", false, "", kPi / 2},
        {kGroupTurn, "", "", "0, 1, 0, 0, 0, 0", "90", true, "", -kPi / 2},
        {kGroupTurn, "", "", "0, 1, 0", "90", false, kMsgGroupNumber, 0},
        {kGroupTurn, "", "", "0, 1, 0, 0, 0, 0", "90deg", false, kMsgGroupNumber, 0},
        {kGroupMove, "1, 2", "", "", "", false, kMsgGroupNumber, 0},
        {kGroupScale, "", "0", "", "", false, kMsgGroupZeroScale, 0},
        {kGroupScale, "", "1, 2", "", "", false, kMsgGroupNumber, 0},
        {kGroupNothing, "x", "x", "x", "x", false, "", 0},  // only the chosen fields count
    };
    for (const auto& c : cases) {
        GroupFields f;
        f.operation = c.operation;
        f.move = c.move;
        f.scale = c.scale;
        f.axis = c.axis;
        f.angle = c.angle;
        f.counterClockwise = c.ccw;
        GroupEdit e;
        EXPECT_EQ(CheckGroupFields(f, e), c.message) << c.operation;
        if (c.message.empty()) {
            EXPECT_NEAR(e.angle, c.angleRadians, 1e-6f);
        }
    }
}

TEST(GroupOperation, ScaleMoveAndTurn) {
    // 0 folder{1 A at (1, 2, 3)}, 2 B at (5, 0, 0) joined to A.
    for (const int operation : {kGroupScale, kGroupMove, kGroupTurn}) {
        CSceneDoc doc;
        PendingJoint j;
        j.owner = 1;
        j.partner = 2;
        j.type = 1;
        doc.AppendItems(
            {Folder("box", 0), Object("a.mkl", 1, {1, 2, 3}), Object("b.mkl", 0, {5, 0, 0})}, {j},
            "/nonexistent.d", "");
        GroupFields f;
        f.name = "箱";
        f.operation = operation;
        f.scale = "2";
        f.move = "1, 0, 0";
        f.angle = "90";
        GroupEdit e;
        ASSERT_EQ(CheckGroupFields(f, e), "");
        ApplyGroupOperation(doc, 0, e);
        EXPECT_EQ(doc.Items()[0].name, text::Utf8ToCp932("箱"));
        const rm::Frame& a = *doc.Items()[1].frame;
        const rm::Vector3 b = doc.Items()[2].frame->Position(doc.Root());
        if (operation == kGroupScale) {
            ExpectNear(a.Position(doc.Root()), {2, 4, 6}, "A scaled from the origin");
            ExpectNear(a.Transform({0, 1, 0}) - a.Position(), {0, 2, 0}, "A's frame scaled");
            EXPECT_EQ(doc.Items()[1].scale[2], 2.0f);
            ExpectNear(b, {5, 0, 0}, "B outside stays");
        } else if (operation == kGroupMove) {
            ExpectNear(a.Position(doc.Root()), {2, 2, 3}, "A moved");
            ExpectNear(b, {6, 0, 0}, "B linked moves along");
        } else {
            ExpectNear(a.Position(doc.Root()), {3, 2, -1}, "A turned");
            ExpectNear(b, {0, 0, -5}, "B linked turns along");
        }
    }
}

TEST(GroupOperation, FlipTogglesAndMirrorsOnlyTheFolder) {
    testing_support::TempDir dir;
    studio_test::WriteCubeModel(dir.File("cube.mkl"), 2.0f);
    // The two cubes come from one file and share a mesh; the one outside keeps its own.
    CSceneDoc doc;
    doc.AppendItems({Folder("box", 0), Object("cube.mkl", 1), Object("cube.mkl", 0)}, {},
                    dir.path(), "");
    ASSERT_EQ(doc.Items()[1].visual, doc.Items()[2].visual);
    rm::Vector3 before;
    ASSERT_TRUE(doc.Items()[1].visual->GetVertex(0, before));
    GroupFields f;
    f.operation = kGroupFlip;
    f.flip = 1;
    GroupEdit e;
    ASSERT_EQ(CheckGroupFields(f, e), "");
    ApplyGroupOperation(doc, 0, e);
    rm::Vector3 inside, outside;
    doc.Items()[1].visual->GetVertex(0, inside);
    doc.Items()[2].visual->GetVertex(0, outside);
    EXPECT_EQ(doc.Items()[1].flipY, 1);
    EXPECT_EQ(doc.Items()[2].flipY, 0);
    EXPECT_EQ(inside.y, -before.y);
    EXPECT_EQ(outside.y, before.y);
    ApplyGroupOperation(doc, 0, e);
    EXPECT_EQ(doc.Items()[1].flipY, 0) << "a second flip toggles back";
}

}  // namespace
