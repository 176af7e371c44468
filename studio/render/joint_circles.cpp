#include "studio/render/joint_circles.h"

#include <algorithm>
#include <cmath>

namespace studio {

std::vector<JointCircle> JointCircles(const CSceneDoc& doc, PictureSize picture) {
    std::vector<JointCircle> circles;
    if (picture.width <= 0 || picture.height <= 0) return circles;
    // The renderer's perspective: the field at the front distance spans half the larger side.
    const float focal = 0.5f * static_cast<float>(std::max(picture.width, picture.height)) *
                        kStudioFront / kStudioField;
    const std::vector<SceneJoint>& joints = doc.Joints();
    for (size_t i = 0; i < joints.size(); ++i) {
        if (!joints[i].frame) continue;
        const rm::Vector3 p = joints[i].frame->Position(doc.Camera());
        if (!(p.z >= kStudioFront)) continue;
        const float sx = 0.5f * static_cast<float>(picture.width) + focal * p.x / p.z;
        const float sy = 0.5f * static_cast<float>(picture.height) - focal * p.y / p.z;
        if (!(sx >= 0.0f && sx <= static_cast<float>(picture.width) && sy >= 0.0f &&
              sy <= static_cast<float>(picture.height)))
            continue;
        circles.push_back(
            {i, static_cast<int>(std::floor(sx + 0.5f)), static_cast<int>(std::floor(sy + 0.5f))});
    }
    return circles;
}

int JointCircleAt(const std::vector<JointCircle>& circles, int x, int y) {
    int best = -1;
    long bestDistance = 0;
    for (const JointCircle& c : circles) {
        const long dx = c.x - x, dy = c.y - y;
        const long distance = dx * dx + dy * dy;
        if (distance > long{kJointCircleRadius} * kJointCircleRadius) continue;
        if (best < 0 || distance < bestDistance) {
            best = static_cast<int>(c.joint);
            bestDistance = distance;
        }
    }
    return best;
}

void DrawJointCircle(uint32_t* pixels, int stride, int width, int height, int cx, int cy) {
    if (!pixels) return;
    auto plot = [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < width && y < height)
            pixels[static_cast<size_t>(y) * static_cast<size_t>(stride) + static_cast<size_t>(x)] =
                kJointCircleColor;
    };
    // Midpoint circle: one octant walked, mirrored into the other seven.
    int x = kJointCircleRadius, y = 0, error = 1 - kJointCircleRadius;
    while (x >= y) {
        const int points[8][2] = {{x, y},   {y, x},   {-y, x}, {-x, y},
                                  {-x, -y}, {-y, -x}, {y, -x}, {x, -y}};
        for (const auto& p : points) plot(cx + p[0], cy + p[1]);
        ++y;
        if (error < 0) {
            error += 2 * y + 1;
        } else {
            --x;
            error += 2 * (y - x) + 1;
        }
    }
}

}  // namespace studio
