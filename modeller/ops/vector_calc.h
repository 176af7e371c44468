// The vector calculator (ベクトルの計算): arithmetic on numbers, vectors and vector pairs,
// and the intersection of a plane with a line, on the texts of the window's fields.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace modeller::ops {

enum class OperandClass { kEmpty, kScalar, kVector, kPair };

// How many comma-separated numbers a field holds, reading at most 33.
size_t CountNumbers(std::string_view text);
// 0 empty; 1 or 2 scalar; 3 to 5 vector; 6 or more a pair of vectors.
OperandClass ClassOf(size_t count);

enum class OperatorList {
    kScalar,
    kVectorScalar,
    kTwoVectors,
    kPairScalar,
    kPairVector,
    kPlaneLine
};
// The list for the numbers counted in operand 1 and operand 2.
OperatorList ListFor(size_t count1, size_t count2);
// Its operator texts; the first is selected when the list is filled.
std::span<const std::string_view> OperatorTexts(OperatorList list);

inline constexpr std::string_view kNormalize = "正規化";
inline constexpr std::string_view kIntersect = "面と線の交点";
inline constexpr const char* kParallelText = "面と線が平行です";
inline constexpr const char* kDivideByZeroText = "0 では割れません";

// The four text fields of the window.
struct CalcFields {
    std::string operand1, operand2, result, memo;
};

// What the window keeps when it closes; only the memo comes back when it opens again.
struct VectorCalcMemory {
    CalcFields fields;
    int32_t operatorIndex = 0;
};

struct CalcOutcome {
    bool done = false;    // a field was written
    std::string message;  // why there is no result (parallel line, pair divided by 0)
};

// Runs the operator on the fields as 計算 does: the result field, or for 正規化 the
// operands, are rewritten. A combination the operator does not apply to changes nothing.
CalcOutcome Calculate(CalcFields& fields, std::string_view op);

// A number as the result field writes it: 8 significant digits, general format.
std::string FormatCalcNumber(float value);

}  // namespace modeller::ops
