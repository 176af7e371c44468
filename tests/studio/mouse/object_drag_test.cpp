// The 3D view's mouse without a window: one drag step's arithmetic for a known camera, and
// window points as picture points.
#include "studio/mouse/object_drag.h"

#include <gtest/gtest.h>

#include <cmath>

#include "studio/mouse/picture_point.h"

namespace {

using namespace studio;

constexpr float kHalfDegree = 3.14159265f / 360.0f;

// Looking along +z from the origin; the item 10 ahead.
ViewCamera AlongZ() {
    return {{0, 0, 0}, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
}

struct StepCase {
    const char* what;
    ViewCamera camera;
    DragSubject item;
    DragView view;
    DragInput input;
    rm::Vector3 move;
    std::vector<DragTurn> turns;
};

void ExpectNear(rm::Vector3 a, rm::Vector3 b, const char* what) {
    EXPECT_NEAR(a.x, b.x, 1e-5f) << what;
    EXPECT_NEAR(a.y, b.y, 1e-5f) << what;
    EXPECT_NEAR(a.z, b.z, 1e-5f) << what;
}

TEST(ObjectDrag, StepForAKnownCamera) {
    const DragSubject ahead{{0, 0, 10}};
    DragSubject locked = ahead;
    locked.positionLock = 1;
    DragSubject upLock = ahead;
    upLock.axisLock = 1;
    DragSubject tiltedUpLock = upLock;
    tiltedUpLock.up = {0, 0.6f, 0.8f};  // leans along the view: seen shortened on the screen
    DragSubject directionLock{{0, 0, 10}, {1, 0, 0}, {0, 1, 0}, 2, 0};
    DragSubject endOn = ahead;
    endOn.axisLock = 2;  // its direction is the view's
    // Looking along +x: the screen's right is -z.
    const ViewCamera alongX{{0, 0, 0}, {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}};
    const DragView square{{400, 400}, 1, 2}, wide{{400, 200}, 1, 2}, halved{{400, 400}, 2, 2};

    const StepCase cases[] = {
        // Across the screen at depth 10: 40 of 400 pixels is a tenth of the depth.
        {"plain right", AlongZ(), ahead, square, {40, 0}, {1, 0, 0}, {}},
        {"plain up", AlongZ(), ahead, square, {0, 20}, {0, 0.5f, 0}, {}},
        {"height for dy", AlongZ(), ahead, wide, {0, 20}, {0, 1, 0}, {}},
        {"scaled picture", AlongZ(), ahead, halved, {40, 0}, {0.5f, 0, 0}, {}},
        {"other camera", alongX, {{10, 0, 0}}, square, {40, 0}, {0, 0, -1}, {}},
        {"shift: along the view", AlongZ(), ahead, square, {30, 10, true}, {0, 0, 1}, {}},
        {"position lock", AlongZ(), locked, square, {40, 10}, {}, {}},
        {"position lock turns",
         AlongZ(),
         locked,
         square,
         {10, 0, false, true},
         {},
         {{{0, 1, 0}, -10 * kHalfDegree}}},
        {"ctrl",
         AlongZ(),
         ahead,
         square,
         {10, 4, false, true},
         {},
         {{{0, 1, 0}, -10 * kHalfDegree}, {{1, 0, 0}, 4 * kHalfDegree}}},
        {"shift ctrl: about the view",
         AlongZ(),
         ahead,
         square,
         {10, 4, true, true},
         {},
         {{{0, 0, 1}, -10 * kHalfDegree}}},
        // Locked axes: the drag across the axis as seen, its sense from the side dragged to.
        {"up lock right",
         AlongZ(),
         upLock,
         square,
         {10, 0, false, true},
         {},
         {{{0, 1, 0}, -10 * kHalfDegree}}},
        {"up lock left",
         AlongZ(),
         upLock,
         square,
         {-10, 0, false, true},
         {},
         {{{0, 1, 0}, 10 * kHalfDegree}}},
        {"up lock along the axis", AlongZ(), upLock, square, {0, 10, false, true}, {}, {}},
        {"up lock diagonal",
         AlongZ(),
         upLock,
         square,
         {6, 8, false, true},
         {},
         {{{0, 1, 0}, -6 * kHalfDegree}}},
        {"tilted axis",
         AlongZ(),
         tiltedUpLock,
         square,
         {10, 0, false, true},
         {},
         {{{0, 0.6f, 0.8f}, -10 * kHalfDegree}}},
        {"direction lock up",
         AlongZ(),
         directionLock,
         square,
         {0, 10, false, true},
         {},
         {{{1, 0, 0}, 10 * kHalfDegree}}},
        {"direction lock down",
         AlongZ(),
         directionLock,
         square,
         {0, -10, false, true},
         {},
         {{{1, 0, 0}, -10 * kHalfDegree}}},
        {"axis seen end on", AlongZ(), endOn, square, {10, 10, false, true}, {}, {}},
    };
    for (const StepCase& c : cases) {
        const DragStep step = ObjectDragStep(c.camera, c.item, c.view, c.input);
        ExpectNear(step.move, c.move, c.what);
        ExpectNear(step.centre, c.item.position, c.what);
        ASSERT_EQ(step.turns.size(), c.turns.size()) << c.what;
        for (size_t i = 0; i < c.turns.size(); ++i) {
            ExpectNear(step.turns[i].axis, c.turns[i].axis, c.what);
            EXPECT_NEAR(step.turns[i].angle, c.turns[i].angle, 1e-6f) << c.what;
        }
    }
}

TEST(ObjectDrag, WindowPointToPicturePoint) {
    struct Case {
        const char* what;
        int fit, free;
        float scale;
        int x, y;
        std::optional<PicturePoint> expected;
    };
    const PictureSize picture{400, 300};
    const Case cases[] = {
        {"scrolled", 0, 0, 1, 10, 20, PicturePoint{40, 70}},
        {"beyond the width", 0, 0, 1, 380, 20, std::nullopt},
        {"fitted: unchanged", 1, 1, 2, 10, 20, PicturePoint{10, 20}},
        {"free size: scaled", 0, 1, 2, 10, 21, PicturePoint{5, 10}},
        {"free size: beyond the height", 0, 1, 0.5f, 10, 150, std::nullopt},
    };
    for (const Case& c : cases) {
        SceneEnvironment env;
        env.fitToView = c.fit;
        env.freeSize = c.free;
        EXPECT_EQ(WindowToPicture(env, picture, c.scale, 30, 50, c.x, c.y), c.expected) << c.what;
    }
    SceneEnvironment env;
    EXPECT_EQ(ViewScale(env, picture, 200, 600), 1.0f);
    env.freeSize = 1;
    EXPECT_EQ(ViewScale(env, picture, 200, 600), 0.5f);  // the narrower side decides
    env.fitToView = 1;
    EXPECT_EQ(ViewScale(env, picture, 200, 600), 1.0f);
}

}  // namespace
