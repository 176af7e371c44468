// Solid of revolution (回転体): chosen faces swept around an axis line in equal steps, a ring
// of new points per step and a band of triangles between rings. Points exactly on the axis
// are shared by every ring.
#pragma once

#include <cstdint>
#include <string>

#include "model/group_table.h"
#include "modeller/ops/ops_host.h"
#include "modeller/ops/sheet_steps.h"  // kNoFaceListText

namespace modeller::ops {

// The dialog's record; these are the values of its first opening. Texts are UTF-8.
struct RevolutionSettings {
    std::string faceList;                   // 面インデックス: "all" or face numbers
    std::string axis = "0, 1, 0, 0, 0, 0";  // 回転軸: direction, then a point on the axis
    bool counterClockwise = false;  // 軸の進行方向から見て時計回り / 反時計回り
    float angle = 360;              // 回転角, degrees, -360..360
    uint32_t divisions = 20;        // 分割数
    bool caps = true;               // 蓋を生成
    bool flipSource = true;         // 元の面が裏返しになる場合ひっくり返す
    bool deleteSourceAtFullTurn = true;  // 360度の時、元の面を消去
    bool newGroup = false;               // 新しくグループを作成
    std::string groupName;               // 名前
    bool noJoin = false;                 // 点を結合しない
};

inline constexpr float kMaxRevolutionAngle = 360;
inline constexpr const char* kGroupExistsText = "同名のグループが存在します";
inline constexpr const char* kBadAxisVectorText = "ベクトルが無効です";

// "回転体" and the smallest number from 1 (up to 9999) no group is named with yet.
std::string GeneratedGroupName(const model::GroupTable& groups);

// The record a new dialog opens with: the remembered values, the new-group option off and
// a freshly generated name.
RevolutionSettings OpenRevolution(const RevolutionSettings& remembered,
                                  const model::GroupTable& groups);

// The first failed check, in the dialog's order, or empty.
std::string ValidateRevolution(const model::MeshModel& model, const RevolutionSettings& settings);

// Sweeps the listed faces and ends with the join (or a rebuild with no-join). A failed check,
// or a result beyond the sheets' or the group table's room, changes nothing and returns its
// message.
OpsResult ApplyRevolution(model::MeshModel& model, OpsHost& host,
                          const RevolutionSettings& settings);

}  // namespace modeller::ops
