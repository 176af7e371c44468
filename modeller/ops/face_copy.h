// Face copy (面のコピー): copies of chosen faces moved along a vector in equal steps, each
// copy with its own points, optionally with back faces.
#pragma once

#include <cstdint>
#include <string>

#include "modeller/ops/ops_host.h"
#include "modeller/ops/sheet_steps.h"  // kNoFaceListText

namespace modeller::ops {

// The dialog's record, remembered whole for the program run; these are the first values.
struct FaceCopySettings {
    std::string faceList = "0";      // 面インデックス
    std::string vector = "0, 0, 1";  // 移動ベクトル
    uint32_t divisions = 1;          // 分割数
    bool backFaces = false;          // 裏面を作成する
    bool noJoin = false;             // 点を結合しない
};

inline constexpr const char* kNeedDivisionsText = "分割数に１以上の値を入れてください";
// A move vector that does not read as three numbers is refused rather than run with some
// earlier vector.
inline constexpr const char* kBadMoveVectorText = "ベクトルが不正です";

// The first failed check, in the dialog's order, or empty.
std::string ValidateFaceCopy(const FaceCopySettings& settings);

// Adds the copies (the last at the whole vector) and ends with the join (or a rebuild with
// no-join). A failed check, or a result beyond the sheets' room, changes nothing and returns
// its message.
OpsResult ApplyFaceCopy(model::MeshModel& model, OpsHost& host, const FaceCopySettings& settings);

}  // namespace modeller::ops
