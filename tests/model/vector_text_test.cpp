#include "model/vector_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

using namespace model;

TEST(FormatNumber, EightDigitsPlainDecimal) {
    EXPECT_EQ(FormatNumber(1.5f), "1.5");
    EXPECT_EQ(FormatNumber(2.0f), "2");
    EXPECT_EQ(FormatNumber(-0.000000043711388f), "-0.000000043711388");
    EXPECT_EQ(FormatNumber(0.0f), "0");
    EXPECT_EQ(FormatNumber(-0.0f), "0");
    EXPECT_EQ(FormatNumber(100.0f), "100");
    EXPECT_EQ(FormatNumber(0.1f), "0.1");
    EXPECT_EQ(FormatNumber(123456789.0f), "123456790");  // eight significant digits
    EXPECT_EQ(FormatNumber(1e20f), "100000000000000000000");
    EXPECT_EQ(FormatNumber(-12.25f), "-12.25");
    EXPECT_EQ(FormatNumber(0.8f), "0.80000001");
    for (float v : {1.5f, -3.25f, 1e-7f, 7e12f, 0.333333f})
        EXPECT_EQ(FormatNumber(v).find('e'), std::string::npos) << v;
    EXPECT_EQ(FormatVector(1.5f, 0, 2), "1.5, 0, 2");
}

TEST(FormatNumber, DigitsAsPrintfRoundsThem) {
    // The text is laid out from printf's eight digits ("%.7e"), whatever computes them.
    std::mt19937 rng(3);
    for (int i = 0; i < 100000; ++i) {
        const float v = std::bit_cast<float>(static_cast<uint32_t>(rng()));
        if (!std::isfinite(v) || std::fabs(v) < 1e-30f || std::fabs(v) > 1e30f) continue;
        char printed[32];
        std::snprintf(printed, sizeof printed, "%.7e", static_cast<double>(v));
        const std::string text = FormatNumber(v);
        std::string digits;
        for (char c : text)
            if (c >= '0' && c <= '9') digits += c;
        std::string want(printed[0] == '-' ? printed + 1 : printed, 9);
        want.erase(1, 1);  // the point
        while (want.size() > 1 && want.back() == '0') want.pop_back();
        ASSERT_NE(digits.find(want), std::string::npos) << printed << " " << text;
        ASSERT_EQ(std::strtof(text.c_str(), nullptr), std::strtof(printed, nullptr)) << printed;
    }
}

TEST(ParseVector, CommasAndBlanks) {
    auto a = ParseVector("1.5, 0, 2");
    auto b = ParseVector("1.5,0,2");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(*a, *b);
    EXPECT_EQ(*a, (Vertex{1.5f, 0, 2}));
    EXPECT_FALSE(ParseVector("1.5, 0"));
    EXPECT_FALSE(ParseVector(""));
    // Text that is no number reads as 0; the rest after a number is ignored.
    EXPECT_EQ(*ParseVector("abc, -2x, +.5"), (Vertex{0, -2, 0.5f}));
    EXPECT_EQ(*ParseVector("1, 2, 3, 4"), (Vertex{1, 2, 3}));
    EXPECT_EQ(*ParseVector("\t 1e2, 1, 1"), (Vertex{100, 1, 1}));
    EXPECT_EQ(*ParseVector("nan, inf, 1"), (Vertex{0, 0, 1}));
    // Each part is cut to 29 characters: the digit beyond the cut is not read.
    std::string longPart(28, ' ');
    longPart += "12";
    EXPECT_EQ(ParseVector(longPart + ",0,0")->x, 1.0f);
}

TEST(NumberLists, CountsAndTriples) {
    EXPECT_EQ(ParseNumberList("1, 2, x, 4", 10), (std::vector<float>{1, 2, 0, 4}));
    EXPECT_EQ(ParseNumberList("1, 2, 3, 4", 2), (std::vector<float>{1, 2}));
    EXPECT_TRUE(ParseNumberList("  ", 5).empty());
    auto v = ParseVectorList("1,2,3, 4,5,6, 7");
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(v[1], (Vertex{4, 5, 6}));
    std::string many;
    for (int i = 0; i < 40 * 3; ++i) many += "1,";
    EXPECT_EQ(ParseVectorList(many).size(), 33u);
}

TEST(FaceLines, CornersReverseAndSplit) {
    EXPECT_EQ(ParseFaceCorners("4, 7, 9"), (std::vector<int32_t>{4, 7, 9}));
    EXPECT_EQ(ParseFaceCorners("1, 2"), (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(ParseFaceCorners(""), (std::vector<int32_t>{0}));  // one more corner than commas
    EXPECT_EQ(ParseFaceCorners(" -3,x,99999999999"), (std::vector<int32_t>{-3, 0, INT32_MAX}));
    EXPECT_EQ(ReverseFaceLine("1, 2, 3, 4"), "4, 3, 2, 1");
    EXPECT_EQ(ReverseFaceLine("1,2,3"), "3, 2, 1");
    EXPECT_EQ(ReverseFaceLine(""), "");
    auto q = SplitQuad("1, 2, 3, 4");
    ASSERT_TRUE(q);
    EXPECT_EQ(q->first, "1, 2, 3");
    EXPECT_EQ(q->second, "1, 3, 4");
    EXPECT_FALSE(SplitQuad("1, 2, 3"));
}

TEST(FaceIndexList, AllOrNumbers) {
    EXPECT_TRUE(ParseFaceIndexList("  ALL \t").all);
    EXPECT_TRUE(ParseFaceIndexList("All").all);
    EXPECT_FALSE(ParseFaceIndexList("all2").all);
    auto l = ParseFaceIndexList("3, 1, 99");
    EXPECT_FALSE(l.all);
    EXPECT_EQ(l.indices, (std::vector<int32_t>{3, 1, 99}));
    EXPECT_TRUE(ParseFaceIndexList("").indices.empty());
}

}  // namespace
