#include "studio/scene/vector_fields.h"

#include <cmath>

#include "model/vector_text.h"

namespace studio {

std::string FormatVector(const rm::Vector3& v) {
    return model::FormatVector(v.x, v.y, v.z);
}

std::optional<rm::Vector3> ParseFiniteVector(std::string_view text) {
    const auto v = model::ParseVector(text);
    if (!v || !std::isfinite(v->x) || !std::isfinite(v->y) || !std::isfinite(v->z))
        return std::nullopt;
    return rm::Vector3{v->x, v->y, v->z};
}

}  // namespace studio
