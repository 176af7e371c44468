#include "modeller/ops/whole_model.h"

#include <gtest/gtest.h>

#include "ops_fixture.h"

namespace {

using namespace modeller::ops;
using ops_test::Doc;
using ops_test::Lines;

WholeModelFields Fields(int32_t kind, std::string text, int32_t direction = 0, int32_t plane = 0) {
    WholeModelFields f = WholeModelFields::Open(WholeModelMemory{});
    f.kind = kind;
    f.direction = direction;
    f.plane = plane;
    if (kind == kWholeMove) f.moveText = text;
    if (kind == kWholeScale) f.scaleText = text;
    if (kind == kWholeRotate) f.axisText = text;
    return f;
}

TEST(WholeModel, ValidationMessagesAndZeroScaleQuestion) {
    struct Case {
        WholeModelFields fields;
        const char* message;
        bool askZero;
    } cases[] = {
        {Fields(-1, ""), kNoKindText, false},
        {Fields(kWholeMove, "1, 2"), kMissingNumbersText, false},
        {Fields(kWholeRotate, "0, 1, 0"), kMissingNumbersText, false},
        {Fields(kWholeRotate, "0, 1, 0, 0, 0"), kMissingNumbersText, false},
        {Fields(kWholeScale, "1, 0, 1"), "", true},
        {Fields(kWholeScale, "0"), "", true},
        {Fields(kWholeScale, "2"), "", false},
        {Fields(kWholeFlip, "anything"), "", false},
    };
    for (const Case& c : cases) {
        const WholeModelCheck check = ValidateWholeModel(c.fields);
        EXPECT_EQ(check.message, c.message) << c.fields.kind;
        EXPECT_EQ(check.askZeroScale, c.askZero) << c.fields.kind;
    }
}

TEST(WholeModel, AppliesToValidLinesOnly) {
    struct Case {
        WholeModelFields fields;
        Lines wantPoints, wantFaces;
    } cases[] = {
        {Fields(kWholeMove, "1, 0, 0"),
         {"1.5, 2, -3", "", "not a point", "2, 0, 0", "1, 1, 0"},
         {"0, 3, 4", "0, 1"}},
        {Fields(kWholeScale, "2"),
         {"1, 4, -6", "", "not a point", "2, 0, 0", "0, 2, 0"},
         {"0, 3, 4", "0, 1"}},
        {Fields(kWholeScale, "2, 1, 1"),
         {"1, 2, -3", "", "not a point", "2, 0, 0", "0, 1, 0"},
         {"0, 3, 4", "0, 1"}},
        {Fields(kWholeScale, "1, 0, 1"),
         {"0.5, 0, -3", "", "not a point", "1, 0, 0", "0, 0, 0"},
         {"0, 3, 4", "0, 1"}},
        {Fields(kWholeRotate, "0, 1, 0, 0, 0, 0"),
         {"*", "", "not a point", "-0.000000043711388, 0, -1", "0, 0.99999994, 0"},
         {"0, 3, 4", "0, 1"}},
        {Fields(kWholeRotate, "0, 1, 0, 0, 0, 0", 1),
         {"*", "", "not a point", "-0.000000043711388, 0, 1", "0, 0.99999994, 0"},
         {"0, 3, 4", "0, 1"}},
        // Only valid faces turn; the two-item line is not a face.
        {Fields(kWholeFlip, "", 0, 0),
         {"-0.5, 2, -3", "", "not a point", "-1, 0, 0", "0, 1, 0"},
         {"4, 3, 0", "0, 1"}},
        {Fields(kWholeFlip, "", 0, 2),
         {"0.5, 2, 3", "", "not a point", "1, 0, 0", "0, 1, 0"},
         {"4, 3, 0", "0, 1"}},
    };
    for (const Case& c : cases) {
        Doc d({"0.5, 2, -3", "", "not a point", "1, 0, 0", "0, 1, 0"}, {"0, 3, 4", "0, 1"});
        WholeModelFields f = c.fields;
        f.angleText = "90";
        const WholeModelCheck check = ValidateWholeModel(f);
        ASSERT_EQ(check.message, "");
        EXPECT_TRUE(ApplyWholeModel(d.m, d.host, check.operation).ok);
        // "*": a line whose single-precision remainders are not the point of the case.
        Lines got = d.Points();
        for (size_t i = 0; i < got.size() && i < c.wantPoints.size(); ++i)
            if (c.wantPoints[i] == "*") got[i] = c.wantPoints[i];
        EXPECT_EQ(got, c.wantPoints) << f.kind << " " << f.scaleText;
        EXPECT_EQ(d.Faces(), c.wantFaces) << f.kind;
        EXPECT_TRUE(d.host.modified);
    }
}

TEST(WholeModel, ScaleByZeroLengthChangesNothing) {
    Doc d({"1, 2, 3"}, {""});
    const WholeModelCheck check = ValidateWholeModel(Fields(kWholeScale, "0"));
    EXPECT_FALSE(ApplyWholeModel(d.m, d.host, check.operation).ok);
    EXPECT_EQ(d.Points(), Lines{"1, 2, 3"});
    EXPECT_FALSE(d.host.modified);
}

TEST(WholeModel, RemembersTheTextsOfTheKindThatRan) {
    WholeModelMemory memory;
    WholeModelFields f = WholeModelFields::Open(memory);
    EXPECT_EQ(f.moveText, "0, 0, 0");
    EXPECT_EQ(f.axisText, "0, 1, 0,  0, 0, 0");
    EXPECT_EQ(f.angleText, "360");
    EXPECT_EQ(f.scaleText, "1");
    f.kind = kWholeRotate;
    f.plane = 2;
    f.direction = 1;
    f.axisText = "1, 0, 0, 0, 0, 0";
    f.angleText = "45";
    f.moveText = "5, 5, 5";  // not remembered: the kind was a rotation
    RememberWholeModel(f, memory);
    const WholeModelFields again = WholeModelFields::Open(memory);
    EXPECT_EQ(again.kind, kWholeMove);
    EXPECT_EQ(again.plane, 0);
    EXPECT_EQ(again.direction, 1);
    EXPECT_EQ(again.axisText, "1, 0, 0, 0, 0, 0");
    EXPECT_EQ(again.angleText, "45");
    EXPECT_EQ(again.moveText, "0, 0, 0");
}

}  // namespace
