// Rotate copy and face copy: copies with their own points, back faces, groups, colours and
// textures carried over, lines filled one at a time.
#include <gtest/gtest.h>

#include "model/vector_text.h"
#include "modeller/ops/face_copy.h"
#include "modeller/ops/rotate_copy.h"
#include "ops_fixture.h"
#include "platform/text/cp932.h"

namespace {

using namespace modeller::ops;
using ops_test::Doc;
using ops_test::Lines;

const Lines kQuad = {"1, 0, 0", "1, 1, 0", "2, 1, 0", "2, 0, 0"};

RotateCopySettings Rotate(const char* faces, float angle, uint32_t divisions) {
    RotateCopySettings s;
    s.faceList = faces;
    s.angle = angle;
    s.divisions = divisions;
    s.noJoin = true;
    return s;
}

model::Vertex At(const std::string& line) {
    return model::ParseVector(line).value_or(model::Vertex{-99, -99, -99});
}

TEST(RotateCopy, CopiesBackFacesAndFullTurns) {
    struct Case {
        float angle;
        uint32_t divisions;
        bool backFaces;
        size_t newPoints, newFaces;
    } cases[] = {
        {90, 3, false, 12, 3},   // copies at 30, 60 and 90 degrees
        {360, 4, false, 12, 3},  // the fourth would lie on the source
        {360, 1, false, 0, 0},   // none at all: nothing changes
        {-60, 2, true, 8, 5},    // the reversed source, two copies, two reversed copies
    };
    for (const Case& c : cases) {
        Doc d(kQuad, {"0, 1, 2, 3"});
        RotateCopySettings s = Rotate("0", c.angle, c.divisions);
        s.backFaces = c.backFaces;
        ASSERT_TRUE(ApplyRotateCopy(d.m, d.host, s).ok);
        EXPECT_EQ(d.Points().size(), 4 + c.newPoints) << c.angle;
        EXPECT_EQ(d.Faces().size(), 1 + c.newFaces) << c.angle;
        EXPECT_EQ(d.host.modified, c.newFaces > 0);
        if (c.angle == 90) {
            EXPECT_EQ(d.Faces()[1], "4, 5, 6, 7");
            const model::Vertex last = At(d.Points()[12]);  // (1, 0, 0) at 90 degrees
            EXPECT_NEAR(last.x, 0, 1e-6);
            EXPECT_NEAR(last.z, -1, 1e-6);
        }
        if (c.backFaces) {
            EXPECT_EQ(
                Lines(d.Faces().begin() + 1, d.Faces().end()),
                (Lines{"3, 2, 1, 0", "4, 5, 6, 7", "7, 6, 5, 4", "8, 9, 10, 11", "11, 10, 9, 8"}));
        }
    }
}

TEST(RotateCopy, OneNewGroupForTheRunAndSidesCarriedOver) {
    // Two faces, empty lines to fill first, a texture and texture coordinates to carry.
    Doc d({"1, 0, 0", "", "1, 1, 0", "2, 1, 0", "2, 0, 0"}, {"0, 2, 3", "", "0, 3, 4", "x"});
    d.m.groups.entries.push_back(
        {static_cast<int32_t>(0xFF0000FF), "blue", 1, model::GroupMaterial{7, {}, {}, {}}});
    auto& faces = d.m.faces;
    faces.FaceGroup[0] = faces.FaceGroup[2] = 2;
    faces.FaceStatus[0] = model::FaceSheet::kStatusOwnColor;
    faces.FaceColor[0] = static_cast<int32_t>(0xFF123456);
    d.m.textureAssignment.faceTextureMap[0] = 0;
    d.m.textureAssignment.uvMap[2] = {0.5f, 0.25f};

    RotateCopySettings s = Rotate("all", 90, 1);
    s.newGroup = true;
    s.groupName = "コピー\r\n";  // a line break would break the file's group line
    ASSERT_TRUE(ApplyRotateCopy(d.m, d.host, s).ok);
    ASSERT_EQ(d.m.groups.size(), 4u);
    EXPECT_EQ(d.m.groups[3].name, text::Sjis("コピー"));
    EXPECT_EQ(d.m.groups[3].color, static_cast<int32_t>(0xFF123456));  // the first face's own
    EXPECT_EQ(d.m.groups[3].material, d.m.groups[2].material);
    // The empty lines fill first, then the sheets grow.
    EXPECT_EQ(d.Faces(), (Lines{"0, 2, 3", "1, 5, 6", "0, 3, 4", "x", "7, 8, 9"}));
    EXPECT_EQ(d.Points().size(), 5u + 5u);
    for (size_t f : {0u, 1u, 2u, 4u}) EXPECT_EQ(faces.FaceGroup[f], 3) << f;
    EXPECT_EQ(faces.FaceStatus[0] & model::FaceSheet::kStatusOwnColor, 0);
    EXPECT_EQ(faces.FaceColor[1], static_cast<int32_t>(0xFF123456));  // value kept, unmarked
    EXPECT_EQ(faces.FaceStatus[1] & model::FaceSheet::kStatusOwnColor, 0);
    EXPECT_EQ(d.m.textureAssignment.faceTextureMap.count(1), 1u);
    EXPECT_EQ(d.m.textureAssignment.uvMap.at(5), (model::TexCoord{0.5f, 0.25f}));
    EXPECT_EQ(d.m.textureAssignment.uvMap.count(1), 0u);
}

TEST(FaceCopy, StepsAlongTheVectorAndSkipsTextureZero) {
    struct Case {
        const char* vector;
        uint32_t divisions;
        float z[3];
    } cases[] = {
        {"0, 0, 3", 3, {1, 2, 3}},
        {"0, 0, 1", 3, {1.0f / 3, 2.0f / 3, 1}},
    };
    for (const Case& c : cases) {
        Doc d(kQuad, {"0, 1, 2, 3"});
        d.m.textureAssignment.faceTextureMap[0] = 0;
        FaceCopySettings s;
        s.vector = c.vector;
        s.divisions = c.divisions;
        s.noJoin = true;
        ASSERT_TRUE(ApplyFaceCopy(d.m, d.host, s).ok);
        ASSERT_EQ(d.Points().size(), 4u + 12u);
        for (int k = 0; k < 3; ++k) {
            EXPECT_FLOAT_EQ(At(d.Points()[4 + 4 * k + 2]).z, c.z[k]) << c.vector;
            EXPECT_EQ(At(d.Points()[4 + 4 * k + 2]).x, 2);
        }
        EXPECT_EQ(d.Faces()[3], "12, 13, 14, 15");
        EXPECT_EQ(d.m.textureAssignment.faceTextureMap.size(), 1u);
    }
    // With the join the copies keep their own points: none coincide.
    Doc d(kQuad, {"0, 1, 2, 3"});
    ASSERT_TRUE(ApplyFaceCopy(d.m, d.host, FaceCopySettings{}).ok);
    EXPECT_EQ(d.Faces(), (Lines{"0, 1, 2, 3", "4, 5, 6, 7"}));
}

TEST(FaceCopies, ChecksInOrderChangeNothing) {
    Doc named(kQuad, {"0, 1, 2, 3"});
    named.m.groups.entries.push_back({0, "dup", 0, {}});
    struct RotateCase {
        const char* faces;
        float angle;
        const char* axis;
        std::string message;
    } rotateCases[] = {
        {"", 0, "1", kGroupAlreadyExistsText},
        {"", 0, "1", kNoFaceListText},
        {"0", 0, "1", kZeroAngleText},
        {"0", 30, "0, 1, 0, 0, 0", kNeedAxisText},
    };
    for (size_t i = 0; i < std::size(rotateCases); ++i) {
        const RotateCase& c = rotateCases[i];
        RotateCopySettings s = Rotate(c.faces, c.angle, 1);
        s.axis = c.axis;
        s.newGroup = i == 0;
        s.groupName = "dup";
        Doc d(kQuad, {"0, 1, 2, 3"});
        d.m.groups = named.m.groups;
        EXPECT_EQ(ApplyRotateCopy(d.m, d.host, s).message, c.message);
        EXPECT_EQ(d.Points(), kQuad);
        EXPECT_FALSE(d.host.modified);
    }
    struct FaceCase {
        const char* faces;
        const char* vector;
        uint32_t divisions;
        std::string message;
    } faceCases[] = {
        {"", "1, 2", 0, kNeedDivisionsText},
        {"", "1, 2", 1, kNoFaceListText},
        {"0", "1, 2", 1, kBadMoveVectorText},
        {"0", "0, 0, 1", 4'000'000'000u, kTooLargeText},
    };
    for (const FaceCase& c : faceCases) {
        FaceCopySettings s{c.faces, c.vector, c.divisions, false, false};
        Doc d(kQuad, {"0, 1, 2, 3"});
        EXPECT_EQ(ApplyFaceCopy(d.m, d.host, s).message, c.message);
        EXPECT_EQ(d.Points(), kQuad);
        EXPECT_FALSE(d.host.modified);
    }
    // Opening again keeps the axis, direction, back faces and no-join only.
    RotateCopySettings used = Rotate("all", 45, 7);
    used.axis = "1, 0, 0, 0, 2, 0";
    used.backFaces = used.newGroup = used.counterClockwise = true;
    const RotateCopySettings opened = OpenRotateCopy(used);
    EXPECT_EQ(opened.faceList, "");
    EXPECT_EQ(opened.axis, used.axis);
    EXPECT_TRUE(opened.backFaces && opened.counterClockwise && opened.noJoin);
    EXPECT_EQ(opened.angle, 360);
    EXPECT_EQ(opened.divisions, 1u);
    EXPECT_FALSE(opened.newGroup);
}

}  // namespace
