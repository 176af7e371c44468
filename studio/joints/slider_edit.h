// The slider dialog without the dialog: the item's slider as fields, and the fields put back
// on the item with the vector turned between the item's axes and the scene's.
#pragma once

#include <string>
#include <string_view>

#include "studio/scene/scene_doc.h"

namespace studio {

inline constexpr std::string_view kMsgSliderVector = "数字を入力してください。";

struct SliderFields {
    int kind = 0;        // 0 none, 1 axis, 2 plane
    int storedAxes = 0;  // "スライダーの種類": 0 the item's own axes, 1 the scene's
    int givenAxes = 0;   // "ベクトルの指定": the axes the edit's vector is given in
    std::string vector = "0, 0, 0";
};

// The item's kind, its vector in the axes it is stored in, both lists at those axes.
SliderFields ReadSliderFields(const CSceneDoc& doc, size_t item);

// The message when a slider is set but its vector does not read as three numbers, or empty.
std::string CheckSliderFields(const SliderFields& fields);

// Stores kind, stored axes and vector on the item, the vector turned from the axes it was
// given in into those it is stored in.
void ApplySliderFields(CSceneDoc& doc, size_t item, const SliderFields& fields);

}  // namespace studio
