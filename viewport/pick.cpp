#include "viewport/pick.h"

#include <algorithm>

namespace viewport {

rm::Vector3 PickRay(const rm::Frame& camera, const rm::Viewport& viewport, const PaneRect& pane,
                    int x, int y) {
    const float half = 0.5f * static_cast<float>(std::max(viewport.Width(), viewport.Height()));
    if (half <= 0.0f) return {};
    const float nx =
        (static_cast<float>(x - pane.x) - 0.5f * static_cast<float>(pane.width)) / half;
    const float ny =
        (0.5f * static_cast<float>(pane.height) - static_cast<float>(y - pane.y)) / half;

    rm::Vector3 d, u;
    camera.GetOrientation({}, d, u);
    const rm::Vector3 r = rm::Normalize(rm::Cross(u, d));
    // The front plane is where the field spans the pane; scaled up to keep the sum exact.
    const float f = viewport.Front() * 128.0f, w = viewport.Field() * 128.0f;
    return rm::Normalize(d * f + r * (w * nx) + u * (w * ny));
}

int32_t PickVertex(const rm::Frame& camera, const rm::Viewport& viewport, const PaneRect& pane,
                   const rm::Frame& markerFrame, const rm::MeshBuilder& markers, int x, int y) {
    const rm::Vector3 p = PickRay(camera, viewport, pane, x, y);
    if (rm::Length(p) == 0.0f) return -1;
    const float tolerance = rm::Length(p - PickRay(camera, viewport, pane, x + kPickRadius, y));
    const rm::Vector3 c = camera.Position();
    const rm::Matrix4 toRoot = markerFrame.WorldTransform();

    int32_t best = -1;
    float bestDistance = 0.0f;
    const std::vector<rm::Vector3>& vertices = markers.Vertices();
    for (size_t i = 0; i < vertices.size(); ++i) {
        const rm::Vector3 toVertex = toRoot.TransformPoint(vertices[i]) - c;
        const float distance = rm::Length(toVertex);
        if (distance == 0.0f) continue;
        if (rm::Length(toVertex * (1.0f / distance) - p) > tolerance) continue;
        // Strictly nearer only, so the lower number keeps a tie.
        if (best < 0 || distance < bestDistance) {
            best = static_cast<int32_t>(i);
            bestDistance = distance;
        }
    }
    return best;
}

FacePick PickFace(const rm::Viewport& viewport, const PaneRect& pane, const rm::Frame& modelFrame,
                  int x, int y) {
    FacePick result;
    const int vx = x - pane.x, vy = y - pane.y;
    if (vx < 0 || vy < 0 || vx >= viewport.Width() || vy >= viewport.Height()) return result;
    const std::vector<rm::PickHit> hits = viewport.Pick(modelFrame, vx, vy);
    if (hits.empty()) return result;
    result.mesh = std::dynamic_pointer_cast<rm::MeshBuilder>(hits.front().visual);
    if (!result.mesh) {
        result.notAMesh = true;
        return result;
    }
    result.face = hits.front().face;
    return result;
}

}  // namespace viewport
