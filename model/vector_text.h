// Numbers and vectors as the sheets and dialogs write and read them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/sheet.h"

namespace model {

// Up to 8 significant digits in plain decimal, without trailing zeros or a trailing point:
// 1.5, 2, -0.000000043711388.
std::string FormatNumber(float value);
// "x, y, z".
std::string FormatVector(float x, float y, float z);
inline std::string FormatVector(const Vertex& v) {
    return FormatVector(v.x, v.y, v.z);
}

// The leading decimal number of text after blanks (0 when there is none), reading at most
// `maxChars` characters.
float ParseLeadingFloat(std::string_view text, size_t maxChars = 29);
// The leading integer after blanks, with an optional sign; 0 when there is none.
int32_t ParseLeadingInt(std::string_view text);

// Text before the first comma, between the first two and after the second, each read as a
// number; fewer than two commas is no vector.
std::optional<Vertex> ParseVector(std::string_view text);

// Comma-separated numbers, at most maxCount of them.
std::vector<float> ParseNumberList(std::string_view text, size_t maxCount);
// Consecutive triples of a number list, at most 33 vectors.
std::vector<Vertex> ParseVectorList(std::string_view text);

// The integer at the start of a face line and after each comma.
std::vector<int32_t> ParseFaceCorners(std::string_view line);
// Appends the corners to out, returning their count (no allocation per line).
size_t ParseFaceCornersInto(std::string_view line, std::vector<int32_t>& out);

// A dialog's list of face numbers: "all" (trimmed, any case) or integers in order.
struct FaceIndexList {
    bool all = false;
    std::vector<int32_t> indices;
};
FaceIndexList ParseFaceIndexList(std::string_view text);

// Corners as a face line: "a, b, c".
std::string JoinCorners(const std::vector<int32_t>& corners);
// The items of a face line in reverse order; an empty line stays empty.
std::string ReverseFaceLine(std::string_view line);
// a, b, c, d as the two lines a, b, c and a, c, d; nothing for other lines.
std::optional<std::pair<std::string, std::string>> SplitQuad(std::string_view line);

}  // namespace model
