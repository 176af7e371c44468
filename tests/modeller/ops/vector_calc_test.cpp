// The vector calculator on the texts of its fields.
#include <gtest/gtest.h>

#include "modeller/ops/vector_calc.h"

namespace {

using namespace modeller::ops;

TEST(VectorCalc, Calculations) {
    struct Case {
        const char *a, *op, *b;
        const char *result, *a2, *b2;  // the fields afterwards
        const char* message;
    };
    const Case cases[] = {
        {"1, 2, 3", "*", "2", "2, 4, 6", "1, 2, 3", "2", ""},
        {"1, 0, 0", "外積", "0, 1, 0", "0, 0, 1", "1, 0, 0", "0, 1, 0", ""},
        {"1, 0, 0", "内積", "0, 1, 0", "0", "1, 0, 0", "0, 1, 0", ""},
        {"0, 1, 0, 0, 0, 0", "面と線の交点", "0, -1, 0, 3, 5, 7", "3, 0, 7", nullptr, nullptr, ""},
        {"0, 1, 0, 0, 0, 0", "面と線の交点", "0, 1, 0, 3, 5, 7", "3, 0, 7", nullptr, nullptr, ""},
        {"1, 2, 3", "/", "0", "0, 0, 0", "1, 2, 3", "0", ""},
        {"0, 0, -2", "正規化", "", "", "0, 0, -1", "", ""},
        {"0, 0, -2", "正規化", "0, 2, 0", "", "0, 0, -1", "0, 1, 0", ""},
        {"1.5", "/", "0", "0", "1.5", "0", ""},
        {"1", "+", "0.5", "1.5", "1", "0.5", ""},
        {"0, 0, 0, 1, 1, 1", "+", "1, 2, 3", "0, 0, 0, 2, 3, 4", nullptr, nullptr, ""},
        {"0, 0, 0, 1, 1, 1", "*", "2", "0, 0, 0, 2, 2, 2", nullptr, nullptr, ""},
        {"1, 2, 3", "- ( (2) → (1) )", "1, 1, 1", "0, 1, 2", nullptr, nullptr, ""},
        {"1, 2, 3", "中点", "3, 2, 1", "2, 2, 2", nullptr, nullptr, ""},
        // Mended: no infinities.
        {"1, 1, 1, 2, 2, 2", "/", "0", "", nullptr, nullptr, kDivideByZeroText},
        {"0, 1, 0, 0, 0, 0", "面と線の交点", "1, 0, 0, 0, 5, 0", "", nullptr, nullptr,
         kParallelText},
        // Combinations no step covers do nothing.
        {"2", "*", "1, 2, 3", "", nullptr, nullptr, ""},
        {"1, 2, 3", "*", "", "", nullptr, nullptr, ""},
    };
    for (const Case& c : cases) {
        CalcFields f{c.a, c.b, "", "memo"};
        const CalcOutcome out = Calculate(f, c.op);
        EXPECT_EQ(f.result, c.result) << c.a << " " << c.op << " " << c.b;
        if (c.a2) {
            EXPECT_EQ(f.operand1, c.a2) << c.op;
        }
        if (c.b2) {
            EXPECT_EQ(f.operand2, c.b2) << c.op;
        }
        EXPECT_EQ(out.message, c.message) << c.op;
        EXPECT_EQ(f.memo, "memo");
    }
}

TEST(VectorCalc, OperatorListsFollowTheOperandCounts) {
    struct Case {
        const char *a, *b;
        OperatorList list;
        const char* first;
    };
    const Case cases[] = {
        {"", "1, 2, 3, 4, 5, 6", OperatorList::kScalar, "+"},
        {"1, 2", "", OperatorList::kScalar, "+"},
        {"1, 2, 3", "4", OperatorList::kVectorScalar, "*"},
        {"1, 2, 3, 4, 5", "1, 2, 3", OperatorList::kTwoVectors, "+"},
        {"1, 2, 3, 4, 5, 6", "1", OperatorList::kPairScalar, "*"},
        {"1, 2, 3, 4, 5, 6", "1, 2, 3", OperatorList::kPairVector, "+"},
        {"1, 2, 3, 4, 5, 6", "1, 2, 3, 4, 5, 6, 7", OperatorList::kPlaneLine, "面と線の交点"},
    };
    for (const Case& c : cases) {
        const OperatorList list = ListFor(CountNumbers(c.a), CountNumbers(c.b));
        EXPECT_EQ(list, c.list) << c.a << " | " << c.b;
        EXPECT_EQ(OperatorTexts(list).front(), c.first);
    }
    EXPECT_EQ(OperatorTexts(OperatorList::kPairScalar).size(), 2u);
    EXPECT_EQ(OperatorTexts(OperatorList::kTwoVectors)[1], "- ( (2) → (1) )");
}

}  // namespace
