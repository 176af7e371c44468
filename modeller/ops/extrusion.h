// Extrusion (立体化): chosen faces become prisms swept along a vector, cut into slices, or
// cones to an apex point.
#pragma once

#include <cstdint>
#include <string>

#include "modeller/ops/ops_host.h"
#include "modeller/ops/sheet_steps.h"

namespace modeller::ops {

// The dialog's record, remembered for the program run; these are the first values.
struct ExtrusionSettings {
    std::string faceList = "0";      // 面インデックス: "all" or face numbers
    std::string vector = "0, 0, 0";  // ベクトル
    bool useLength = false;          // ベクトルの長さを指定
    float length = 1.0f;
    uint32_t divisions = 1;  // 分割数
    bool flipSource = true;  // 元の面が裏返しになる場合ひっくり返す
    bool quads = false;      // 面を四角形で作成
    bool cone = false;       // 点ベクトルで錐を作る
    bool noJoin = false;     // 点を結合しない
};

inline constexpr const char* kBadVectorText = "ベクトルが不正です";
inline constexpr const char* kBadDivisionsText = "中継点は１以上の数にしてください";

// The first failed check, or empty.
std::string ValidateExtrusion(const ExtrusionSettings& settings);

// Extrudes the listed faces and ends with the join (or a rebuild with no-join). Checks
// first; a failed check, or a result beyond kMaxNewLines, changes nothing and returns its
// message.
OpsResult ApplyExtrusion(model::MeshModel& model, OpsHost& host, const ExtrusionSettings& settings);

}  // namespace modeller::ops
