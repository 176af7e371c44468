// Linked sets, moving and turning them, sliders, the turn about a joint and joint markers.
#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <vector>

#include "studio/joints/joints.h"
#include "tests/studio/scene_fixture.h"

namespace {

using namespace studio;
using studio_test::Folder;
using studio_test::Object;

constexpr float kPi = std::numbers::pi_v<float>;

// Items: 'F' a folder, 'O' an object (its model missing: an empty frame is enough here).
struct ItemRow {
    char kind;
    int32_t depth;
    rm::Vector3 position{};
};

PendingJoint Joint(int32_t owner, int32_t partner, int32_t type, int32_t target = 0,
                   rm::Vector3 at = {}, rm::Vector3 axis = {0, 1, 0}) {
    PendingJoint j;
    j.owner = owner;
    j.partner = partner;
    j.type = type;
    j.target = target;
    j.placement = JointPlacement(at, axis);
    return j;
}

void Build(CSceneDoc& doc, const std::vector<ItemRow>& rows,
           const std::vector<PendingJoint>& joints) {
    std::vector<PendingItem> items;
    for (const ItemRow& s : rows)
        items.push_back(s.kind == 'F' ? Folder("f", s.depth)
                                      : Object("missing.mkl", s.depth, s.position));
    doc.AppendItems(std::move(items), joints, "/nonexistent.d", "");
}

rm::Vector3 PositionOf(const CSceneDoc& doc, size_t item) {
    return doc.Items()[item].frame->Position(doc.Root());
}

void ExpectNear(rm::Vector3 actual, rm::Vector3 expected, const std::string& what) {
    EXPECT_NEAR(actual.x, expected.x, 1e-4f) << what;
    EXPECT_NEAR(actual.y, expected.y, 1e-4f) << what;
    EXPECT_NEAR(actual.z, expected.z, 1e-4f) << what;
}

std::string Flags(const std::vector<uint8_t>& flags) {
    std::string s;
    for (uint8_t f : flags) s += f ? '1' : '0';
    return s;
}

TEST(LinkedItems, SubtreesJointsCyclesAndExclusions) {
    // 0 folder{1 A}, 2 B, 3 C, 4 D, 5 E, 6 folder{7 G{8 H}}, 9 K.
    // Joints: 0 A-B, 1 B-C, 2 C-A (a cycle), 3 C-D of type 0, 4 E alone, 5 K-G (into a nested
    // subtree), 6 H-folder 0 (read from a file: a folder as partner carries its subtree).
    CSceneDoc doc;
    Build(doc,
          {{'F', 0},
           {'O', 1},
           {'O', 0},
           {'O', 0},
           {'O', 0},
           {'O', 0},
           {'F', 0},
           {'O', 1},
           {'O', 2},
           {'O', 0}},
          {Joint(1, 2, 1), Joint(2, 3, 2), Joint(3, 1, 3), Joint(3, 4, 0), Joint(5, -1, 1),
           Joint(9, 7, 1), Joint(8, 0, 1)});
    const struct {
        size_t item;
        int excluded;
        const char* expected;
    } cases[] = {
        {0, kAllJoints, "1111000010"},  // the folder's child links out; H links to the folder
        {4, kAllJoints, "0000100000"},  // type 0 links nothing
        {2, kNoJoints, "0010000000"},
        {2, 0, "0111000000"},  // the cycle reaches A without A-B; A carries no parent
        {5, kAllJoints, "0000010000"},
        {7, kAllJoints, "1111000111"},  // subtree, joint, folder, subtree, joints
        {7, 6, "0000000111"},           // child G carries H; the folder above it stays
        {6, kNoJoints, "0000001110"},
        {42, kAllJoints, "0000000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Flags(MarkLinkedItems(doc, c.item, c.excluded)), c.expected)
            << "item " << c.item << " excluding " << c.excluded;
}

TEST(LinkedItems, LongChainListedBackwardsLinksEndToEnd) {
    // Each pass over the joints links one more item; the passes are bounded but enough.
    constexpr int kCount = 40;
    std::vector<ItemRow> items(kCount, {'O', 0});
    std::vector<PendingJoint> joints;
    for (int i = kCount - 1; i > 0; --i) joints.push_back(Joint(i - 1, i, 1));
    CSceneDoc doc;
    Build(doc, items, joints);
    EXPECT_EQ(Flags(MarkLinkedItems(doc, 0, kAllJoints)), std::string(kCount, '1'));
}

TEST(ItemSets, MoveCarriesTheLinkedSetOnly) {
    // 0 folder{1 A}, 2 B joined to A, 3 C of type 0 to B.
    CSceneDoc doc;
    Build(doc, {{'F', 0}, {'O', 1, {1, 0, 0}}, {'O', 0, {0, 2, 0}}, {'O', 0, {0, 0, 3}}},
          {Joint(1, 2, 3), Joint(2, 3, 0)});
    MoveItemSet(doc, {1, 2, 3}, 0, kAllJoints);
    ExpectNear(PositionOf(doc, 1), {2, 2, 3}, "A in the folder");
    ExpectNear(PositionOf(doc, 2), {1, 4, 3}, "B joined to A");
    ExpectNear(PositionOf(doc, 3), {0, 0, 3}, "C of type 0");
}

TEST(ItemSets, TurnKeepsScaleAndTurnsPlaceAndOrientation) {
    CSceneDoc doc;
    std::vector<PendingItem> items{Object("missing.mkl", 0, {2, 0, 0})};
    items[0].item.scale = {3, 1, 1};
    doc.AppendItems(std::move(items), {}, "/nonexistent.d", "");
    // A quarter turn about the vertical line through (1, 0, 0): +x turns into -z.
    TurnItemSet(doc, {1, 0, 0}, {0, 1, 0}, kPi / 2, 0, kAllJoints);
    const rm::Frame& f = *doc.Items()[0].frame;
    ExpectNear(f.Position(doc.Root()), {1, 0, -1}, "position");
    rm::Vector3 direction, up;
    f.GetOrientation(doc.Root(), direction, up);
    ExpectNear(direction, {1, 0, 0}, "direction");
    // The own x axis, now along -z, is still three long.
    ExpectNear(f.Transform({1, 0, 0}) - f.Position(), {0, 0, -3}, "scaled x axis");
    // No axis: nothing to turn about.
    TurnItemSet(doc, {}, {}, 1.0f, 0, kAllJoints);
    ExpectNear(f.Position(doc.Root()), {1, 0, -1}, "after a zero axis");
}

TEST(Slider, AxisAndPlaneInSceneAndOwnAxes) {
    const struct {
        int32_t kind, axes;
        rm::Vector3 vector, move, expected;
    } cases[] = {
        {1, 1, {1, 0, 0}, {2, 3, 0}, {2, 0, 0}},  // along an axis
        {2, 1, {0, 1, 0}, {2, 3, 0}, {2, 0, 0}},  // in a plane
        {1, 1, {5, 0, 0}, {2, 3, 0}, {2, 0, 0}},  // the vector's length does not count
        {0, 1, {1, 0, 0}, {2, 3, 0}, {2, 3, 0}},
        {1, 1, {0, 0, 0}, {2, 3, 0}, {2, 3, 0}},
        // The item faces +x, so its own x axis is the scene's -z.
        {1, 0, {1, 0, 0}, {2, 3, 4}, {0, 0, 4}},
        {2, 0, {1, 0, 0}, {2, 3, 4}, {2, 3, 0}},
    };
    for (const auto& c : cases) {
        CSceneDoc doc;
        std::vector<PendingItem> items{Object("missing.mkl", 0)};
        items[0].placement.direction = {1, 0, 0};
        items[0].item.sliderKind = c.kind;
        items[0].item.sliderAxes = c.axes;
        items[0].item.sliderVector = c.vector;
        doc.AppendItems(std::move(items), {}, "/nonexistent.d", "");
        ExpectNear(ApplySlider(doc, c.move, 0), c.expected,
                   "kind " + std::to_string(c.kind) + " axes " + std::to_string(c.axes));
    }
}

TEST(TurnAboutJoint, FreeRotationFollowsTheCamera) {
    const CameraAxes camera{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const struct {
        rm::Vector3 partner;
        int dx, dy;
        bool shift;
        rm::Vector3 expected;
    } cases[] = {
        {{1, 0, 0}, 90, 0, false, {0, 0, 1}},  // about up by -dx
        {{0, 1, 0}, 0, 90, false, {0, 0, 1}},  // about right by dy
        {{0, 1, 0}, 90, 0, true, {1, 0, 0}},   // Shift: about the view direction by -dx
    };
    for (const auto& c : cases) {
        CSceneDoc doc;
        Build(doc, {{'O', 0}, {'O', 0, c.partner}}, {Joint(0, 1, 1, 1)});
        TurnAboutJoint(doc, camera, 0, 1, c.dx, c.dy, c.shift);
        ExpectNear(PositionOf(doc, 1), c.expected, "partner");
        ExpectNear(PositionOf(doc, 0), {0, 0, 0}, "owner, across the joint");
    }
}

TEST(TurnAboutJoint, AxisRotationSignAndTypesThatDoNotTurn) {
    const CameraAxes camera{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const float c10 = std::cos(kPi / 18), s10 = std::sin(kPi / 18);
    const struct {
        int32_t type;
        rm::Vector3 axis;
        int dx, dy;
        rm::Vector3 expected;
    } cases[] = {
        // Vertical axis, drag to the right: k = 10, turned by -10 degrees.
        {2, {0, 1, 0}, 10, 0, {c10, 0, s10}},
        {2, {0, -1, 0}, 10, 0, {c10, 0, s10}},  // the same turn whichever way the axis points
        {2, {0, 1, 0}, 0, 10, {1, 0, 0}},       // a drag along the axis turns nothing
        {2, {0, 0, 1}, 10, 10, {1, 0, 0}},      // an axis along the view has no screen length
        {3, {0, 1, 0}, 10, 0, {1, 0, 0}},
        {0, {0, 1, 0}, 10, 0, {1, 0, 0}},
    };
    for (const auto& c : cases) {
        CSceneDoc doc;
        Build(doc, {{'O', 0}, {'O', 0, {1, 0, 0}}}, {Joint(0, 1, c.type, 1, {}, c.axis)});
        TurnAboutJoint(doc, camera, 0, 1, c.dx, c.dy, false);
        ExpectNear(PositionOf(doc, 1), c.expected, "type " + std::to_string(c.type));
    }
}

TEST(TurnAboutJoint, ChainTurnsTheSelectedSideOnly) {
    // A - B - C; the A-B joint at (1, 0, 0) turns its partner B, which carries C.
    CSceneDoc doc;
    Build(doc, {{'O', 0, {0, 0, 0}}, {'O', 0, {2, 0, 0}}, {'O', 0, {3, 0, 0}}},
          {Joint(0, 1, 1, 1, {1, 0, 0}), Joint(1, 2, 1)});
    MoveItemSet(doc, {0, 1, 0}, 0, kAllJoints);  // dragging A moves all three
    ExpectNear(PositionOf(doc, 2), {3, 1, 0}, "C moved with A");
    ASSERT_EQ(TurnedItemOf(doc, 0), 1);
    TurnAboutJoint(doc, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, 0, 1, 90, 0, false);
    ExpectNear(PositionOf(doc, 0), {0, 1, 0}, "A");
    ExpectNear(PositionOf(doc, 1), {1, 1, 1}, "B");
    ExpectNear(PositionOf(doc, 2), {1, 1, 2}, "C");
}

TEST(JointMarker, FramesMeshesAndVisibility) {
    // 0 folder, 1 A, 2 B; joints of each type, one owned by the folder, one turning a partner
    // that does not exist.
    CSceneDoc doc;
    Build(doc, {{'F', 0}, {'O', 0}, {'O', 0}},
          {Joint(1, 2, 0), Joint(1, 2, 1), Joint(1, 2, 2), Joint(1, 2, 3), Joint(0, 1, 1),
           Joint(1, -1, 1, 1), Joint(1, -1, 1, 0, {1, 2, 3}, {0, 0, 0})});
    const std::vector<SceneJoint>& j = doc.Joints();
    ASSERT_EQ(j.size(), 7u);
    ASSERT_TRUE(j[0].frame);
    EXPECT_TRUE(j[0].frame->Visuals().empty()) << "type 0 has no point";
    for (size_t k = 1; k <= 3; ++k) {
        ASSERT_TRUE(j[k].frame) << k;
        ASSERT_EQ(j[k].frame->Visuals().size(), 1u) << k;
        EXPECT_EQ(j[k].frame->Parent(), doc.Items()[1].frame) << "under the owner";
        EXPECT_EQ(j[k].frame->TraversalOptions(), 0u) << "hidden outside the joint modes";
    }
    EXPECT_FALSE(j[4].frame) << "owned by a folder";
    EXPECT_FALSE(j[5].frame) << "turns a partner that is not there";
    // No axis: along y, with up along z.
    rm::Vector3 direction, up;
    j[6].frame->GetOrientation(doc.Root(), direction, up);
    ExpectNear(j[6].frame->Position(doc.Root()), {1, 2, 3}, "point");
    ExpectNear(direction, {0, 1, 0}, "axis");
    ExpectNear(up, {0, 0, 1}, "up");

    doc.SetJointMarkersShown(true);
    EXPECT_EQ(j[1].frame->TraversalOptions(), rm::kRenderEnable) << "drawn, never picked";
    ReleaseJointMarker(doc, 1);
    EXPECT_FALSE(j[1].frame);
    EXPECT_EQ(doc.Items()[1].frame->Children().size(), 4u) << "only the released one went";

    // Deleting the partner: a joint that turned it has nothing left to mark.
    doc.Joints()[2].target = 1;
    doc.DeleteSubtree(2);
    EXPECT_FALSE(j[2].frame);
    EXPECT_TRUE(j[3].frame) << "the owner still turns";
}

}  // namespace
