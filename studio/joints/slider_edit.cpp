#include "studio/joints/slider_edit.h"

#include <cmath>
#include <optional>

#include "model/vector_text.h"
#include "studio/joints/joints.h"

namespace studio {

namespace {

std::optional<rm::Vector3> Parse(const std::string& text) {
    const auto v = model::ParseVector(text);
    if (!v || !std::isfinite(v->x) || !std::isfinite(v->y) || !std::isfinite(v->z))
        return std::nullopt;
    return rm::Vector3{v->x, v->y, v->z};
}

}  // namespace

SliderFields ReadSliderFields(const CSceneDoc& doc, size_t item) {
    SliderFields f;
    if (item >= doc.Items().size()) return f;
    const SceneItem& it = doc.Items()[item];
    f.kind = it.sliderKind;
    f.storedAxes = f.givenAxes = it.sliderAxes;
    f.vector = model::FormatVector(it.sliderVector.x, it.sliderVector.y, it.sliderVector.z);
    return f;
}

std::string CheckSliderFields(const SliderFields& f) {
    if (f.kind != 0 && !Parse(f.vector)) return std::string(kMsgSliderVector);
    return {};
}

void ApplySliderFields(CSceneDoc& doc, size_t item, const SliderFields& f) {
    if (item >= doc.Items().size()) return;
    SceneItem& it = doc.Items()[item];
    rm::Vector3 v = Parse(f.vector).value_or(it.sliderVector);
    if (f.kind != 0 && !(v == rm::Vector3{})) {
        if (f.givenAxes == 0) v = ItemAxesToScene(doc, item, v);
        if (f.storedAxes == 0) v = SceneAxesToItem(doc, item, v);
    }
    it.sliderKind = f.kind;
    it.sliderAxes = f.storedAxes;
    it.sliderVector = v;
}

}  // namespace studio
