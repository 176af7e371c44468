#include "modeller/settings_ops/joint_settings.h"

#include <cmath>

#include "model/vector_text.h"

namespace modeller::settings {

std::string JointText(const model::JointList& joints) {
    std::string out;
    for (const model::Vertex& v : joints) out += model::FormatVector(v) + "\n";
    return out;
}

model::JointList JointsOfText(std::string_view text) {
    model::JointList out;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::optional<model::Vertex> v = model::ParseVector(line);
        if (v && std::isfinite(v->x) && std::isfinite(v->y) && std::isfinite(v->z))
            out.push_back(*v);
    }
    return out;
}

}  // namespace modeller::settings
