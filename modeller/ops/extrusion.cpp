#include "modeller/ops/extrusion.h"

#include <algorithm>
#include <cmath>

#include "model/free_run.h"
#include "model/vector_text.h"
#include "modeller/ops/join_points.h"
#include "modeller/ops/sheet_steps.h"
#include "modeller/ops/tidy_data.h"
#include "viewport/model_pane.h"

namespace modeller::ops {

namespace {

using V3 = rm::Vector3;

V3 Divide(const V3& a, float d) {
    return {a.x / d, a.y / d, a.z / d};
}

// Writes a face line, its items reversed when asked, at a place inside the grown sheet.
void WriteFace(model::FaceSheet& faces, int32_t line, std::span<int32_t> items,
               bool reverse = false) {
    if (reverse) std::reverse(items.begin(), items.end());
    JoinCornersInto(items, faces.lines[static_cast<size_t>(line)]);
}

struct Writer {
    model::MeshModel& m;
    const ExtrusionSettings& s;
    V3 vector;
    model::FreeRunIndex pointRuns{m.points};
    model::FreeRunIndex faceRuns{m.faces};

    // A block of n point lines, the sheet grown to hold it.
    int32_t PointBlock(int32_t n) {
        const int32_t start = pointRuns.Find(n);
        m.points.GrowTo(start + n - 1);
        pointRuns.Filled(start, n);
        return start;
    }
    int32_t FaceBlock(int32_t n) {
        const int32_t start = faceRuns.Find(n);
        m.faces.GrowTo(start + n - 1);
        faceRuns.Filled(start, n);
        return start;
    }
    void FlipSource(int32_t f) {
        std::string& line = m.faces.lines[static_cast<size_t>(f)];
        line = model::ReverseFaceLine(line);
    }

    void Cone(int32_t f, const FaceGeometry& g) {
        const auto k = static_cast<int32_t>(g.q.size());
        const V3 apex = vector;
        const bool reversed = rm::Dot(g.normal, apex - g.p[0]) > 0;
        const int32_t a = PointBlock(1);
        m.points.lines[static_cast<size_t>(a)] = model::FormatVector(apex.x, apex.y, apex.z);
        const int32_t b = FaceBlock(k);
        for (int32_t i = 0; i < k; ++i) {
            const int32_t qi = g.q[static_cast<size_t>(i)];
            const int32_t qn = g.q[static_cast<size_t>((i + 1) % k)];
            int32_t items[] = {a, qn, qi};
            WriteFace(m.faces, b + i, items, reversed);
        }
        if (reversed && s.flipSource) FlipSource(f);
    }

