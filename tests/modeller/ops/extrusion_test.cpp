#include "modeller/ops/extrusion.h"

#include <gtest/gtest.h>

#include "ops_fixture.h"

namespace {

using namespace modeller::ops;
using ops_test::Doc;
using ops_test::Lines;

// A unit square in z = 0 whose front faces -z (its corners run clockwise seen from there).
const Lines kSquare = {"0, 0, 0", "0, 1, 0", "1, 1, 0", "1, 0, 0"};

ExtrusionSettings Settings(std::string faces, std::string vector) {
    ExtrusionSettings s;
    s.faceList = std::move(faces);
    s.vector = std::move(vector);
    return s;
}

Lines WithBlanks(Lines lines, size_t count) {
    lines.resize(lines.size() + count);
    return lines;
}

TEST(Extrusion, WorkedExampleAwayFromTheFront) {
    for (bool noJoin : {false, true}) {
        Doc d(WithBlanks(kSquare, 7), {"0, 1, 2, 3"});
        ExtrusionSettings s = Settings("0", "0, 0, 1");
        s.noJoin = noJoin;
        ASSERT_TRUE(ApplyExtrusion(d.m, d.host, s).ok);
        Lines points = kSquare;
        for (const char* p : {"0, 0, 1", "0, 1, 1", "1, 1, 1", "1, 0, 1"}) points.push_back(p);
        if (noJoin) points.resize(11);
        EXPECT_EQ(d.Points(), points);
        EXPECT_EQ(d.Faces(), (Lines{"0, 1, 2, 3", "1, 0, 4", "1, 4, 5", "2, 1, 5", "2, 5, 6",
                                    "3, 2, 6", "3, 6, 7", "0, 3, 7", "0, 7, 4", "7, 6, 5, 4"}));
        EXPECT_TRUE(d.host.modified);
    }
}

TEST(Extrusion, TowardTheFrontReversesSidesAndSourceNotCap) {
    for (bool flipSource : {true, false}) {
        Doc d(kSquare, {"0, 1, 2, 3"});
        ExtrusionSettings s = Settings("0", "0, 0, -1");
        s.quads = true;
        s.flipSource = flipSource;
        s.noJoin = true;
        ApplyExtrusion(d.m, d.host, s);
        EXPECT_EQ(d.Faces()[0], flipSource ? "3, 2, 1, 0" : "0, 1, 2, 3");
        EXPECT_EQ(d.Faces()[1], "5, 4, 0, 1");  // the quad 1, 0, 4, 5 reversed
        EXPECT_EQ(d.Faces()[5], "4, 5, 6, 7");
    }
}

TEST(Extrusion, CountsOfATriangleWithThreeSlices) {
    struct Case {
        bool quads;
        size_t faces;
    } cases[] = {{true, 10}, {false, 19}};
    for (const Case& c : cases) {
        Doc d({"0, 0, 0", "0, 1, 0", "1, 0, 0"}, {"0, 1, 2"});
        ExtrusionSettings s = Settings("0", "0, 0, 3");
        s.divisions = 3;
        s.quads = c.quads;
        s.noJoin = true;
        ApplyExtrusion(d.m, d.host, s);
        EXPECT_EQ(d.Points().size(), 3u + 9u);
        EXPECT_EQ(d.Points()[11], "1, 0, 3");
        EXPECT_EQ(d.Points()[5], "1, 0, 1");  // the first slice
        EXPECT_EQ(d.Faces().size(), 1 + c.faces);
    }
}

TEST(Extrusion, LengthOptionAllAndRunPlacement) {
    {  // the length option scales the vector to the length
        Doc d(kSquare, {"0, 1, 2, 3"});
        ExtrusionSettings s = Settings("0", "0, 0, 10");
        s.useLength = true;
        s.length = 2;
        s.noJoin = true;
        ApplyExtrusion(d.m, d.host, s);
        EXPECT_EQ(d.Points()[7], "1, 0, 2");
    }
    {  // a zero vector with the length option gives a flat solid, not points at the origin;
       // indices out of range are skipped
        Doc d(kSquare, {"0, 1, 2, 3"});
        ExtrusionSettings s = Settings("-1, 99, 0", "0, 0, 0");
        s.useLength = true;
        s.noJoin = true;
        ApplyExtrusion(d.m, d.host, s);
        EXPECT_EQ(d.Points(), (Lines{kSquare[0], kSquare[1], kSquare[2], kSquare[3], kSquare[0],
                                     kSquare[1], kSquare[2], kSquare[3]}));
    }
    {  // "all": exactly the valid faces, not the ones this run writes into blank lines
        Doc d({"0, 0, 0", "0, 1, 0", "1, 0, 0", "5, 5, 5"},
              {"0, 1, 2", "", "", "", "", "bad", "0, 2, 1"});
        ExtrusionSettings s = Settings(" ALL ", "0, 0, 1");
        s.quads = true;
        s.noJoin = true;
        ApplyExtrusion(d.m, d.host, s);
        EXPECT_EQ(d.Points().size(), 4u + 2 * 3);
        EXPECT_EQ(d.Faces().size(), 7u + 4);  // the first solid went into lines 1 to 4
        EXPECT_EQ(d.Faces()[4], "6, 5, 4");
    }
    {  // a short blank run inside is passed over, the one at the end is used and grown
        Lines points = kSquare;
        points.insert(points.begin() + 2, {"", "", ""});
        points.push_back("");
        Doc d(points, {"0, 1, 5, 6"});
        ExtrusionSettings s = Settings("0", "0, 0, 1");
        s.divisions = 2;
        s.noJoin = true;
        ApplyExtrusion(d.m, d.host, s);
        EXPECT_EQ(d.Points().size(), 7u + 8u);
        EXPECT_EQ(d.Points()[2], "");
        EXPECT_EQ(d.Points()[7], "0, 0, 0.5");
    }
}

TEST(Extrusion, ConeGivesOnePointAndATriangleEachEdge) {
    for (int divisions : {1, 4}) {
        Doc d(kSquare, {"0, 1, 2, 3"});
        ExtrusionSettings s = Settings("0", "0.5, 0.5, -2");  // in front: reversed
        s.cone = true;
        s.divisions = static_cast<uint32_t>(divisions);
        s.noJoin = true;
        ApplyExtrusion(d.m, d.host, s);
        EXPECT_EQ(d.Points().size(), 5u);
        EXPECT_EQ(d.Points()[4], "0.5, 0.5, -2");
        EXPECT_EQ(d.Faces(), (Lines{"3, 2, 1, 0", "0, 1, 4", "1, 2, 4", "2, 3, 4", "3, 0, 4"}));
    }
}

TEST(Extrusion, JoinMergesCoincidentPointsAndShiftsNumbers) {
    // Two squares side by side, point lines with a blank between: the second square's
    // prism shares an edge with the first's.
    Doc d({"0, 0, 0", "0, 1, 0", "1, 1, 0", "1, 0, 0", "", "2, 1, 0", "2, 0, 0"},
          {"0, 1, 2, 3", "3, 2, 5, 6"});
    ExtrusionSettings s = Settings("0, 1", "0, 0, 1");
    s.quads = true;
    ApplyExtrusion(d.m, d.host, s);
    EXPECT_EQ(d.Points().size(), 6u + 6u);
    EXPECT_EQ(d.Faces()[1], "3, 2, 4, 5");
}

TEST(Extrusion, ValidationOrderAndNothingChangesOnRefusal) {
    struct Case {
        const char* faces;
        const char* vector;
        uint32_t divisions;
        const char* message;
    } cases[] = {
        {"", "1, 2", 0, kNoFaceListText},       {"0", "1, 2", 0, kBadVectorText},
        {"0", "1, 2, 3", 0, kBadDivisionsText}, {"0", "1, 2, 3", 1, ""},
        {"0", "1, 2, 3", 4294967295u, ""},  // passes the checks, but no sheet could hold it
    };
    for (const Case& c : cases) {
        ExtrusionSettings s = Settings(c.faces, c.vector);
        s.divisions = c.divisions;
        if (c.divisions == 4294967295u) {
            Doc d(kSquare, {"0, 1, 2, 3"});
            EXPECT_EQ(ApplyExtrusion(d.m, d.host, s).message, kTooLargeText);
            EXPECT_EQ(d.Points(), kSquare);
            EXPECT_EQ(d.Faces(), Lines{"0, 1, 2, 3"});
            continue;
        }
        EXPECT_EQ(ValidateExtrusion(s), c.message);
        if (*c.message) {
            Doc d(kSquare, {"0, 1, 2, 3"});
            EXPECT_FALSE(ApplyExtrusion(d.m, d.host, s).ok);
            EXPECT_EQ(d.Points(), kSquare);
            EXPECT_FALSE(d.host.modified);
        }
    }
}

}  // namespace
