#include <gtest/gtest.h>

#include "modeller/ops/flip_faces.h"
#include "modeller/ops/join_points.h"
#include "modeller/ops/sheet_steps.h"
#include "modeller/ops/tidy_data.h"
#include "ops_fixture.h"

namespace {

using namespace modeller::ops;
using ops_test::Doc;
using ops_test::Lines;

TEST(TidyData, RemovesBlankInvalidAndUnusedLinesAndRenumbers) {
    struct Case {
        const char* name;
        Lines points, faces, wantPoints, wantFaces;
    } cases[] = {
        {"blank point line goes",
         {"0, 0, 0", "", "1, 0, 0", "2, 0, 0"},
         {"0, 2, 3"},
         {"0, 0, 0", "1, 0, 0", "2, 0, 0"},
         {"0, 1, 2"}},
        {"unused point goes too",
         {"0, 0, 0", "", "1, 0, 0", "2, 0, 0", "9, 9, 9"},
         {"0, 2, 3"},
         {"0, 0, 0", "1, 0, 0", "2, 0, 0"},
         {"0, 1, 2"}},
        {"face on a blank point is removed",
         {"0, 0, 0", "1, 0, 0", "", "2, 0, 0", "3, 0, 0"},
         {"", "0, 2, 3", "bad", "0, 1, 3", "1, 3, 4"},
         {"0, 0, 0", "1, 0, 0", "2, 0, 0", "3, 0, 0"},
         {"0, 1, 2", "1, 2, 3"}},
        {"nothing valid leaves one empty line each", {"junk", "1, 2"}, {"0, 1"}, {""}, {""}},
    };
    for (const Case& c : cases) {
        Doc d(c.points, c.faces);
        ApplyTidyData(d.m, d.host);
        EXPECT_EQ(d.Points(), c.wantPoints) << c.name;
        EXPECT_EQ(d.Faces(), c.wantFaces) << c.name;
        EXPECT_TRUE(d.host.modified) << c.name;
    }
}

TEST(TidyData, FaceAttributesAndTexturesTravelWithTheirLines) {
    Doc d({"", "0, 0, 0", "1, 0, 0", "0, 1, 0"}, {"", "1, 2, 3"});
    d.m.faces.FaceStatus[1] = 2;
    d.m.faces.FaceColor[1] = 0x11223344;
    d.m.faces.FaceGroup[1] = 1;
    d.m.textureAssignment.faceTextureMap = {{0, 1}, {1, 2}};
    d.m.textureAssignment.uvMap = {{0, {9, 9}}, {3, {0.5f, 0.25f}}};
    ApplyTidyData(d.m, d.host);
    EXPECT_EQ(d.Faces(), Lines{"0, 1, 2"});
    EXPECT_EQ(d.m.faces.FaceStatus[0], 3);
    EXPECT_EQ(d.m.faces.FaceColor[0], 0x11223344);
    EXPECT_EQ(d.m.faces.FaceGroup[0], 1);
    EXPECT_EQ(d.m.textureAssignment.faceTextureMap, (std::map<int32_t, uint16_t>{{0, 2}}));
    // The blank line's coordinates go with it instead of landing on point 0.
    EXPECT_EQ(d.m.textureAssignment.uvMap,
              (std::map<int32_t, model::TexCoord>{{2, {0.5f, 0.25f}}}));
}

TEST(JoinPoints, MergesExactlyEqualCoordinatesOnly) {
    struct Case {
        const char* name;
        Lines points, faces, wantPoints, wantFaces;
    } cases[] = {
        {"two squares sharing an edge",
         {"0, 0, 0", "0, 1, 0", "1, 1, 0", "1, 0, 0", "1, 0, 0", "1, 1, 0", "2, 1, 0", "2, 0, 0"},
         {"0, 1, 2, 3", "4, 5, 6, 7"},
         {"0, 0, 0", "0, 1, 0", "1, 1, 0", "1, 0, 0", "2, 1, 0", "2, 0, 0"},
         {"0, 1, 2, 3", "3, 2, 4, 5"}},
        {"last decimal place differs",
         {"1, 0, 0", "1.0000001, 0, 0", "0, 1, 0"},
         {"0, 2, 1"},
         {"1, 0, 0", "1.0000001, 0, 0", "0, 1, 0"},
         {"0, 2, 1"}},
        {"-0 is 0, and blank lines close up",
         {"-0, 0, 0", "", "0, 1, 0", "0, -0, 0", "1, 1, 1"},
         {"0, 2, 4", "3, 4, 2"},
         {"-0, 0, 0", "0, 1, 0", "1, 1, 1"},
         {"0, 1, 2", "0, 2, 1"}},
    };
    for (const Case& c : cases) {
        Doc d(c.points, c.faces);
        ApplyJoinPoints(d.m, d.host);
        EXPECT_EQ(d.Points(), c.wantPoints) << c.name;
        EXPECT_EQ(d.Faces(), c.wantFaces) << c.name;
    }
}

TEST(FlipFaces, TwiceRestoresAndEmptyStaysEmpty) {
    Doc d({"0, 0, 0", "1, 0, 0", "0, 1, 0"}, {"0,1,2", "", "2, 1"});
    ApplyFlipFaces(d.m, d.host);
    EXPECT_EQ(d.Faces(), (Lines{"2, 1, 0", "", "1, 2"}));
    ApplyFlipFaces(d.m, d.host);
    EXPECT_EQ(d.Faces(), (Lines{"0, 1, 2", "", "2, 1"}));
    EXPECT_TRUE(d.host.modified);
}

}  // namespace
