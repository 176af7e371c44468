// The operations at scale, as the window runs them (sheets, then the render meshes rebuilt
// through the host): join, extrusion of "all" faces with the join, whole-model rotation.
#include <benchmark/benchmark.h>

#include <cmath>

#include "model/vector_text.h"
#include "modeller/ops/extrusion.h"
#include "modeller/ops/join_points.h"
#include "modeller/ops/ops_host.h"
#include "modeller/ops/whole_model.h"

namespace {

using namespace modeller::ops;

// A grid of side x side quads in z = 0; with own corners each quad writes its four points
// itself, so three of every four points are duplicates.
model::MeshModel Grid(int side, bool ownCorners) {
    model::MeshModel m;
    std::vector<std::string> points, faces;
    const int pointSide = side + 1;
    if (!ownCorners) {
        for (int y = 0; y < pointSide; ++y)
            for (int x = 0; x < pointSide; ++x)
                points.push_back(model::FormatVector(x * 0.5f, y * 0.5f, 0));
    }
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            if (ownCorners) {
                const auto base = static_cast<int32_t>(points.size());
                for (auto [dx, dy] : {std::pair{0, 0}, {0, 1}, {1, 1}, {1, 0}})
                    points.push_back(model::FormatVector((x + dx) * 0.5f, (y + dy) * 0.5f, 0));
                faces.push_back(model::JoinCorners({base, base + 1, base + 2, base + 3}));
            } else {
                const int32_t a = y * pointSide + x;
                faces.push_back(model::JoinCorners({a, a + pointSide, a + pointSide + 1, a + 1}));
            }
        }
    }
    m.points.ReplaceLines(std::move(points));
    m.faces.ReplaceLines(std::move(faces));
    m.faces.ResizeFaceArrays();
    return m;
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
        m.reset();
        state.ResumeTiming();
    }
}

void BM_JoinPoints(benchmark::State& state) {
    // Quads with their own corners: range(0) points, about three quarters duplicates.
    const int side = static_cast<int>(std::sqrt(static_cast<double>(state.range(0)) / 4));
    const model::MeshModel source = Grid(side, true);
    state.counters["points"] = static_cast<double>(source.points.lines.size());
    Measure(state, source, [](model::MeshModel& m, OpsHost& host) { ApplyJoinPoints(m, host); });
}
BENCHMARK(BM_JoinPoints)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_ExtrudeAllWithJoin(benchmark::State& state) {
    const auto side = static_cast<int>(std::sqrt(static_cast<double>(state.range(0))));
    const model::MeshModel source = Grid(side, false);
    state.counters["faces"] = static_cast<double>(source.faces.lines.size());
    ExtrusionSettings s;
    s.faceList = "all";
    s.vector = "0, 0, 1";
    Measure(state, source, [&](model::MeshModel& m, OpsHost& host) { ApplyExtrusion(m, host, s); });
}
BENCHMARK(BM_ExtrudeAllWithJoin)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_WholeModelRotate(benchmark::State& state) {
    const auto side = static_cast<int>(std::sqrt(static_cast<double>(state.range(0)))) - 1;
    const model::MeshModel source = Grid(side, false);
    state.counters["points"] = static_cast<double>(source.points.lines.size());
    WholeModelFields f = WholeModelFields::Open(WholeModelMemory{});
    f.kind = kWholeRotate;
    f.axisText = "1, 1, 0, 0.5, 0, 0";
    f.angleText = "30";
    const WholeModelOperation op = ValidateWholeModel(f).operation;
    Measure(state, source,
            [&](model::MeshModel& m, OpsHost& host) { ApplyWholeModel(m, host, op); });
}
BENCHMARK(BM_WholeModelRotate)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
