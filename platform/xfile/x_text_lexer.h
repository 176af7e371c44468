// Lexer of the text body of an .x file. Commas and semicolons are skipped like white space:
// the parser knows each standard template's fields, and exporters disagree on where the
// separators go, so they carry nothing the reader needs.
#pragma once

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/xfile/x_token.h"

namespace xfile {

namespace detail {
struct TextTables {
    std::array<bool, 256> blank{};
    std::array<bool, 256> name{};
};
constexpr TextTables MakeTextTables() {
    TextTables t{};
    for (int c = 0; c <= ' '; ++c) t.blank[c] = true;
    t.blank[','] = t.blank[';'] = true;
    for (int c = ' ' + 1; c < 256; ++c) t.name[c] = c != 0x7F;
    for (char c : std::string_view("{}<>;,\"()[]")) t.name[static_cast<unsigned char>(c)] = false;
    return t;
}
inline constexpr TextTables kTextTables = MakeTextTables();
}  // namespace detail

class TextLexer {
public:
    // The least number of bytes one number occupies, for checking counts against the input.
    static constexpr size_t kMinNumberBytes = 1;

    explicit TextLexer(std::string_view body)
        : begin_(body.data()), p_(body.data()), end_(body.data() + body.size()) {}

    size_t Offset() const { return size_t(p_ - begin_); }
    size_t Remaining() const { return size_t(end_ - p_); }
    const char* Error() const { return error_; }

    TokenKind Peek() {
        SkipBlank();
        if (p_ == end_) return TokenKind::kEnd;
        const unsigned char c = static_cast<unsigned char>(*p_);
        switch (c) {
            case '{':
                return TokenKind::kOBrace;
            case '}':
                return TokenKind::kCBrace;
            case '"':
                return TokenKind::kString;
            case '<':
                return TokenKind::kGuid;
            default:
                break;
        }
        if ((c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.') return TokenKind::kNumber;
        if (!detail::kTextTables.name[c]) return TokenKind::kOther;
        if (Remaining() >= 8 && std::string_view(p_, 8) == "template" &&
            (Remaining() == 8 || !detail::kTextTables.name[static_cast<unsigned char>(p_[8])]))
            return TokenKind::kTemplate;
        return TokenKind::kName;
    }

    // A name or identifier: any run of name characters (a name may start with a digit).
    bool ReadName(std::string& out) {
        std::string_view view;
        if (!ReadNameView(view)) return false;
        out.assign(view);
        return true;
    }

    bool ReadNameView(std::string_view& out) {
        SkipBlank();
        const char* s = p_;
        while (p_ != end_ && detail::kTextTables.name[static_cast<unsigned char>(*p_)]) ++p_;
        if (p_ == s) return Fail("a name was expected");
        out = std::string_view(s, size_t(p_ - s));
        return true;
    }

    bool ReadString(std::string& out) {
        if (Peek() != TokenKind::kString) return Fail("a string was expected");
        const char* s = ++p_;
        while (p_ != end_ && *p_ != '"') ++p_;
        if (p_ == end_) return Fail("a string runs to the end of the file");
        out.assign(s, p_);
        ++p_;
        return true;
    }

    bool ReadUint(uint32_t& v) {
        SkipBlank();
        const char* q = p_;
        uint64_t x = 0;
        while (q != end_ && q - p_ < 11 && unsigned(*q - '0') < 10)
            x = x * 10 + unsigned(*q++ - '0');
        if (q == p_ || x > 0xFFFFFFFFu || (q != end_ && (unsigned(*q - '0') < 10 || *q == '.')))
            return Fail("a whole number was expected");
        v = uint32_t(x);
        p_ = q;
        return true;
    }

    bool ReadFloat(float& v) {
        SkipBlank();
        if (FastFloat(v)) return true;
        const char* s = p_;
        if (s != end_ && *s == '+') ++s;
        auto [ptr, ec] = std::from_chars(s, end_, v);
        if (ec != std::errc() && ec != std::errc::result_out_of_range)
            return Fail("a number was expected");
        // Out of range, infinite or NaN: zero, so that no later arithmetic meets them.
        if (ec != std::errc() || !std::isfinite(v)) v = 0;
        p_ = ptr;
        // Some exporters print a NaN or an infinity as "1.#QNAN0" or "-1.#IND00".
        if (p_ != end_ && *p_ == '#') {
            while (p_ != end_ && detail::kTextTables.name[static_cast<unsigned char>(*p_)]) ++p_;
            v = 0;
        }
        return true;
    }

    bool Consume(TokenKind kind) {
        if (Peek() != kind) {
            return Fail(kind == TokenKind::kOBrace   ? "'{' was expected"
                        : kind == TokenKind::kCBrace ? "'}' was expected"
                                                     : "unexpected token");
        }
        ++p_;
        return true;
    }

    bool SkipGuid() {
        if (Peek() != TokenKind::kGuid) return Fail("a GUID was expected");
        const char* s = p_;
        while (p_ != end_ && *p_ != '>' && p_ - s < 64) ++p_;
        if (p_ == end_ || *p_ != '>') return Fail("a GUID is not closed");
        ++p_;
        return true;
    }

    // Called after an opening brace: skips to just past its closing brace, without recursion.
    bool SkipBody() {
        size_t depth = 1;
        while (true) {
            SkipBlank();
            if (p_ == end_) return Fail("the file ends inside an object");
            const char c = *p_++;
            if (c == '{') {
                ++depth;
            } else if (c == '}') {
                if (--depth == 0) return true;
            } else if (c == '"') {
                while (p_ != end_ && *p_ != '"') ++p_;
                if (p_ == end_) return Fail("a string runs to the end of the file");
                ++p_;
            }
        }
    }

    bool Fail(const char* why) {
        if (!error_) error_ = why;
        return false;
    }

private:
    // Plain decimals of up to 15 digits without exponent, the bulk of every file: the digits
    // and the power of ten are exact in a double, and one division rounded to double and then
    // to float still rounds correctly (53 >= 2 * 24 + 2). Anything else goes to from_chars.
    bool FastFloat(float& v) {
        static constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        const char* q = p_;
        bool negative = false;
        if (q != end_ && (*q == '-' || *q == '+')) negative = *q++ == '-';
        uint64_t m = 0;
        int digits = 0, fraction = 0;
        const char* start = q;
        while (q != end_ && unsigned(*q - '0') < 10 && digits < 16)
            m = m * 10 + unsigned(*q++ - '0'), ++digits;
        if (q != end_ && *q == '.') {
            ++q;
            while (q != end_ && unsigned(*q - '0') < 10 && digits < 16)
                m = m * 10 + unsigned(*q++ - '0'), ++digits, ++fraction;
        }
        if (digits == 0 || digits > 15 || q == start) return false;
        if (q != end_ &&
            (unsigned(*q - '0') < 10 || *q == 'e' || *q == 'E' || *q == '#' || *q == '.'))
            return false;
        const double d = double(m) / kPow10[fraction];
        v = float(negative ? -d : d);
        p_ = q;
        return true;
    }

    void SkipBlank() {
        while (p_ != end_) {
            const unsigned char c = static_cast<unsigned char>(*p_);
            if (detail::kTextTables.blank[c]) {
                ++p_;
            } else if (c == '#' || (c == '/' && end_ - p_ > 1 && p_[1] == '/')) {
                while (p_ != end_ && *p_ != '\n') ++p_;
            } else {
                return;
            }
        }
    }

    const char* begin_;
    const char* p_;
    const char* end_;
    const char* error_ = nullptr;
};

}  // namespace xfile
