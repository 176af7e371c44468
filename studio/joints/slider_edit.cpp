#include "studio/joints/slider_edit.h"

#include "studio/joints/joints.h"
#include "studio/scene/vector_fields.h"

namespace studio {

SliderFields ReadSliderFields(const CSceneDoc& doc, size_t item) {
    SliderFields f;
    if (item >= doc.Items().size()) return f;
    const SceneItem& it = doc.Items()[item];
    f.kind = it.sliderKind;
    f.storedAxes = f.givenAxes = it.sliderAxes;
    f.vector = FormatVector(it.sliderVector);
    return f;
}

std::string CheckSliderFields(const SliderFields& f) {
    if (f.kind != 0 && !ParseFiniteVector(f.vector)) return std::string(kMsgSliderVector);
    return {};
}

void ApplySliderFields(CSceneDoc& doc, size_t item, const SliderFields& f) {
    if (item >= doc.Items().size()) return;
    SceneItem& it = doc.Items()[item];
    rm::Vector3 v = ParseFiniteVector(f.vector).value_or(it.sliderVector);
    if (f.kind != 0 && !(v == rm::Vector3{})) {
        if (f.givenAxes == 0) v = ItemAxesToScene(doc, item, v);
        if (f.storedAxes == 0) v = SceneAxesToItem(doc, item, v);
    }
    it.sliderKind = f.kind;
    it.sliderAxes = f.storedAxes;
    it.sliderVector = v;
}

}  // namespace studio
