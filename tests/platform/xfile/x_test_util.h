// Helpers shared by the .x tests: a builder of binary token streams, and a tally of heap use.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>

#include "platform/xfile/x_binary_lexer.h"

namespace xtest {

class BinaryBuilder {
public:
    explicit BinaryBuilder(const char* kind = "bin ", const char* floats = "0032")
        : bytes_(std::string("xof 0302") + kind + floats),
          wide_(std::strcmp(floats, "0064") == 0) {}

    BinaryBuilder& Token(uint16_t t) {
        Word(t);
        return *this;
    }
    BinaryBuilder& Name(const std::string& s) { return Counted(xfile::token::kName, s); }
    BinaryBuilder& String(const std::string& s) {
        Counted(xfile::token::kString, s);
        return Token(xfile::token::kSemicolon);
    }
    BinaryBuilder& Open() { return Token(xfile::token::kOBrace); }
    BinaryBuilder& Close() { return Token(xfile::token::kCBrace); }
    BinaryBuilder& Integer(uint32_t v) {
        Word(xfile::token::kInteger);
        Dword(v);
        return *this;
    }
    BinaryBuilder& Ints(std::initializer_list<uint32_t> v) {
        Word(xfile::token::kIntegerList);
        Dword(uint32_t(v.size()));
        for (uint32_t x : v) Dword(x);
        return *this;
    }
    BinaryBuilder& Floats(std::initializer_list<double> v) {
        Word(xfile::token::kFloatList);
        Dword(uint32_t(v.size()));
        for (double x : v) {
            if (wide_) {
                char b[8];
                std::memcpy(b, &x, 8);
                bytes_.append(b, 8);
            } else {
                float f = float(x);
                char b[4];
                std::memcpy(b, &f, 4);
                bytes_.append(b, 4);
            }
        }
        return *this;
    }
    BinaryBuilder& Guid() {
        Word(xfile::token::kGuid);
        bytes_.append(16, '\x11');
        return *this;
    }
    BinaryBuilder& Dword(uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_.push_back(char((v >> (8 * i)) & 0xFF));
        return *this;
    }
    const std::string& Bytes() const { return bytes_; }

private:
    void Word(uint16_t t) {
        bytes_.push_back(char(t & 0xFF));
        bytes_.push_back(char(t >> 8));
    }
    BinaryBuilder& Counted(uint16_t t, const std::string& s) {
        Word(t);
        Dword(uint32_t(s.size()));
        bytes_ += s;
        return *this;
    }
    std::string bytes_;
    bool wide_;
};

// The highest number of heap bytes live at once since the last Reset (operator new only).
struct HeapTally {
    static void Reset();
    static size_t Peak();
};

}  // namespace xtest
