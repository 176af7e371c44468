#include "modeller/view/view_layout.h"

#include <algorithm>

namespace modeller {

void ViewLayout::FirstPaint(int width, int height, int deviceWidth, int deviceHeight) {
    clientWidth = width;
    clientHeight = height;
    const int w3 = std::min(kFirstPaneWidth, deviceWidth);
    const int h3 = std::min(kFirstPaneHeight, deviceHeight);
    splitX = width - w3 - kBar;
    splitY = h3;
}

void ViewLayout::Limit(int deviceWidth, int deviceHeight) {
    splitX = std::clamp(splitX, 0, std::max(0, clientWidth - kBar));
    splitY = std::clamp(splitY, 0, std::max(0, clientHeight - kBar));
    const Rect pane = ViewPane();
    if (pane.width > deviceWidth) splitX += pane.width - deviceWidth;
    if (pane.height > deviceHeight) splitY -= pane.height - deviceHeight;
}

void ViewLayout::Resize(int width, int height) {
    const int paneWidth = ViewPane().width;
    clientWidth = width;
    clientHeight = height;
    splitX = std::max(0, width - kBar - paneWidth);
}

}  // namespace modeller
