#include "modeller/view/pick_list.h"

#include <algorithm>

namespace modeller {

std::optional<bool> PickList::Toggle(model::PointSheet& points, int32_t line) {
    if (line < 0 || line > points.maxLine || static_cast<size_t>(line) >= points.lineFlags.size())
        return std::nullopt;
    uint8_t& flags = points.lineFlags[static_cast<size_t>(line)];
    if (!(flags & model::PointSheet::kFlagValid)) return std::nullopt;
    flags ^= model::PointSheet::kFlagPicked;
    const bool picked = flags & model::PointSheet::kFlagPicked;
    if (picked) {
        points_.push_back(line);
    } else {
        auto it = std::find(points_.begin(), points_.end(), line);
        if (it != points_.end()) points_.erase(it);
    }
    return picked;
}

void PickList::Clear(model::PointSheet& points) {
    points_.clear();
    for (uint8_t& flags : points.lineFlags)
        flags &= static_cast<uint8_t>(~model::PointSheet::kFlagPicked);
}

void PickList::Reverse() {
    std::reverse(points_.begin(), points_.end());
}

}  // namespace modeller
