// CP932 (Shift-JIS) text: conversion to and from UTF-8, and the double-byte rules that keep
// carets and cuts on character boundaries. Model and scene text is held as CP932 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace text {

// A byte that starts a double-byte character (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length in bytes of the character starting at pos: 2 for a lead byte followed by another
// byte, otherwise 1 (a lone lead byte at the end counts as one character).
size_t CharLengthAt(std::string_view s, size_t pos);

// Number of whole characters in the first `bytes` bytes of s (the edit screens' n(k)).
size_t CountChars(std::string_view s, size_t bytes);
inline size_t CountChars(std::string_view s) {
    return CountChars(s, s.size());
}

// True when pos lies between the two bytes of a double-byte character.
bool IsInsideDoubleByte(std::string_view s, size_t pos);

// The largest boundary at or before pos, so a cut never splits a double-byte character.
size_t FloorToCharBoundary(std::string_view s, size_t pos);

// The edit screens' character class of a caret column: 0 plain, 5 inside a double-byte
// character, 10 before one, 100 past the end, -100 before the start. An empty line is 0.
int CharClass(std::string_view s, long column);

// Conversions. A sequence that cannot be converted becomes a visible replacement
// (U+FFFD into UTF-8, "?" into CP932) and conversion carries on after it.
std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);

// A UTF-8 literal of the program, as CP932 bytes.
inline std::string Sjis(std::string_view utf8) {
    return Utf8ToCp932(utf8);
}

}  // namespace text
