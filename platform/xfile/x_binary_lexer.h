// Lexer of the binary body of an .x file: 16-bit little-endian tokens, some followed by a
// record (name, string, integer, GUID, integer list, float list). Numbers of a list are handed
// out one at a time, so the parser reads binary and text bodies with the same calls.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/xfile/x_token.h"

namespace xfile {

namespace token {
enum : uint16_t {
    kName = 1,
    kString = 2,
    kInteger = 3,
    kGuid = 5,
    kIntegerList = 6,
    kFloatList = 7,
    kOBrace = 10,
    kCBrace = 11,
    kOParen = 12,
    kCParen = 13,
    kOBracket = 14,
    kCBracket = 15,
    kOAngle = 16,
    kCAngle = 17,
    kDot = 18,
    kComma = 19,
    kSemicolon = 20,
    kTemplate = 31,
    kWord = 40,
    kDword = 41,
    kFloat = 42,
    kDouble = 43,
    kChar = 44,
    kUchar = 45,
    kSword = 46,
    kSdword = 47,
    kVoid = 48,
    kLpstr = 49,
    kUnicode = 50,
    kCstring = 51,
    kArray = 52,
};
}  // namespace token

class BinaryLexer {
public:
    static constexpr size_t kMinNumberBytes = 4;

    BinaryLexer(std::string_view body, int floatBits)
        : begin_(reinterpret_cast<const unsigned char*>(body.data())),
          p_(begin_),
          end_(begin_ + body.size()),
          floatSize_(floatBits == 64 ? 8 : 4) {}

    size_t Offset() const { return size_t(p_ - begin_); }
    size_t Remaining() const { return size_t(end_ - p_); }
    const char* Error() const { return error_; }

    TokenKind Peek() {
        while (listLeft_ == 0) {
            if (Remaining() < 2) return TokenKind::kEnd;
            const uint16_t t = Word(p_);
            switch (t) {
                case token::kComma:
                case token::kSemicolon:
                    p_ += 2;
                    continue;
                case token::kName:
                    return TokenKind::kName;
                case token::kString:
                    return TokenKind::kString;
                case token::kInteger:
                    return TokenKind::kNumber;
                case token::kGuid:
                    return TokenKind::kGuid;
                case token::kOBrace:
                    return TokenKind::kOBrace;
                case token::kCBrace:
                    return TokenKind::kCBrace;
                case token::kTemplate:
                    return TokenKind::kTemplate;
                case token::kIntegerList:
                case token::kFloatList: {
                    if (!OpenList(t)) return TokenKind::kOther;
                    continue;  // an empty list stands for nothing
                }
                default:
                    return TokenKind::kOther;
            }
        }
        return TokenKind::kNumber;
    }

    bool ReadName(std::string& out) {
        std::string_view view;
        if (!ReadNameView(view)) return false;
        out.assign(view);
        return true;
    }

    bool ReadNameView(std::string_view& out) {
        if (Peek() != TokenKind::kName) return Fail("a name was expected");
        if (Remaining() < 6) return Fail("a name is cut short");
        const uint32_t n = Dword(p_ + 2);
        if (n > Remaining() - 6) return Fail("a name runs past the end of the file");
        out = std::string_view(reinterpret_cast<const char*>(p_ + 6), n);
        p_ += 6 + n;
        return true;
    }

    bool ReadString(std::string& out) {
        if (Peek() != TokenKind::kString) return Fail("a string was expected");
        if (!ReadCounted(out)) return false;
        // The terminator is a separator token; some writers make it a 32-bit word.
        if (Remaining() >= 2 && (Word(p_) == token::kSemicolon || Word(p_) == token::kComma)) {
            p_ += 2;
            if (Remaining() >= 2 && Word(p_) == 0) p_ += 2;
        }
        return true;
    }

    bool ReadUint(uint32_t& v) {
        if (Peek() != TokenKind::kNumber) return Fail("a whole number was expected");
        if (listLeft_ > 0) {
            if (listFloat_) return Fail("a whole number was expected, not a float");
            v = Dword(p_);
            p_ += 4;
            --listLeft_;
            return true;
        }
        if (Remaining() < 6) return Fail("an integer is cut short");
        v = Dword(p_ + 2);
        p_ += 6;
        return true;
    }

