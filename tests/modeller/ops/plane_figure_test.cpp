// Figures on a plane: the frame and its axis fallbacks, the outline of rectangles and ellipse
// polygons, and the lines written into the sheets.
#include <gtest/gtest.h>

#include <algorithm>

#include "modeller/ops/plane_figure.h"
#include "tests/modeller/ops/ops_fixture.h"

namespace {

using namespace modeller::ops;
using ops_test::Doc;

constexpr rm::Vector3 kCamera{1, 1, -5};  // the modeller's first camera position

PlanePaintState Ground() {
    PlanePaintState s;
    s.normal = {0, 1, 0};
    s.modeOn = true;
    return s;
}

TEST(PlaneFigure, RectangleOnTheGroundFallsBackToTheZAxisAndIsOneFace) {
    Doc d({""}, {""});
    const OpsResult r = ApplyPlaneFigure(d.m, d.host, Ground(), {0, 0, 0}, {2, 0, 1}, kCamera);
    ASSERT_TRUE(r.ok);
    // Seen from above with z up on the screen: top left first, clockwise.
    EXPECT_EQ(d.Points(), (ops_test::Lines{"0, 0, 1", "2, 0, 1", "2, 0, 0", "0, 0, 0"}));
    EXPECT_EQ(d.Faces(), (ops_test::Lines{"0, 1, 2, 3"}));
    EXPECT_TRUE(d.host.modified);
    EXPECT_EQ(d.objects.modelMesh->FaceCount(), 1u);
}

TEST(PlaneFigure, AnyCornerOrderGivesTheSameRing) {
    const PlanePaintState s = Ground();
    const auto ref = FigurePoints({0, 0, 0}, {2, 0, 1}, s, kCamera);
    const std::pair<rm::Vector3, rm::Vector3> orders[] = {
        {{2, 0, 1}, {0, 0, 0}}, {{0, 0, 1}, {2, 0, 0}}, {{2, 0, 0}, {0, 0, 1}}};
    for (const auto& [a, b] : orders) {
        const auto got = FigurePoints(a, b, s, kCamera);
        ASSERT_EQ(got.size(), 4u);
        for (size_t i = 0; i < 4; ++i) EXPECT_TRUE(got[i] == ref[i]) << i;
    }
}

TEST(PlaneFigure, FrameAxisFallbacks) {
    struct Case {
        rm::Vector3 normal;
        int32_t axis;
        rm::Vector3 up;
    };
    const Case cases[] = {
        {{0, 1, 0}, PlaneFigureOptions::kAxisY, {0, 0, 1}},
        {{0, -3, 0}, PlaneFigureOptions::kAxisY, {0, 0, 1}},
        {{0, 0, 1}, PlaneFigureOptions::kAxisZ, {0, 1, 0}},
        {{1, 0, 0}, PlaneFigureOptions::kAxisX, {0, 1, 0}},
        {{0, 0, 2}, PlaneFigureOptions::kAxisY, {0, 1, 0}},
        {{1, 0, 0}, PlaneFigureOptions::kAxisZ, {0, 0, 1}},
    };
    for (const Case& c : cases) {
        const auto f = MakePlaneFrame({}, c.normal, {}, kCamera, c.axis);
        ASSERT_TRUE(f);
        EXPECT_NEAR(rm::Dot(f->up, c.up), 1.0f, 1e-6f) << c.normal.x << c.normal.y << c.normal.z;
        // The forward axis points away from the camera; right completes a left-handed frame.
        EXPECT_GE(rm::Dot(f->forward, rm::Vector3{} - kCamera), 0.0f);
        EXPECT_NEAR(rm::Dot(rm::Cross(f->up, f->forward), f->right), 1.0f, 1e-6f);
    }
    EXPECT_FALSE(MakePlaneFrame({}, {0, 0, 0}, {}, kCamera, 0));
}

TEST(PlaneFigure, OutlineShapes) {
    PlaneFigureOptions equal;
    equal.equalRatio = true;
    const auto square = FigureOutline(4, -1, equal);  // w 4, h -1 -> 1, -1
    ASSERT_EQ(square.size(), 4u);
    EXPECT_EQ(square[1].x, 1.0f);
    EXPECT_EQ(square[2].y, -1.0f);

    PlaneFigureOptions half;
    half.splitHalf = true;
    EXPECT_EQ(FigureOutline(4, 2, half)[1].x, 2.0f);  // the rectangle's width halves

    PlaneFigureOptions circle;
    circle.shape = PlaneFigureOptions::kCircle;
    circle.divisions = 8;
    const auto ring = FigureOutline(2, 2, circle);
    ASSERT_EQ(ring.size(), 8u);
    EXPECT_NEAR(ring[0].y, 2.0f, 1e-6f);  // top first, then clockwise (to the right)
    EXPECT_GT(ring[1].x, ring[0].x);
}

TEST(PlaneFigure, HalfCirclesKeepTheSideOfTheFirstCorner) {
    PlaneFigureOptions o;
    o.shape = PlaneFigureOptions::kCircle;
    o.splitHalf = true;
    for (float w : {2.0f, -2.0f}) {
        o.divisions = 8;
        const auto even = FigureOutline(w, 2, o);
        ASSERT_EQ(even.size(), 5u);
        // The first corner is the frame's origin: the half kept lies on its side of the centre.
        for (const Point2& p : even) EXPECT_LE(std::fabs(p.x), std::fabs(w / 2) + 1e-6f) << w;
        o.divisions = 5;
        const auto odd = FigureOutline(w, 2, o);
        ASSERT_EQ(odd.size(), 4u);
        for (const Point2& p : odd) EXPECT_LE(std::fabs(p.x), std::fabs(w / 2) + 1e-6f) << w;
        // One point is the midpoint of the two lowest points of the ring, on the bottom edge.
        const Point2 mid = w >= 0 ? odd.front() : odd.back();
        EXPECT_NEAR(mid.x, w / 2, 1e-6f);
        EXPECT_LT(mid.y, 1.0f - 0.8f);
    }
    o.divisions = 1;  // never reads past the ring
    EXPECT_EQ(FigureOutline(2, 2, o).size(), 2u);
}

TEST(PlaneFigure, LinesGoIntoExactlyEmptyPointLinesAndTheFirstBlankFaceLine) {
    Doc d({"0, 0, 0", "", " ", "1, 1, 1", ""}, {"0, 1, 3", "  ", ""});
    ASSERT_TRUE(ApplyPlaneFigure(d.m, d.host, Ground(), {0, 0, 0}, {1, 0, 1}, kCamera).ok);
    // A blank of spaces is text to the point search, a free line to the face search.
    EXPECT_EQ(d.Points()[2], " ");
    EXPECT_EQ(d.Points().size(), 7u);
    EXPECT_EQ(d.Faces()[1], "1, 4, 5, 6");
}

TEST(PlaneFigure, NothingToDrawChangesNothing) {
    Doc d({""}, {""});
    PlanePaintState s = Ground();
    s.options.shape = PlaneFigureOptions::kCircle;  // 0 divisions
    EXPECT_FALSE(ApplyPlaneFigure(d.m, d.host, s, {}, {1, 0, 1}, kCamera).ok);
    s.options.divisions = 4'000'000'000u;
    EXPECT_EQ(ApplyPlaneFigure(d.m, d.host, s, {}, {1, 0, 1}, kCamera).message, "Error!");
    EXPECT_EQ(d.Points(), (ops_test::Lines{""}));
    EXPECT_FALSE(d.host.modified);
}

TEST(PlaneFigure, PlaneTextAndProjection) {
    const auto plane = ParsePlaneText("0, 1, 0, 0, 2, 0");
    ASSERT_TRUE(plane);
    EXPECT_TRUE(ProjectOntoPlane({1, 5, 2}, plane->normal, plane->point) == (rm::Vector3{1, 2, 2}));
    EXPECT_TRUE(ProjectOntoPlane({1, -5, 2}, plane->normal, plane->point) ==
                (rm::Vector3{1, 2, 2}));
    EXPECT_FALSE(ParsePlaneText("0, 1, 0, 0, 2"));     // five numbers
    EXPECT_FALSE(ParsePlaneText("0, 0, 0, 1, 1, 1"));  // no plane has a zero normal
    PlanePaintState s;
    s.normal = plane->normal;
    s.point = plane->point;
    EXPECT_EQ(PlaneText(s), "0, 1, 0, 0, 2, 0");
}

}  // namespace
