// Plane paint (平面ペイント) and plane figures: a rectangle or an ellipse polygon drawn on a
// plane given by its normal and a point, from two corners on that plane.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "modeller/ops/ops_host.h"
#include "platform/rm/vector.h"

namespace modeller::ops {

// 平面図形のオプション, remembered for the program run.
struct PlaneFigureOptions {
    enum Shape : int32_t { kRectangle = 0, kCircle = 1 };
    enum Axis : int32_t { kAxisY = 0, kAxisZ = 1, kAxisX = 2 };
    int32_t shape = kRectangle;  // 四角を描く / 円を描く
    uint32_t divisions = 0;      // 円の分割数
    bool equalRatio = false;     // 縦と横の比率を同じにする
    bool splitTriangles = false;  // 三角形に分断する: kept and shown; a figure is always one face
    bool splitHalf = false;  // 半分に分断する
    int32_t axis = kAxisY;   // 平面図形の軸の基準
    friend bool operator==(const PlaneFigureOptions&, const PlaneFigureOptions&) = default;
};

// The plane and the mode, for the program run.
struct PlanePaintState {
    rm::Vector3 normal{}, point{};
    bool modeOn = false;
    PlaneFigureOptions options;
};

inline constexpr const char* kCannotConvertText = "変換できません";
// One figure never writes more points than this (a division count can be any unsigned).
inline constexpr uint32_t kMaxFigurePoints = 1'000'000;

// The plane as the dialog shows it: "nx, ny, nz, px, py, pz".
std::string PlaneText(const PlanePaintState& state);
// The first two triples of a number list; nothing when fewer than six numbers are given
// or the normal is zero (no plane has it).
struct PlaneEquation {
    rm::Vector3 normal, point;
};
std::optional<PlaneEquation> ParsePlaneText(std::string_view text);

// X moved along the normal onto the plane; a point on it stays as it is. A zero normal
// leaves X where it is.
rm::Vector3 ProjectOntoPlane(rm::Vector3 x, rm::Vector3 normal, rm::Vector3 point);

// Where the line through q with direction d meets the plane, with the parameter t along the
// normalised direction (q + t·d/|d|). Nothing for a zero normal or direction, or a line
// parallel to the plane.
struct LineHit {
    rm::Vector3 at;
    float t = 0;
};
std::optional<LineHit> IntersectPlaneLine(rm::Vector3 normal, rm::Vector3 point, rm::Vector3 d,
                                          rm::Vector3 q);

// The figure's frame: origin at the first corner, forward along the normal turned away from
// the camera, up along the reference axis (falling back when the normal lies on it), right
// completing the left-handed frame. Nothing for a zero normal.
struct PlaneFrame {
    rm::Vector3 origin, right, up, forward;
    rm::Vector3 ToWorld(float x, float y) const { return origin + right * x + up * y; }
};
std::optional<PlaneFrame> MakePlaneFrame(rm::Vector3 origin, rm::Vector3 normal, rm::Vector3 point,
                                         rm::Vector3 camera, int32_t axis);

struct Point2 {
    float x = 0, y = 0;
};
// The polygon in the frame, clockwise as the viewer sees it, for the second corner at
// local (w, h).
std::vector<Point2> FigureOutline(float w, float h, const PlaneFigureOptions& options);

// The world points of the figure from corner a (first) to b (second), both projected onto
// the plane first. Empty for a zero normal.
std::vector<rm::Vector3> FigurePoints(rm::Vector3 a, rm::Vector3 b, const PlanePaintState& state,
                                      rm::Vector3 camera);

// Writes the figure: each point into the first exactly empty point line (else appended), the
// face of the new point numbers into the first blank face line (else appended); rebuilds,
// marks the document modified and refreshes the screens. A figure of no points (a zero
// normal, a circle of 0 divisions) changes nothing and is !ok with an empty message; one of
// more than kMaxFigurePoints is refused with "Error!".
OpsResult ApplyPlaneFigure(model::MeshModel& model, OpsHost& host, const PlanePaintState& state,
                           rm::Vector3 a, rm::Vector3 b, rm::Vector3 camera);

}  // namespace modeller::ops
