#include "viewport/fit_camera.h"

#include <algorithm>
#include <cmath>

namespace viewport {

namespace {

// Doubles: a model far from the origin still frames to the pixel.
struct D3 {
    double x = 0, y = 0, z = 0;
};
D3 ToD(rm::Vector3 v) {
    return {v.x, v.y, v.z};
}
double Dot(D3 a, D3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
D3 Cross(D3 a, D3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
D3 Unit(D3 a) {
    const double len = std::sqrt(Dot(a, a));
    return len > 0 ? D3{a.x / len, a.y / len, a.z / len} : D3{};
}
bool Finite(rm::Vector3 v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// The camera's up axis for a unit direction.
D3 LevelUp(D3 dir) {
    D3 up = Cross(dir, Unit(Cross({0, 1, 0}, dir)));
    if (Dot(up, up) < 0.5) up = Cross(dir, Unit(Cross({0, 0, 1}, dir)));  // straight up or down
    return Unit(up);
}

}  // namespace

rm::Vector3 LevelUpVector(rm::Vector3 direction) {
    const D3 dir = Unit(ToD(direction));
    if (Dot(dir, dir) == 0) return {};
    const D3 up = LevelUp(dir);
    return {static_cast<float>(up.x), static_cast<float>(up.y), static_cast<float>(up.z)};
}

std::optional<CameraFit> FitCamera(std::span<const std::span<const rm::Vector3>> vertexLists,
                                   const FitView& view) {
    const D3 dir = Unit(ToD(view.direction));
    if (Dot(dir, dir) == 0 || view.width <= 0 || view.height <= 0 || !(view.front > 0) ||
        !(view.field > 0) || !(view.fill > 0))
        return std::nullopt;
    const D3 up = LevelUp(dir), right = Cross(up, dir);  // x = y cross z, as frames are made

    bool any = false;
    D3 lo{}, hi{};
    for (std::span<const rm::Vector3> list : vertexLists)
        for (rm::Vector3 v : list) {
            if (!Finite(v)) continue;
            const D3 p = ToD(v);
            lo = any ? D3{std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)} : p;
            hi = any ? D3{std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)} : p;
            any = true;
        }
    if (!any) return std::nullopt;
    const D3 centre{(lo.x + hi.x) / 2, (lo.y + hi.y) / 2, (lo.z + hi.z) / 2};

    // The engine maps +-field at the front distance to +-max(width, height) / 2 pixels.
    const double larger = std::max(view.width, view.height);
    const double slope = static_cast<double>(view.field) / view.front;
    const double tx = slope * view.width / larger * view.fill;
    const double ty = slope * view.height / larger * view.fill;
    // A vertex at (x, y, z) from the centre, seen from distance d, needs |x| <= tx (z + d)
    // and |y| <= ty (z + d), and must stay beyond the front plane.
    double distance = 0;
    for (std::span<const rm::Vector3> list : vertexLists)
        for (rm::Vector3 v : list) {
            if (!Finite(v)) continue;
            const D3 p = ToD(v), q{p.x - centre.x, p.y - centre.y, p.z - centre.z};
            const double x = Dot(q, right), y = Dot(q, up), z = Dot(q, dir);
            distance = std::max(
                {distance, std::abs(x) / tx - z, std::abs(y) / ty - z, 2.0 * view.front - z});
        }
    // A single point has no size: any distance shows it; one unit is a familiar one.
    if (lo.x == hi.x && lo.y == hi.y && lo.z == hi.z) distance = 1.0;

    CameraFit fit;
    fit.position = {static_cast<float>(centre.x - dir.x * distance),
                    static_cast<float>(centre.y - dir.y * distance),
                    static_cast<float>(centre.z - dir.z * distance)};
    fit.lookAt = {static_cast<float>(centre.x), static_cast<float>(centre.y),
                  static_cast<float>(centre.z)};
    fit.up = {static_cast<float>(up.x), static_cast<float>(up.y), static_cast<float>(up.z)};
    return fit;
}

}  // namespace viewport
