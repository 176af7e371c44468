#include "modeller/ops/whole_model.h"

#include <cmath>
#include <numbers>

#include "model/vector_text.h"
#include "viewport/model_pane.h"

namespace modeller::ops {

WholeModelFields WholeModelFields::Open(const WholeModelMemory& memory) {
    WholeModelFields f;
    f.kind = kWholeMove;
    f.plane = 0;
    f.direction = memory.direction;
    f.moveText = memory.moveText;
    f.scaleText = memory.scaleText;
    f.axisText = memory.axisText;
    f.angleText = memory.angleText;
    return f;
}

WholeModelCheck ValidateWholeModel(const WholeModelFields& f) {
    WholeModelCheck check;
    WholeModelOperation& op = check.operation;
    op.kind = f.kind;
    op.direction = f.direction;
    op.plane = f.plane;
    switch (f.kind) {
        case kWholeMove:
            if (auto v = model::ParseVector(f.moveText))
                op.vector1 = *v;
            else
                check.message = kMissingNumbersText;
            break;
        case kWholeScale:
            if (auto v = model::ParseVector(f.scaleText)) {
                op.vector1 = *v;
            } else {
                const float s = model::ParseLeadingFloat(f.scaleText);
                op.vector1 = {s, s, s};
            }
            check.askZeroScale = op.vector1.x * op.vector1.y * op.vector1.z == 0;
            break;
        case kWholeRotate: {
            const std::vector<float> n = model::ParseNumberList(f.axisText, 99);
            if (n.size() < 6) {
                check.message = kMissingNumbersText;
                break;
            }
            op.vector1 = {n[0], n[1], n[2]};
            op.vector2 = {n[3], n[4], n[5]};
            const double degrees = model::ParseLeadingFloat(f.angleText);
            op.angle = static_cast<float>(degrees * 2 * std::numbers::pi / 360);
            break;
        }
        case kWholeFlip:
            break;
        default:
            check.message = kNoKindText;
            break;
    }
    return check;
}

void RememberWholeModel(const WholeModelFields& f, WholeModelMemory& memory) {
    switch (f.kind) {
        case kWholeMove:
            memory.moveText = f.moveText;
            break;
        case kWholeScale:
            memory.scaleText = f.scaleText;
            break;
        case kWholeRotate:
            memory.axisText = f.axisText;
            memory.angleText = f.angleText;
            memory.direction = f.direction;
            break;
        default:
            break;
    }
}

namespace {

struct Rotation {
    model::Vertex c;
    float m[3][3];
};

Rotation MakeRotation(const WholeModelOperation& op) {
    model::Vertex a = op.vector1;
    if (op.direction == 1) a = {-a.x, -a.y, -a.z};
    const float len2 = a.x * a.x + a.y * a.y + a.z * a.z;
    if (len2 <= 1e-10f) {
        a = {};
    } else if (std::fabs(len2 - 1.0f) > 0.00001f) {
        const float len = std::sqrt(len2);
        a = {a.x / len, a.y / len, a.z / len};
    }
    const float k = std::cos(op.angle), s = std::sin(op.angle), t = 1 - k;
    const float x = a.x, y = a.y, z = a.z;
    return {op.vector2,
            {{t * x * x + k, t * x * y - s * z, t * x * z + s * y},
             {t * x * y + s * z, t * y * y + k, t * y * z - s * x},
             {t * x * z - s * y, t * y * z + s * x, t * z * z + k}}};
}

model::Vertex Rotate(const Rotation& r, const model::Vertex& p) {
    const float qx = p.x - r.c.x, qy = p.y - r.c.y, qz = p.z - r.c.z;
    return {r.c.x + (qx * r.m[0][0] + qy * r.m[0][1] + qz * r.m[0][2]),
            r.c.y + (qx * r.m[1][0] + qy * r.m[1][1] + qz * r.m[1][2]),
            r.c.z + (qx * r.m[2][0] + qy * r.m[2][1] + qz * r.m[2][2])};
}

}  // namespace

model::Vertex TransformPoint(const WholeModelOperation& op, const model::Vertex& p) {
    const model::Vertex& v = op.vector1;
    switch (op.kind) {
        case kWholeMove:
            return {p.x + v.x, p.y + v.y, p.z + v.z};
        case kWholeScale:
            return {p.x * v.x, p.y * v.y, p.z * v.z};
        case kWholeRotate:
            return Rotate(MakeRotation(op), p);
        case kWholeFlip:
            return {op.plane == 0 ? -p.x : p.x, op.plane == 1 ? -p.y : p.y,
                    op.plane == 2 ? -p.z : p.z};
        default:
            return p;
    }
}

OpsResult ApplyWholeModel(model::MeshModel& m, OpsHost& host, const WholeModelOperation& op) {
    host.RebuildPointMarkers(viewport::kReparseAll | viewport::kNoRender);
    const model::Vertex& v = op.vector1;
    if (op.kind == kWholeScale && std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z) == 0)
        return {false, "scale by a zero vector"};
    model::PointSheet& p = m.points;
    const Rotation rotation = MakeRotation(op);
    for (size_t i = 0; i < p.lines.size() && i < p.lineFlags.size(); ++i) {
        if (!(p.lineFlags[i] & model::PointSheet::kFlagValid)) continue;
        const model::Vertex q = op.kind == kWholeRotate ? Rotate(rotation, p.parsedVertices[i])
                                                        : TransformPoint(op, p.parsedVertices[i]);
        p.lines[i] = model::FormatVector(q);
    }
    if (op.kind == kWholeFlip) {
        model::FaceSheet& f = m.faces;
        for (size_t i = 0; i < f.lines.size() && i < f.FaceStatus.size(); ++i)
            if (f.FaceStatus[i] & model::FaceSheet::kStatusValid)
                f.lines[i] = model::ReverseFaceLine(f.lines[i]);
    }
    host.RebuildPointMarkers(viewport::kReparseAll | viewport::kNoRender);
    host.SetModified();
    host.RefreshScreens();
    return {};
}

}  // namespace modeller::ops
