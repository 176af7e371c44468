// The object dialog's values without the dialog: the fields as text from an item, their
// checks in the dialog's order, and the accepted values put on the item, its mesh and frame.
#pragma once

#include <array>
#include <string>

#include "studio/scene/scene_doc.h"

namespace studio {

inline constexpr std::string_view kMsgZeroScale = "拡大で０の数値は入力できません";
inline constexpr std::string_view kMsgNeedVector = "数字を入力してください。";

// What the dialog shows and edits; texts are UTF-8.
struct ObjectFields {
    std::string name, path;
    std::string position = "0, 0, 0", direction = "0, 0, 1", up = "0, 1, 0";
    std::string scale = "1, 1, 1";
    int axisLock = 0;  // 0 none, 1 Y axis, 2 Z axis
    bool positionLock = false;
    int display = kShowSquare;
    bool flipX = false, flipY = false, flipZ = false;
};

// The checked values, ready to apply.
struct ObjectEdit {
    std::string name, path;  // UTF-8
    Placement placement;
    std::array<float, 3> scale{1, 1, 1};
    int axisLock = 0;
    bool positionLock = false;
    int display = kShowSquare;
    bool flipX = false, flipY = false, flipZ = false;
};

ObjectFields ReadObjectFields(const CSceneDoc& doc, size_t index);

// The message of the first check that fails (the dialog then stays open), or empty with
// `edit` filled. The scale is three numbers or one for all three; its product must not be 0.
std::string CheckObjectFields(const ObjectFields& fields, ObjectEdit& edit);

// Puts the values on item `index`: a new model path is loaded first, and when it cannot be
// the item is left as it was and false returned. The frame is placed anew and scaled, the
// mesh mirrored by the flips that changed and shown in the display mode.
bool ApplyObjectEdit(CSceneDoc& doc, size_t index, const ObjectEdit& edit);

}  // namespace studio
