// The view's three panes: the point screen on the left at full height, the 3D pane at the
// top right and the face screen below it, with 6-pixel splitter bars between them.
#pragma once

namespace modeller {

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    bool Contains(int px, int py) const {
        return px >= x && py >= y && px < x + width && py < y + height;
    }
};

class ViewLayout {
public:
    static constexpr int kBar = 6;
    static constexpr int kFirstPaneWidth = 320, kFirstPaneHeight = 200;

    int splitX = 0;  // left edge of the vertical bar
    int splitY = 0;  // top edge of the horizontal bar
    int clientWidth = 0, clientHeight = 0;

    // First paint: the 3D pane at most 320 x 200 (and never beyond the device) at the top
    // right.
    void FirstPaint(int width, int height, int deviceWidth, int deviceHeight);
    // Every paint: the splits within the client, and the 3D pane never larger than the
    // render target (the splits move toward it).
    void Limit(int deviceWidth, int deviceHeight);
    // A new client size keeps the 3D pane's width.
    void Resize(int width, int height);

    Rect PointPane() const { return {0, 0, splitX, clientHeight}; }
    Rect ViewPane() const { return {splitX + kBar, 0, clientWidth - splitX - kBar, splitY}; }
    Rect FacePane() const {
        return {splitX + kBar, splitY + kBar, clientWidth - splitX - kBar,
                clientHeight - splitY - kBar};
    }
    Rect VerticalBar() const { return {splitX, 0, kBar, clientHeight}; }
    Rect HorizontalBar() const { return {splitX + kBar, splitY, clientWidth - splitX - kBar, kBar}; }
};

}  // namespace modeller