    bool ReadFloat(float& v) {
        if (Peek() != TokenKind::kNumber) return Fail("a number was expected");
        if (listLeft_ > 0) {
            if (!listFloat_) {
                v = float(Dword(p_));
                p_ += 4;
            } else if (floatSize_ == 4) {
                std::memcpy(&v, p_, 4);
                p_ += 4;
            } else {
                double d;
                std::memcpy(&d, p_, 8);
                v = float(d);
                p_ += 8;
            }
            if (!std::isfinite(v)) v = 0;  // as the text reader does
            --listLeft_;
            return true;
        }
        uint32_t i;
        if (!ReadUint(i)) return false;
        v = float(i);
        return true;
    }

    bool Consume(TokenKind kind) {
        if (Peek() != kind) {
            return Fail(kind == TokenKind::kOBrace   ? "'{' was expected"
                        : kind == TokenKind::kCBrace ? "'}' was expected"
                                                     : "unexpected token");
        }
        p_ += 2;
        return true;
    }

    bool SkipGuid() {
        if (Peek() != TokenKind::kGuid) return Fail("a GUID was expected");
        if (Remaining() < 18) return Fail("a GUID is cut short");
        p_ += 18;
        return true;
    }

    // Called after an opening brace: skips to just past its closing brace, without recursion.
    bool SkipBody() {
        p_ += listLeft_ * (listFloat_ ? floatSize_ : 4);
        listLeft_ = 0;
        size_t depth = 1;
        bool afterString = false;
        while (true) {
            if (Remaining() < 2) return Fail("the file ends inside an object");
            const uint16_t t = Word(p_);
            const bool wasString = afterString;
            afterString = false;
            size_t record = 0;
            switch (t) {
                case token::kName:
                case token::kString:
                    if (Remaining() < 6) return Fail("a name is cut short");
                    record = 4 + size_t(Dword(p_ + 2));
                    afterString = t == token::kString;
                    break;
                case token::kInteger:
                    record = 4;
                    break;
                case token::kGuid:
                    record = 16;
                    break;
                case token::kIntegerList:
                case token::kFloatList: {
                    if (Remaining() < 6) return Fail("a list is cut short");
                    const uint64_t n = Dword(p_ + 2);
                    record = 4 + size_t(n * (t == token::kFloatList ? floatSize_ : 4));
                    break;
                }
                case token::kOBrace:
                    ++depth;
                    break;
                case token::kCBrace:
                    if (--depth == 0) {
                        p_ += 2;
                        return true;
                    }
                    break;
                case 0:
                    if (!wasString) return Fail("unknown token");
                    break;
                default:
                    if (!IsStandalone(t)) return Fail("unknown token");
                    afterString = wasString && (t == token::kComma || t == token::kSemicolon);
                    break;
            }
            if (record > Remaining() - 2) return Fail("a record runs past the end of the file");
            p_ += 2 + record;
        }
    }

    bool Fail(const char* why) {
        if (!error_) error_ = why;
        return false;
    }

private:
    static uint16_t Word(const unsigned char* p) { return uint16_t(p[0] | p[1] << 8); }
    static uint32_t Dword(const unsigned char* p) {
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }
    static bool IsStandalone(uint16_t t) {
        return (t >= token::kOBrace && t <= token::kSemicolon) || t == token::kTemplate ||
               (t >= token::kWord && t <= token::kArray);
    }

    bool OpenList(uint16_t t) {
        if (Remaining() < 6) return Fail("a list is cut short");
        const uint64_t n = Dword(p_ + 2);
        const size_t size = t == token::kFloatList ? floatSize_ : 4;
        if (n * size > Remaining() - 6) return Fail("a list runs past the end of the file");
        p_ += 6;
        listLeft_ = size_t(n);
        listFloat_ = t == token::kFloatList;
        return true;
    }

    bool ReadCounted(std::string& out) {
        if (Remaining() < 6) return Fail("a name is cut short");
        const uint32_t n = Dword(p_ + 2);
        if (n > Remaining() - 6) return Fail("a name runs past the end of the file");
        out.assign(reinterpret_cast<const char*>(p_ + 6), n);
        p_ += 6 + n;
        return true;
    }

    const unsigned char* begin_;
    const unsigned char* p_;
    const unsigned char* end_;
    size_t floatSize_;
    size_t listLeft_ = 0;
    bool listFloat_ = false;
    const char* error_ = nullptr;
};

}  // namespace xfile