    void Prism(int32_t f, const FaceGeometry& g, const V3& v) {
        const auto k = static_cast<int32_t>(g.q.size());
        const auto n = static_cast<int32_t>(s.divisions);
        const float dot = rm::Dot(g.normal, v);
        const int state = dot > 0 ? 1 : (dot == 0 ? -1 : 0);
        const int32_t pointCount = n * k;
        const int32_t faceCount = s.quads ? n * k + 1 : 2 * n * k + 1;
        const int32_t first = PointBlock(pointCount);
        const int32_t f0 = FaceBlock(faceCount);

        const V3 step = Divide(v, static_cast<float>(n));
        for (int32_t w = 0; w < pointCount; ++w) {
            const V3 offset = step * static_cast<float>(w / k + 1);
            const V3 p = g.p[static_cast<size_t>(w % k)] + offset;
            m.points.lines[static_cast<size_t>(first + w)] = model::FormatVector(p.x, p.y, p.z);
        }
        for (int32_t r = 0; r < n; ++r) {
            for (int32_t i = 0; i < k; ++i) {
                const int32_t i2 = (i + 1) % k;
                int32_t quad[4];
                if (r == 0) {
                    quad[0] = g.q[static_cast<size_t>(i2)];
                    quad[1] = g.q[static_cast<size_t>(i)];
                    quad[2] = first + i;
                    quad[3] = first + i2;
                } else {
                    quad[0] = first + (r - 1) * k + i2;
                    quad[1] = first + (r - 1) * k + i;
                    quad[2] = first + r * k + i;
                    quad[3] = first + r * k + i2;
                }
                if (state == 1) std::reverse(std::begin(quad), std::end(quad));
                if (s.quads) {
                    WriteFace(m.faces, f0 + r * k + i, quad);
                } else {
                    const int32_t line = f0 + 2 * (r * k + i);
                    int32_t first3[] = {quad[0], quad[1], quad[2]};
                    int32_t second3[] = {quad[0], quad[2], quad[3]};
                    WriteFace(m.faces, line, first3);
                    WriteFace(m.faces, line + 1, second3);
                }
            }
        }
        std::vector<int32_t> cap(static_cast<size_t>(k));
        for (int32_t i = 0; i < k; ++i) cap[static_cast<size_t>(i)] = first + (n - 1) * k + i;
        WriteFace(m.faces, f0 + faceCount - 1, cap, state == 0);
        if (state == 1 && s.flipSource) FlipSource(f);
    }
};

}  // namespace

std::string ValidateExtrusion(const ExtrusionSettings& s) {
    if (s.faceList.empty()) return kNoFaceListText;
    if (model::ParseNumberList(s.vector, 3).size() < 3) return kBadVectorText;
    if (s.divisions < 1) return kBadDivisionsText;
    return {};
}

OpsResult ApplyExtrusion(model::MeshModel& m, OpsHost& host, const ExtrusionSettings& s) {
    if (std::string message = ValidateExtrusion(s); !message.empty()) return {false, message};
    const model::FaceIndexList list = model::ParseFaceIndexList(s.faceList);
    const std::vector<float> n = model::ParseNumberList(s.vector, 3);
    const V3 vector{n[0], n[1], n[2]};

    host.RebuildPointMarkers(viewport::kReparseAll | viewport::kNoRender);
    const rm::MeshBuilder& mesh = host.ModelMesh();
    // Validity as this rebuild found it: faces written below are never extruded themselves.
    const std::vector<uint8_t> status = m.faces.FaceStatus;
    const int32_t lastFace = m.faces.maxLine;

    V3 prismVector = vector;
    if (!s.cone && s.useLength) {
        const float len = std::sqrt(rm::Dot(vector, vector));
        // A zero vector has no direction: it stays zero rather than filling the sheet with
        // the results of 0 / 0.
        prismVector = len > 0 ? Divide(vector, len) * s.length : V3{};
    }

    // Corners of a face this run extrudes, or 0.
    auto corners = [&](int32_t f) -> int64_t {
        if (f < 0 || f > lastFace || static_cast<size_t>(f) >= status.size() ||
            !(status[static_cast<size_t>(f)] & model::FaceSheet::kStatusValid) ||
            static_cast<size_t>(f) >= mesh.FaceCount())
            return 0;
        return std::max(mesh.FaceVertexCount(static_cast<size_t>(f)), 0);
    };
    auto forEachListed = [&](auto&& run) {
        if (list.all) {
            for (int32_t f = 0; f <= lastFace; ++f) run(f);
        } else {
            for (int32_t f : list.indices) run(f);
        }
    };
    // A division count the sheets could never hold fails the command before anything is
    // written, instead of exhausting memory on the way.
    int64_t newPoints = 0, newFaces = 0;
    forEachListed([&](int32_t f) {
        const int64_t k = corners(f), slices = s.cone ? 1 : int64_t{s.divisions};
        if (k == 0) return;
        newPoints += s.cone ? 1 : slices * k;
        newFaces += s.cone ? k : (s.quads ? 1 : 2) * slices * k + 1;
    });
    if (newPoints > kMaxNewLines || newFaces > kMaxNewLines) return {false, kTooLargeText};

    Writer writer{m, s, vector};
    FaceGeometry g;
    forEachListed([&](int32_t f) {
        if (corners(f) == 0 || !ReadFace(mesh, static_cast<size_t>(f), g)) return;
        if (s.cone)
            writer.Cone(f, g);
        else
            writer.Prism(f, g, prismVector);
    });

    if (s.noJoin) {
        host.RebuildPointMarkers(viewport::kReparseAll | viewport::kNoRender);
        host.SetModified();
        host.RefreshScreens();
    } else {
        host.SetBusy(true);
        JoinSheets(m);
        FinishOperation(host);
        host.SetBusy(false);
    }
    return {};
}

}  // namespace modeller::ops
