#include "studio/app/tree_rules.h"

#include <cmath>
#include <iterator>

namespace studio {

namespace {

size_t BlockEnd(const std::vector<SceneItem>& items, size_t index) {
    size_t end = index + 1;
    while (end < items.size() && items[end].depth > items[index].depth) ++end;
    return end;
}

}  // namespace

std::optional<size_t> MoveItemBlock(std::vector<SceneItem>& items, size_t dragged, size_t target,
                                    bool shift) {
    if (dragged >= items.size() || target >= items.size()) return std::nullopt;
    const size_t end = BlockEnd(items, dragged);
    if (target >= dragged && target < end) return std::nullopt;

    const int32_t delta = items[target].depth + (shift ? 1 : 0) - items[dragged].depth;
    const size_t length = end - dragged;
    // Where the block goes in the list as it is now, before the block is taken out.
    size_t insertAt;
    if (target < dragged) {
        insertAt = shift ? target + 1 : target;
    } else {
        insertAt = target + 1;
    }

    std::vector<SceneItem> block(std::make_move_iterator(items.begin() + dragged),
                                 std::make_move_iterator(items.begin() + end));
    for (SceneItem& item : block) item.depth += delta;
    items.erase(items.begin() + dragged, items.begin() + end);
    if (insertAt > dragged) insertAt -= length;
    items.insert(items.begin() + insertAt, std::make_move_iterator(block.begin()),
                 std::make_move_iterator(block.end()));
    return insertAt;
}

std::vector<int> TreeParents(const std::vector<SceneItem>& items) {
    std::vector<int> parents(items.size(), -1);
    std::vector<size_t> open;  // the chain of possible parents, depths rising
    for (size_t i = 0; i < items.size(); ++i) {
        while (!open.empty() && items[open.back()].depth >= items[i].depth) open.pop_back();
        parents[i] = open.empty() ? -1 : static_cast<int>(open.back());
        open.push_back(i);
    }
    return parents;
}

ItemRange PartsRange(const std::vector<SceneItem>& items, size_t index) {
    if (index >= items.size()) return {};
    const size_t end = BlockEnd(items, index);
    if (end - index < 2) return {};
    return {index, end};
}

void StudioMoveCamera(const rm::FramePtr& camera, float dx, float dy, bool shift, bool ctrl,
                      float speed, bool reverse, bool lookAtOnePoint) {
    if (!camera || !std::isfinite(dx) || !std::isfinite(dy)) return;
    if (reverse) {
        dx = -dx;
        dy = -dy;
    }
    constexpr float kDegree = 6.2831855f / 360.0f;
    const float step = 0.05f * speed;
    if (!shift && !ctrl) {
        camera->SetPosition(camera, {dx * step, dy * step, 0});
    } else if (shift && !ctrl) {
        camera->SetPosition(camera, {dx * step, 0, dy * step});
    } else if (ctrl && !shift && !lookAtOnePoint) {
        camera->AddRotation(rm::Combine::kBefore, {0, 1, 0}, dx * kDegree);
        camera->AddRotation(rm::Combine::kBefore, {-1, 0, 0}, dy * kDegree);
        rm::Vector3 d, u;
        camera->GetOrientation({}, d, u);
        // Level again, except looking straight up or down, where levelling would flip it.
        if (std::fabs(d.x) > 1e-5f || std::fabs(d.z) > 1e-5f)
            camera->SetOrientation({}, d, {0, 1, 0});
    }
}

}  // namespace studio
