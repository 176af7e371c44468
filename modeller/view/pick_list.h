// The ordered list of picked point numbers. Every listed point has the picked bit set in
// its point line flags; the two change together.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/sheet.h"

namespace modeller {

class PickList {
public:
    const std::vector<int32_t>& Points() const { return points_; }
    size_t Count() const { return points_.size(); }
    bool Empty() const { return points_.empty(); }

    // Flips the pick of a valid point line: a new pick is appended, an old one loses its
    // first occurrence. The new state, or nothing for a line that is not a vertex.
    std::optional<bool> Toggle(model::PointSheet& points, int32_t line);
    // Empties the list and clears the picked bit on every point line.
    void Clear(model::PointSheet& points);
    void Reverse();

private:
    std::vector<int32_t> points_;
};

}  // namespace modeller
