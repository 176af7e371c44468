#include "modeller/settings_ops/axis_settings.h"

#include "model/vector_text.h"
#include "platform/field_exchange.h"

namespace modeller::settings {

AxisFields AxisFieldsOf(const viewport::SceneSettings& st) {
    return {st.showAxis, st.showLetters, model::FormatNumber(st.axisSize)};
}

std::string ValidateAxis(const AxisFields& f) {
    return shell::ExchangeFloat(f.size) ? std::string() : std::string(shell::kNeedNumberText);
}

void ApplyAxis(const AxisFields& f, ModellerSettings& settings, viewport::SceneSettings& st,
               viewport::RenderScene& scene) {
    const float size = shell::ExchangeFloat(f.size).value_or(st.axisSize);
    settings.axisSize = st.axisSize = size;
    st.letterSize = size * 0.125f;
    st.showAxis = f.showAxis;
    st.showLetters = f.showLetters;
    scene.ApplyAxisSettings(st);
}

}  // namespace modeller::settings
