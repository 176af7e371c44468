#include "modeller/view/view_layout.h"

#include <algorithm>

namespace modeller {

void ViewLayout::FirstPaint(int32_t width, int32_t height, int32_t devWidth, int32_t devHeight) {
    clientWidth = std::max(width, 0);
    clientHeight = std::max(height, 0);
    deviceWidth = std::max(devWidth, 0);
    deviceHeight = std::max(devHeight, 0);
    splitX = clientWidth - std::min(320, deviceWidth) - kBarWidth;
    splitY = std::min(200, deviceHeight);
    ApplySplitLimits();
}

void ViewLayout::Resize(int32_t width, int32_t height) {
    const int32_t threeDWidth = clientWidth - splitX - kBarWidth;
    clientWidth = std::max(width, 0);
    clientHeight = std::max(height, 0);
    splitX = std::max(clientWidth - kBarWidth - threeDWidth, 0);
}

void ViewLayout::ApplySplitLimits() {
    splitX = std::clamp(splitX, 0, std::max(clientWidth - kBarWidth, 0));
    splitY = std::clamp(splitY, 0, std::max(clientHeight - kBarWidth, 0));
    const int32_t excessWidth = clientWidth - splitX - kBarWidth - deviceWidth;
    if (excessWidth > 0) splitX += excessWidth;
    const int32_t excessHeight = splitY - deviceHeight;
    if (excessHeight > 0) splitY -= excessHeight;
}

bool ViewLayout::OnVerticalBar(int32_t x, int32_t) const {
    return x >= splitX && x < splitX + kBarWidth;
}

bool ViewLayout::OnHorizontalBar(int32_t x, int32_t y) const {
    return y >= splitY && y < splitY + kBarWidth && x >= splitX + kBarWidth;
}

}  // namespace modeller
