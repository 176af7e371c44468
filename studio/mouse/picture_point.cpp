#include "studio/mouse/picture_point.h"

#include <algorithm>
#include <cmath>

namespace studio {

namespace {
bool Scaled(const SceneEnvironment& env) {
    return env.freeSize != 0 && env.fitToView == 0;
}
}  // namespace

float ViewScale(const SceneEnvironment& env, PictureSize picture, int clientWidth,
                int clientHeight) {
    if (!Scaled(env) || picture.width <= 0 || picture.height <= 0) return 1.0f;
    const float s = std::min(static_cast<float>(clientWidth) / static_cast<float>(picture.width),
                             static_cast<float>(clientHeight) / static_cast<float>(picture.height));
    return s > 0.0f ? s : 1.0f;
}

std::optional<PicturePoint> WindowToPicture(const SceneEnvironment& env, PictureSize picture,
                                            float scale, int scrollX, int scrollY, int x, int y) {
    float px = static_cast<float>(x), py = static_cast<float>(y);
    if (env.fitToView == 0) {
        if (Scaled(env)) {
            if (!(scale > 0.0f)) return std::nullopt;
            px /= scale;
            py /= scale;
        } else {
            px += static_cast<float>(scrollX);
            py += static_cast<float>(scrollY);
        }
    }
    const PicturePoint p{static_cast<int>(std::floor(px)), static_cast<int>(std::floor(py))};
    if (p.x < 0 || p.y < 0 || p.x >= picture.width || p.y >= picture.height) return std::nullopt;
    return p;
}

}  // namespace studio
