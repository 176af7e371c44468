#include "modeller/ops/plane_figure.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/free_run.h"
#include "model/vector_text.h"
#include "modeller/ops/extrusion.h"
#include "modeller/ops/sheet_steps.h"
#include "viewport/model_pane.h"

namespace modeller::ops {

namespace {

rm::Vector3 AxisVector(int32_t axis) {
    switch (axis) {
        case PlaneFigureOptions::kAxisZ:
            return {0, 0, 1};
        case PlaneFigureOptions::kAxisX:
            return {1, 0, 0};
        default:
            return {0, 1, 0};
    }
}

float Component(rm::Vector3 v, int32_t axis) {
    return axis == PlaneFigureOptions::kAxisZ   ? v.z
           : axis == PlaneFigureOptions::kAxisX ? v.x
                                                : v.y;
}

}  // namespace

std::string PlaneText(const PlanePaintState& s) {
    return model::FormatVector(s.normal.x, s.normal.y, s.normal.z) + ", " +
           model::FormatVector(s.point.x, s.point.y, s.point.z);
}

std::optional<PlaneEquation> ParsePlaneText(std::string_view text) {
    const std::vector<float> n = model::ParseNumberList(text, 6);
    if (n.size() < 6) return std::nullopt;
    PlaneEquation e{{n[0], n[1], n[2]}, {n[3], n[4], n[5]}};
    // Every later step divides by the normal's length.
    if (!(rm::Length(e.normal) > 0)) return std::nullopt;
    return e;
}

rm::Vector3 ProjectOntoPlane(rm::Vector3 x, rm::Vector3 n, rm::Vector3 p) {
    const float length = rm::Length(n);
    if (!(length > 0)) return x;
    const float distance = std::fabs(rm::Dot(n, x - p)) / length;
    if (distance == 0) return x;
    const rm::Vector3 offset = n * (distance / length);
    return rm::Dot(n, p - x) >= 0 ? x + offset : x - offset;
}

std::optional<LineHit> IntersectPlaneLine(rm::Vector3 n, rm::Vector3 p, rm::Vector3 d,
                                          rm::Vector3 q) {
    const float length = rm::Length(n);
    const rm::Vector3 direction = rm::Normalize(d);
    if (!(length > 0) || direction == rm::Vector3{}) return std::nullopt;
    const float distance = std::fabs(rm::Dot(n, q - p)) / length;
    if (distance == 0) return LineHit{q, 0};
    // The normal turned toward the plane as seen from q.
    const rm::Vector3 toward = rm::Normalize(rm::Dot(n, p - q) >= 0 ? n : -n);
    const float c = rm::Dot(toward, direction);
    if (c == 0) return std::nullopt;  // parallel: no point, rather than infinities
    const float t = distance / c;
    return LineHit{q + direction * t, t};
}

std::optional<PlaneFrame> MakePlaneFrame(rm::Vector3 origin, rm::Vector3 n, rm::Vector3 p,
                                         rm::Vector3 camera, int32_t axis) {
    const rm::Vector3 unit = rm::Normalize(n);
    if (unit == rm::Vector3{}) return std::nullopt;
    PlaneFrame f;
    f.origin = origin;
    f.forward = rm::Dot(n, p - camera) >= 0 ? unit : -unit;
    int32_t upAxis = axis == PlaneFigureOptions::kAxisZ || axis == PlaneFigureOptions::kAxisX
                         ? axis
                         : PlaneFigureOptions::kAxisY;
    const float along = Component(unit, upAxis);
    if (along == 1 || along == -1)
        upAxis = upAxis == PlaneFigureOptions::kAxisY ? PlaneFigureOptions::kAxisZ
                                                      : PlaneFigureOptions::kAxisY;
    f.right = rm::Normalize(rm::Cross(AxisVector(upAxis), f.forward));
    if (f.right == rm::Vector3{}) {
        // A normal a rounding step away from the axis: the fallback axis serves.
        upAxis = upAxis == PlaneFigureOptions::kAxisY ? PlaneFigureOptions::kAxisZ
                                                      : PlaneFigureOptions::kAxisY;
        f.right = rm::Normalize(rm::Cross(AxisVector(upAxis), f.forward));
    }
    f.up = rm::Cross(f.forward, f.right);
    return f;
}

std::vector<Point2> FigureOutline(float w, float h, const PlaneFigureOptions& o) {
    if (o.equalRatio) {
        const float m = std::min(std::fabs(w), std::fabs(h));
        w = std::copysign(m, w);
        h = std::copysign(m, h);
    }
    if (o.shape != PlaneFigureOptions::kCircle) {
        if (o.splitHalf) w /= 2;
        const float xl = std::min(w, 0.0f), xr = std::max(w, 0.0f);
        const float yb = std::min(h, 0.0f), yt = std::max(h, 0.0f);
        return {{xl, yt}, {xr, yt}, {xr, yb}, {xl, yb}};
    }
    const uint32_t n = o.divisions;
    if (n == 0 || n > kMaxFigurePoints) return {};
    const float cx = w / 2, cy = h / 2, rx = std::fabs(w) / 2, ry = std::fabs(h) / 2;
    // Point n is point 0 again, so one or two divisions never read past the ring.
    auto at = [&](uint32_t i) {
        const float theta = (0.25f - static_cast<float>(i % n) / static_cast<float>(n)) * 2.0f *
                            std::numbers::pi_v<float>;
        return Point2{cx + rx * std::cos(theta), cy + ry * std::sin(theta)};
    };
    std::vector<Point2> out;
    if (!o.splitHalf) {
        out.reserve(n);
        for (uint32_t i = 0; i < n; ++i) out.push_back(at(i));
        return out;
    }
    const uint32_t m = n / 2;
    if (n % 2 == 1) {
        const Point2 a = at(m), b = at(m + 1);
        const Point2 mid{(a.x + b.x) / 2, (a.y + b.y) / 2};
        if (w >= 0) {
            out.push_back(mid);
            for (uint32_t i = m + 1; i < n; ++i) out.push_back(at(i));
            out.push_back(at(0));
        } else {
            for (uint32_t i = 0; i <= m; ++i) out.push_back(at(i));
            out.push_back(mid);
        }
    } else if (w > 0) {
        for (uint32_t i = m; i < n; ++i) out.push_back(at(i));
        out.push_back(at(0));
    } else {
        for (uint32_t i = 0; i <= m; ++i) out.push_back(at(i));
    }
    return out;
}

std::vector<rm::Vector3> FigurePoints(rm::Vector3 a, rm::Vector3 b, const PlanePaintState& s,
                                      rm::Vector3 camera) {
    a = ProjectOntoPlane(a, s.normal, s.point);
    b = ProjectOntoPlane(b, s.normal, s.point);
    const std::optional<PlaneFrame> frame =
        MakePlaneFrame(a, s.normal, s.point, camera, s.options.axis);
    if (!frame) return {};
    const rm::Vector3 d = b - a;
    std::vector<rm::Vector3> out;
    for (const Point2& q :
         FigureOutline(rm::Dot(d, frame->right), rm::Dot(d, frame->up), s.options))
        out.push_back(frame->ToWorld(q.x, q.y));
    return out;
}

OpsResult ApplyPlaneFigure(model::MeshModel& m, OpsHost& host, const PlanePaintState& s,
                           rm::Vector3 a, rm::Vector3 b, rm::Vector3 camera) {
    if (s.options.shape == PlaneFigureOptions::kCircle && s.options.divisions > kMaxFigurePoints)
        return {false, kTooLargeText};
    const std::vector<rm::Vector3> points = FigurePoints(a, b, s, camera);
    if (points.empty()) return {false, {}};

    model::PointSheet& sheet = m.points;
    std::vector<int32_t> numbers;
    numbers.reserve(points.size());
    int32_t from = 0;
    for (const rm::Vector3& q : points) {
        const int32_t line = model::FindFirstEmptyLine(sheet, from);
        sheet.GrowTo(line);
        sheet.lines[static_cast<size_t>(line)] = model::FormatVector(q.x, q.y, q.z);
        numbers.push_back(line);
        from = line + 1;
    }
    const int32_t face = model::FindFreeRun(m.faces, 1);
    m.faces.GrowTo(face);
    m.faces.ResizeFaceArrays();
    JoinCornersInto(numbers, m.faces.lines[static_cast<size_t>(face)]);

    host.RebuildPointMarkers(viewport::kReparseAll);
    host.SetModified();
    host.RefreshScreens();
    return {};
}

}  // namespace modeller::ops
