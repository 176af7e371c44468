// The whole-model operation (全体演算): one move, scale about the origin, rotation about an
// axis, or flip across a coordinate plane, applied to every valid point line.
#pragma once

#include <cstdint>
#include <string>

#include "model/sheet.h"
#include "modeller/ops/ops_host.h"

namespace modeller::ops {

enum WholeModelKind : int32_t { kWholeMove = 0, kWholeScale = 1, kWholeRotate = 2, kWholeFlip = 3 };

// What the dialog remembers for the program run, with its first values.
struct WholeModelMemory {
    std::string moveText = "0, 0, 0";
    std::string scaleText = "1";
    std::string axisText = "0, 1, 0,  0, 0, 0";
    std::string angleText = "360";
    int32_t direction = 0;  // 0 clockwise seen from the axis tip, 1 counter-clockwise
};

// The dialog's fields. It opens with the remembered texts, kind move and plane 左右.
struct WholeModelFields {
    int32_t kind = kWholeMove;  // -1 when nothing is chosen
    int32_t direction = 0;
    int32_t plane = 0;  // 0 左右 (x), 1 上下 (y), 2 前後 (z)
    std::string moveText, scaleText, axisText, angleText;

    static WholeModelFields Open(const WholeModelMemory& memory);
};

// The checked operation.
struct WholeModelOperation {
    int32_t kind = kWholeMove;
    model::Vertex vector1, vector2;
    float angle = 0;  // radians
    int32_t direction = 0;
    int32_t plane = 0;
};

inline constexpr const char* kNoKindText = "計算の種類が指定されていません";
inline constexpr const char* kMissingNumbersText = "必要な数字が入力されていません";
inline constexpr const char* kZeroScaleQuestion =
    "拡大で０の数値を入力すると一部の情報が消去されますがよろしいですか？";

struct WholeModelCheck {
    std::string message;        // the first failed check; empty when all passed
    bool askZeroScale = false;  // the caller asks kZeroScaleQuestion; only Yes goes on
    WholeModelOperation operation;
};
WholeModelCheck ValidateWholeModel(const WholeModelFields& fields);

// Keeps the texts of the kind that ran (after a passed check).
void RememberWholeModel(const WholeModelFields& fields, WholeModelMemory& memory);

// One point through the operation (flip and move included), in single precision.
model::Vertex TransformPoint(const WholeModelOperation& op, const model::Vertex& p);

// A scale by a zero-length vector changes nothing and reports !ok.
OpsResult ApplyWholeModel(model::MeshModel& model, OpsHost& host, const WholeModelOperation& op);

}  // namespace modeller::ops
