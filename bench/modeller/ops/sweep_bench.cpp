// The solid of revolution at scale as the window runs it (sheets, join, render meshes rebuilt
// through the host), beside the literal algorithm: a free-run scan from line 0 for every
// face and the pairwise search for coincident points. Both must give the same sheets.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

#include "model/free_run.h"
#include "model/vector_text.h"
#include "modeller/ops/face_copy.h"
#include "modeller/ops/revolution.h"
#include "modeller/ops/sheet_steps.h"
#include "modeller/ops/tidy_data.h"
#include "viewport/model_pane.h"

namespace {

using namespace modeller::ops;
using V3 = rm::Vector3;

// A vase wall's profile beside the y axis: a band of `faces` triangles between an inner and
// an outer line, sharing their points.
model::MeshModel Profile(int faces) {
    model::MeshModel m;
    std::vector<std::string> points, lines;
    const int rows = faces / 2 + 1;
    for (int i = 0; i < rows; ++i) {
        const float y = static_cast<float>(i) * 0.01f;
        const float x = 1 + 0.3f * std::sin(static_cast<float>(i) / 50);
        points.push_back(model::FormatVector(x, y, 0));
        points.push_back(model::FormatVector(x + 0.2f, y, 0));
    }
    for (int i = 0; i + 1 < rows; ++i) {
        const int32_t p = 2 * i, q = 2 * i + 1, p2 = 2 * i + 2, q2 = 2 * i + 3;
        lines.push_back(model::JoinCorners({p, q, q2}));
        lines.push_back(model::JoinCorners({p, q2, p2}));
    }
    m.points.ReplaceLines(std::move(points));
    m.faces.ReplaceLines(std::move(lines));
    m.faces.ResizeFaceArrays();
    return m;
}

RevolutionSettings Lathe(uint32_t divisions) {
    RevolutionSettings s;
    s.faceList = "all";
    s.divisions = divisions;
    return s;
}

// The steps as written: one mesh rebuild, then per face a scan of both sheets from line 0,
// a ring table, the faces, the source blanked; then the join by pairwise search. The closing
// ring takes the source coordinates, as the program does, so the two can be compared. A full
// turn of faces with no point on the axis, as the profile is: every side a quad in two.
void LiteralRevolution(model::MeshModel& m, OpsHost& host, const RevolutionSettings& s) {
    const std::vector<float> axisNumbers = [&] {
        std::vector<float> n = model::ParseNumberList(s.axis, 6);
        n.resize(6);
        return n;
    }();
    const V3 a{axisNumbers[0], axisNumbers[1], axisNumbers[2]};
    const V3 c{axisNumbers[3], axisNumbers[4], axisNumbers[5]};
    const auto n = static_cast<int32_t>(s.divisions);
    const bool full = s.angle == 360 || s.angle == -360;
    const float step =
        s.angle / static_cast<float>(n) / 360.0f * static_cast<float>(2 * std::numbers::pi);
    host.RebuildPointMarkers(viewport::kReparseAll | viewport::kNoRender);
    const rm::MeshBuilder& mesh = host.ModelMesh();
    const std::vector<uint8_t> status = m.faces.FaceStatus;
    const int32_t last = m.faces.maxLine;
    FaceGeometry g;
    for (int32_t f = 0; f <= last; ++f) {
        if (!(status[static_cast<size_t>(f)] & 1) || !ReadFace(mesh, static_cast<size_t>(f), g))
            continue;
        const auto k = static_cast<int32_t>(g.q.size());
        std::vector<bool> on(static_cast<size_t>(k));
        int32_t onCount = 0, perStep = 0;
        for (int32_t j = 0; j < k; ++j) {
            const V3 x = rm::Cross(a, g.p[static_cast<size_t>(j)] - c);
            on[static_cast<size_t>(j)] = x.x == 0 && x.y == 0 && x.z == 0;
            onCount += on[static_cast<size_t>(j)];
        }
        for (int32_t j = 0; j < k; ++j)
            perStep += 2 - on[static_cast<size_t>(j)] - on[static_cast<size_t>((j + 1) % k)];
        bool flag = false;
        for (int32_t j = 0; j < k; ++j)
            if (!on[static_cast<size_t>(j)]) {
                const V3 t = rm::Normalize(rm::Cross(a, g.p[static_cast<size_t>(j)] - c));
                flag = rm::Dot(t, rm::Normalize(g.normal)) >= 0;
                break;
            }
        const int32_t r = n * perStep;
        const int32_t first = model::FindFreeRunAndGrow(m.points, n * (k - onCount));
        int32_t f0 = model::FindFreeRun(m.faces, r);
        bool blank = false;
        if (full && f0 == f + 1)
            f0 = f;
        else
            blank = full;
        m.faces.GrowTo(f0 + r - 1);
        m.faces.ResizeFaceArrays();
        std::vector<int32_t> ring(static_cast<size_t>((n + 1) * k));
        int32_t next = first;
        for (int32_t i = 0; i < (n + 1) * k; ++i) {
            const int32_t j = i % k;
            ring[static_cast<size_t>(i)] =
                i < k || on[static_cast<size_t>(j)] ? g.q[static_cast<size_t>(j)] : next++;
        }
        for (int32_t ringNo = 1; ringNo <= n; ++ringNo)
            for (int32_t j = 0; j < k; ++j) {
                if (on[static_cast<size_t>(j)]) continue;
                const V3 p = g.p[static_cast<size_t>(j)];
                const V3 q = ringNo == n && full
                                 ? p
                                 : c + rm::Rotate(p - c, a, static_cast<float>(ringNo) * step);
                m.points.lines[static_cast<size_t>(ring[static_cast<size_t>(ringNo * k + j)])] =
                    model::FormatVector(q.x, q.y, q.z);
            }
        int32_t line = f0;
        for (int32_t st = 0; st < n; ++st)
            for (int32_t j = 0; j < k; ++j) {
                const int32_t j2 = (j + 1) % k;
                if (on[static_cast<size_t>(j)] && on[static_cast<size_t>(j2)]) continue;
                std::vector<int32_t> quad = {ring[static_cast<size_t>(st * k + j2)],
                                             ring[static_cast<size_t>(st * k + j)],
                                             ring[static_cast<size_t>((st + 1) * k + j)],
                                             ring[static_cast<size_t>((st + 1) * k + j2)]};
                if (flag) std::reverse(quad.begin(), quad.end());
                m.faces.lines[static_cast<size_t>(line++)] =
                    model::JoinCorners({quad[0], quad[1], quad[2]});
                m.faces.lines[static_cast<size_t>(line++)] =
                    model::JoinCorners({quad[0], quad[2], quad[3]});
            }
        if (blank) m.faces.lines[static_cast<size_t>(f)].clear();
    }
    ParseSheets(m);
    CompactPoints(m);
    const model::PointSheet& p = m.points;
    PointMapping mapping(p.lines.size());
    for (size_t i = 0; i < mapping.size(); ++i) {
        mapping[i] = static_cast<int32_t>(i);
        if (!(p.lineFlags[i] & 1)) continue;
        for (size_t j = 0; j < i; ++j)
            if ((p.lineFlags[j] & 1) && p.parsedVertices[j] == p.parsedVertices[i]) {
                mapping[i] = static_cast<int32_t>(j);
                break;
            }
    }
    RewriteFaces(m, mapping);
    ParseFaces(m);
    TidyParsedSheets(m);
    FinishOperation(host);
}

template <typename Run>
void Measure(benchmark::State& state, const model::MeshModel& source, Run run) {
    for (auto _ : state) {
        state.PauseTiming();
        auto m = std::make_unique<model::MeshModel>(source);
        viewport::ModelRenderObjects objects;
        HeadlessOpsHost host(*m, objects);
        state.ResumeTiming();
        run(*m, host);
        state.PauseTiming();
        state.counters["points"] = static_cast<double>(m->points.lines.size());
        state.counters["faces"] = static_cast<double>(m->faces.lines.size());
        m.reset();
        state.ResumeTiming();
    }
}

// range(0) profile faces, range(1) divisions, a full turn with the join.
void BM_RevolveWithJoin(benchmark::State& state) {
    const model::MeshModel source = Profile(static_cast<int>(state.range(0)));
    const RevolutionSettings s = Lathe(static_cast<uint32_t>(state.range(1)));
    Measure(state, source,
            [&](model::MeshModel& m, OpsHost& host) { ApplyRevolution(m, host, s); });
}
BENCHMARK(BM_RevolveWithJoin)->Args({1000, 100})->Args({100, 50})->Unit(benchmark::kMillisecond);

void BM_RevolveLiteral(benchmark::State& state) {
    const model::MeshModel source = Profile(static_cast<int>(state.range(0)));
    const RevolutionSettings s = Lathe(static_cast<uint32_t>(state.range(1)));
    {  // the same sheets as the program's, or the comparison means nothing
        model::MeshModel fast = source, literal = source;
        viewport::ModelRenderObjects o1, o2;
        HeadlessOpsHost h1(fast, o1), h2(literal, o2);
        ApplyRevolution(fast, h1, s);
        LiteralRevolution(literal, h2, s);
        if (fast.points.lines != literal.points.lines || fast.faces.lines != literal.faces.lines) {
            state.SkipWithError("the literal algorithm gave other sheets");
            return;
        }
    }
    Measure(state, source,
            [&](model::MeshModel& m, OpsHost& host) { LiteralRevolution(m, host, s); });
}
BENCHMARK(BM_RevolveLiteral)->Args({100, 50})->Unit(benchmark::kMillisecond);

// Face copy of every face of the profile in 100 steps: lines added one at a time.
void BM_FaceCopyWithJoin(benchmark::State& state) {
    const model::MeshModel source = Profile(static_cast<int>(state.range(0)));
    FaceCopySettings s;
    s.faceList = "all";
    s.divisions = 100;
    Measure(state, source, [&](model::MeshModel& m, OpsHost& host) { ApplyFaceCopy(m, host, s); });
}
BENCHMARK(BM_FaceCopyWithJoin)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
