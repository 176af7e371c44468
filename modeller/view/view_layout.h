// The view's three panes and two splitter bars: the point screen on the left at full
// height, the 3D pane top right, the face screen below it.
#pragma once

#include <cstdint>

#include "modeller/view/screen_types.h"

namespace modeller {

struct ViewLayout {
    static constexpr int32_t kBarWidth = 6;

    int32_t clientWidth = 0, clientHeight = 0;
    int32_t splitX = 0;  // left edge of the vertical bar
    int32_t splitY = 0;  // top edge of the horizontal bar
    // The 3D screen's maximum size; the 3D pane never grows beyond it.
    int32_t deviceWidth = 640, deviceHeight = 480;

    // The first paint: a 3D pane of at most 320 x 200 in the top right corner.
    void FirstPaint(int32_t width, int32_t height, int32_t devWidth, int32_t devHeight);
    // A new client size keeps the 3D pane's width.
    void Resize(int32_t width, int32_t height);
    // Both splits inside the client, and the 3D pane within the device size.
    void ApplySplitLimits();

    Rect PointPane() const { return {0, 0, splitX, clientHeight}; }
    Rect ThreeDPane() const { return {splitX + kBarWidth, 0, clientWidth, splitY}; }
    Rect FacePane() const {
        return {splitX + kBarWidth, splitY + kBarWidth, clientWidth, clientHeight};
    }
    bool OnVerticalBar(int32_t x, int32_t y) const;
    bool OnHorizontalBar(int32_t x, int32_t y) const;
};

}  // namespace modeller
