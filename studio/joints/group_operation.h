// The group operation on a folder without the dialog: its name and one of move, scale, turn and
// flip applied to the folder's items.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "studio/scene/scene_doc.h"

namespace studio {

inline constexpr std::string_view kMsgGroupNumber = "数字を入力してください。";
inline constexpr std::string_view kMsgGroupZeroScale = "拡大で０の数値は入力できません";

enum GroupOperation : int {
    kGroupNothing = 0,
    kGroupMove = 1,
    kGroupScale = 2,
    kGroupTurn = 3,
    kGroupFlip = 4,
};

// What the dialog shows and edits (UTF-8), with the edits' defaults.
struct GroupFields {
    std::string name;
    int operation = kGroupNothing;
    std::string move = "0, 0, 0";
    std::string scale = "1";                // three numbers, or one for all three
    std::string axis = "0, 1, 0, 0, 0, 0";  // direction, then a point on the axis
    std::string angle = "0";                // degrees
    bool counterClockwise = false;          // seen along the axis direction
    int flip = 0;                           // 0 left-right, 1 up-down, 2 front-back
};

// The checked values, ready to apply.
struct GroupEdit {
    std::string name;  // UTF-8
    int operation = kGroupNothing;
    rm::Vector3 move{};
    std::array<float, 3> scale{1, 1, 1};
    rm::Vector3 axis{0, 1, 0}, point{};
    float angle = 0;  // radians, with the sign of the direction chosen
    int flip = 0;
};

// A number field as the dialogs read one: blanks around it allowed, nothing else.
std::optional<float> ReadNumberField(std::string_view text);

GroupFields ReadGroupFields(const CSceneDoc& doc, size_t folder);

// The message of the first check that fails (only the chosen operation's fields count), or
// empty with `edit` filled.
std::string CheckGroupFields(const GroupFields& fields, GroupEdit& edit);

// Renames the folder and applies the operation to its items: a move carries whatever is linked
// to them; scale and flip stay within the folder.
void ApplyGroupOperation(CSceneDoc& doc, size_t folder, const GroupEdit& edit);

}  // namespace studio
