#include "modeller/ops/revolution.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/vector_text.h"
#include "ops_fixture.h"
#include "platform/text/cp932.h"

namespace {

using namespace modeller::ops;
using ops_test::Doc;
using ops_test::Lines;

// A square in z = 0 beside the y axis, its front toward -z: the clockwise sweep about +y
// moves it that way, so its front looks along the sweep.
const Lines kSquare = {"1, 0, 0", "1, 1, 0", "2, 1, 0", "2, 0, 0"};
// A triangle with its first point on the y axis, front toward -z as well.
const Lines kTriangle = {"0, 0, 0", "1, 0, 0", "1, 1, 0"};

RevolutionSettings Settings(std::string faces, float angle, uint32_t divisions) {
    RevolutionSettings s;
    s.faceList = std::move(faces);
    s.angle = angle;
    s.divisions = divisions;
    return s;
}

void ExpectNear(const std::string& line, model::Vertex want) {
    const auto v = model::ParseVector(line);
    ASSERT_TRUE(v) << line;
    EXPECT_NEAR(v->x, want.x, 1e-6) << line;
    EXPECT_NEAR(v->y, want.y, 1e-6) << line;
    EXPECT_NEAR(v->z, want.z, 1e-6) << line;
}

size_t NonEmpty(const Lines& lines) {
    size_t n = 0;
    for (const std::string& l : lines) n += !l.empty();
    return n;
}

TEST(Revolution, FullTurnOfASquareDeletesTheSourceAndTheJoinClosesIt) {
    struct Case {
        Lines faces;
        bool noJoin;
        size_t points, faceLines;
        const char* list = "0";
    } cases[] = {
        // Two faces in one run: each block in its own lines, both sources gone.
        {{"0, 1, 2, 3", "0, 1, 2"}, true, 4 + 80 + 60, 160 + 120, "all"},
        // The free lines start right after the source: the first new face overwrites it.
        {{"0, 1, 2, 3"}, true, 4 + 80, 160},
        // Another face follows the source: the new faces go after it and the source goes.
        {{"0, 1, 2, 3", "0, 1, 2"}, true, 4 + 80, 1 + 160},
        // The join merges the closing ring into the source points, floats notwithstanding.
        {{"0, 1, 2, 3"}, false, 80, 160},
    };
    for (const Case& c : cases) {
        Doc d(kSquare, c.faces);
        RevolutionSettings s = Settings(c.list, 360, 20);
        s.noJoin = c.noJoin;
        ASSERT_TRUE(ApplyRevolution(d.m, d.host, s).ok);
        EXPECT_EQ(NonEmpty(d.Points()), c.points);
        EXPECT_EQ(NonEmpty(d.Faces()), c.faceLines);
        if (c.noJoin && *c.list == '0') {
            EXPECT_EQ(d.Points()[80], "1, 0, 0");  // the closing ring is the source exactly
            // The first side quad 1, 0, 4, 5, reversed, as two triangles.
            const size_t first = c.faces.size() == 1 ? 0 : 2;
            EXPECT_EQ(d.Faces()[first], "5, 4, 0");
            EXPECT_EQ(d.Faces()[first + 1], "5, 0, 1");
        }
        if (c.faces.size() == 2) {
            EXPECT_EQ(d.Faces()[0], "");
        }
        if (*c.list == 'a') {
            EXPECT_EQ(d.Faces()[1], "");
        }
        for (const std::string& face : d.Faces()) {
            if (face.empty()) continue;
            EXPECT_EQ(model::ParseFaceCorners(face).size(), 3u) << face;
        }
        EXPECT_TRUE(d.host.modified);
    }
}

TEST(Revolution, AxisPointsAreSharedAndDirectionSwapsTheOrder) {
    struct Case {
        Lines faces;
        bool counterClockwise;
        const char* source;
        Lines firstStep;  // face lines 1 to 4
        const char* cap;  // face line 17
    } cases[] = {
        // Front along the sweep: sides and source reversed, the cap in the face's order.
        {{"0, 2, 1"}, false, "1, 2, 0", {"3, 0, 2", "4, 3, 2", "4, 2, 1", "4, 1, 0"}, "0, 9, 10"},
        // Counter-clockwise inverts that: nothing reversed but the cap.
        {{"0, 2, 1"}, true, "0, 2, 1", {"2, 0, 3", "1, 2, 3", "1, 3, 4", "0, 1, 4"}, "10, 9, 0"},
    };
    for (const Case& c : cases) {
        Doc d(kTriangle, c.faces);
        RevolutionSettings s = Settings("0", 90, 4);
        s.counterClockwise = c.counterClockwise;
        s.noJoin = true;
        ASSERT_TRUE(ApplyRevolution(d.m, d.host, s).ok);
        ASSERT_EQ(d.Points().size(), 3u + 8u);  // the axis point is never copied
        ASSERT_EQ(d.Faces().size(), 1u + 17u);
        EXPECT_EQ(d.Faces()[0], c.source);
        EXPECT_EQ(Lines(d.Faces().begin() + 1, d.Faces().begin() + 5), c.firstStep);
        EXPECT_EQ(d.Faces()[17], c.cap);
        const float z = c.counterClockwise ? 1 : -1;
        ExpectNear(d.Points()[10], {0, 0, z});  // (1, 0, 0) a quarter turn on
        ExpectNear(d.Points()[4], {std::cos(0.3926991f), 0, z * std::sin(0.3926991f)});
    }
}

TEST(Revolution, DivisionEdgeCasesAndAZeroAxis) {
    struct Case {
        const char* axis;
        float angle;
        uint32_t divisions;
        Lines faces;  // expected, no join
        size_t points;
    } cases[] = {
        // No division: no points, no sides; a partial turn still gets its cap.
        {"0, 1, 0, 0, 0, 0", 90, 0, {"1, 2, 0", "0, 2, 1"}, 3},
        // A full turn with nothing to replace the source keeps it.
        {"0, 1, 0, 0, 0, 0", 360, 0, {"0, 2, 1"}, 3},
        // A zero axis direction puts every point on the axis: a cap, no points, no NaN.
        {"0, 0, 0, 0, 0, 0", 90, 8, {"0, 2, 1", "1, 2, 0"}, 3},
        // Three numbers: the axis through the origin.
        {"0, 1, 0", 90, 1, {}, 3 + 2},
    };
    for (const Case& c : cases) {
        Doc d(kTriangle, {"0, 2, 1"});
        RevolutionSettings s = Settings("0", c.angle, c.divisions);
        s.axis = c.axis;
        s.noJoin = true;
        ASSERT_TRUE(ApplyRevolution(d.m, d.host, s).ok) << c.axis;
        EXPECT_EQ(d.Points().size(), c.points) << c.axis;
        if (!c.faces.empty()) {
            EXPECT_EQ(d.Faces(), c.faces) << c.axis << " " << c.divisions;
        }
        for (const std::string& p : d.Points()) EXPECT_TRUE(model::ParseVector(p)) << p;
    }
}

TEST(Revolution, NewGroupsTakeTheSourceColourAndAFreshName) {
    Doc d({"1, 0, 0", "1, 1, 0", "2, 1, 0", "3, 0, 0", "3, 1, 0", "4, 1, 0"},
          {"0, 1, 2", "3, 4, 5", "", "bad"});
    model::GroupEntry red{static_cast<int32_t>(0xFFFF0000), text::Sjis("回転体1"), 1,
                          model::GroupMaterial{5, {1, 1, 1}, {}, {}}};
    d.m.groups.entries.push_back(red);
    d.m.faces.FaceGroup[0] = d.m.faces.FaceGroup[1] = 2;
    d.m.faces.FaceStatus[1] = model::FaceSheet::kStatusOwnColor;
    d.m.faces.FaceColor[1] = static_cast<int32_t>(0xFF00FF00);

    EXPECT_EQ(GeneratedGroupName(d.m.groups), "回転体2");
    RevolutionSettings s = OpenRevolution(Settings("all", 90, 2), d.m.groups);
    EXPECT_FALSE(s.newGroup);
    EXPECT_EQ(s.groupName, "回転体2");
    s.newGroup = true;
    s.groupName = "回転体1";
    EXPECT_EQ(ValidateRevolution(d.m, s), kGroupExistsText);
    s.groupName = "回転体2";
    s.noJoin = true;
    ASSERT_TRUE(ApplyRevolution(d.m, d.host, s).ok);
    // One group per swept face, each with its face's colour and its group's material.
    ASSERT_EQ(d.m.groups.size(), 5u);
    EXPECT_EQ(d.m.groups[3].name, text::Sjis("回転体2"));
    EXPECT_EQ(d.m.groups[3].color, red.color);
    EXPECT_EQ(d.m.groups[4].color, static_cast<int32_t>(0xFF00FF00));
    EXPECT_EQ(d.m.groups[4].material, red.material);
    EXPECT_EQ(d.m.faces.FaceStatus[1] & model::FaceSheet::kStatusOwnColor, 0);
    EXPECT_EQ(d.m.faces.FaceGroup[0], 3);
    EXPECT_EQ(d.m.faces.FaceGroup[1], 4);
    for (size_t f = 2; f < d.Faces().size(); ++f)
        if (!d.Faces()[f].empty() && d.Faces()[f] != "bad") {
            EXPECT_TRUE(d.m.faces.FaceGroup[f] == 3 || d.m.faces.FaceGroup[f] == 4) << f;
        }
    EXPECT_EQ(GeneratedGroupName(d.m.groups), "回転体3");
}

TEST(Revolution, ChecksInOrderAndRoomBeforeAnyChange) {
    Doc named(kTriangle, {"0, 2, 1"});
    named.m.groups.entries.push_back({0, text::Sjis("vase"), 0, {}});
    struct Case {
        const char* faces;
        bool newGroup;
        const char* axis;
        uint32_t divisions;
        std::string message;
    } cases[] = {
        {"", true, "1, 2", 4, kNoFaceListText},
        {"0", true, "1, 2", 4, kGroupExistsText},
        {"0", false, "1, 2", 4, kBadAxisVectorText},
        // Past the checks, but no sheet could hold it.
        {"0", false, "0, 1, 0", 4'000'000'000u, kTooLargeText},
        // Every point on the axis: nothing to write, however many divisions.
        {"0", false, "0, 0, 0", 4'000'000'000u, ""},
    };
    {  // one new group too many for the 16-bit face groups
        Doc full(kTriangle, {"0, 2, 1", "0, 2, 1"});
        full.m.groups.entries.resize(65535);
        RevolutionSettings s = Settings("all", 90, 1);
        s.newGroup = true;
        s.groupName = "vase";
        EXPECT_EQ(ApplyRevolution(full.m, full.host, s).message, kTooLargeText);
        EXPECT_EQ(full.m.groups.size(), 65535u);
        EXPECT_EQ(full.m.points.lines.size(), 3u);
    }
    for (const Case& c : cases) {
        Doc d(kTriangle, {"0, 2, 1"});
        d.m.groups = named.m.groups;
        RevolutionSettings s = Settings(c.faces, 360, c.divisions);
        s.newGroup = c.newGroup;
        s.groupName = "vase";
        s.axis = c.axis;
        const OpsResult r = ApplyRevolution(d.m, d.host, s);
        EXPECT_EQ(r.message, c.message);
        if (!c.message.empty()) {
            EXPECT_EQ(d.Points(), kTriangle);
            EXPECT_EQ(d.Faces(), Lines{"0, 2, 1"});
            EXPECT_FALSE(d.host.modified);
        }
    }
}

}  // namespace
