#include "platform/text/cp932.h"

#include <gtest/gtest.h>

namespace {

using text::CharClass;

TEST(Cp932Conversion, RoundTripsJapanese) {
    const std::string utf8 = "未定 全体 無し ｱｲｳ";
    std::string sjis = text::Utf8ToCp932(utf8);
    EXPECT_EQ(sjis.substr(0, 4), "\x96\xA2\x92\xE8");  // 未定
    EXPECT_EQ(text::Cp932ToUtf8(sjis), utf8);
}

TEST(Cp932Conversion, BrokenInputIsReplacedVisibly) {
    // A lone trail-less lead byte at the end and an undefined lead/trail pair.
    EXPECT_EQ(text::Cp932ToUtf8("ab\x81"), "ab\xEF\xBF\xBD");
    std::string out = text::Cp932ToUtf8("a\x85\x40z");
    EXPECT_EQ(out.front(), 'a');
    EXPECT_EQ(out.back(), 'z');
    EXPECT_NE(out.find("\xEF\xBF\xBD"), std::string::npos);
    // Malformed UTF-8 and a character CP932 lacks.
    EXPECT_EQ(text::Utf8ToCp932("x\xC3"), "x?");
    EXPECT_EQ(text::Utf8ToCp932("a\xF0\x9F\x98\x80"
                                "b"),
              "a?b");
}

TEST(Cp932Rules, LeadBytesAndCounting) {
    EXPECT_TRUE(text::IsLeadByte(0x81));
    EXPECT_TRUE(text::IsLeadByte(0x9F));
    EXPECT_TRUE(text::IsLeadByte(0xE0));
    EXPECT_TRUE(text::IsLeadByte(0xFC));
    EXPECT_FALSE(text::IsLeadByte(0xA0));  // half-width katakana are single bytes
    EXPECT_FALSE(text::IsLeadByte(0xDF));
    EXPECT_FALSE(text::IsLeadByte(0x7F));
    const std::string s =
        "a\x82\xA0"
        "b";  // a, あ, b
    EXPECT_EQ(text::CountChars(s), 3u);
    EXPECT_EQ(text::CountChars(s, 2), 1u);
    EXPECT_TRUE(text::IsInsideDoubleByte(s, 2));
    EXPECT_FALSE(text::IsInsideDoubleByte(s, 3));
    EXPECT_EQ(text::FloorToCharBoundary(s, 2), 1u);
    // A trail byte that looks like a lead byte must not shift the parse.
    const std::string t = "\x81\x81\x81\x81";
    EXPECT_EQ(text::CountChars(t), 2u);
    EXPECT_FALSE(text::IsInsideDoubleByte(t, 2));
    EXPECT_TRUE(text::IsInsideDoubleByte(t, 3));
}

TEST(Cp932Rules, CharacterClasses) {
    const std::string s =
        "a\x82\xA0"
        "b";
    EXPECT_EQ(CharClass("", 3), 0);
    EXPECT_EQ(CharClass(s, 5), 100);
    EXPECT_EQ(CharClass(s, -1), -100);
    EXPECT_EQ(CharClass(s, 0), 0);
    EXPECT_EQ(CharClass(s, 1), 10);
    EXPECT_EQ(CharClass(s, 2), 5);
    EXPECT_EQ(CharClass(s, 3), 0);
    EXPECT_EQ(CharClass(s, 4), 0);
}

}  // namespace
