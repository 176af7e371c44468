// Rotate copy (回転コピー): copies of chosen faces turned about an axis line in equal steps,
// each copy with its own points, optionally with back faces and in one new group.
#pragma once

#include <cstdint>
#include <string>

#include "modeller/ops/ops_host.h"
#include "modeller/ops/sheet_steps.h"  // kNoFaceListText

namespace modeller::ops {

// The dialog's record; these are the values of its first opening. Texts are UTF-8.
struct RotateCopySettings {
    std::string faceList;                   // 面インデックス: "all" or face numbers
    std::string axis = "0, 1, 0, 0, 0, 0";  // 回転軸: direction, then a point on the axis
    bool counterClockwise = false;  // 軸の進行方向から見て時計回り / 反時計回り
    float angle = 360;              // 回転角, degrees, -360..360
    uint32_t divisions = 1;         // 分割数
    bool backFaces = false;         // 裏面を作成
    bool newGroup = false;          // 新しくグループを作成
    std::string groupName;          // 名前
    bool noJoin = false;            // 点を結合しない
};

inline constexpr const char* kGroupAlreadyExistsText = "同名のグループがすでに存在します";
inline constexpr const char* kZeroAngleText = "回転角は０ではいけません";
inline constexpr const char* kNeedAxisText = "軸を指定してください";

// The record a new dialog opens with: the axis, direction, back faces and no-join remembered,
// the rest at their first values.
RotateCopySettings OpenRotateCopy(const RotateCopySettings& remembered);

// The first failed check, in the dialog's order, or empty.
std::string ValidateRotateCopy(const model::MeshModel& model, const RotateCopySettings& settings);

// Adds the copies and ends with the join (or a rebuild with no-join). With no copy to make
// (a full turn in one step, or no division) nothing changes. A failed check, or a result
// beyond the sheets' or the group table's room, changes nothing and returns its message.
OpsResult ApplyRotateCopy(model::MeshModel& model, OpsHost& host,
                          const RotateCopySettings& settings);

}  // namespace modeller::ops
