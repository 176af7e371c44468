// One 640x480 frame of a lit sphere at several sizes and qualities, and a pick.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "bench/platform/rm/sphere_scene.h"

namespace rm::bench {
namespace {

void Report(benchmark::State& state, const SphereScene& s, const char* label) {
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["triangles/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * static_cast<double>(s.triangles),
        benchmark::Counter::kIsRate);
    if (const char* dir = std::getenv("RM_BENCH_DUMP")) {
        std::string path =
            std::string(dir) + "/" + label + "_" + std::to_string(state.range(0)) + ".ppm";
        s.Dump(path.c_str());
    }
}

// Stacks and slices giving 10,000 and 100,000 triangles.
int Stacks(int64_t tris) {
    return tris == 10000 ? 50 : 200;
}
int Slices(int64_t tris) {
    return tris == 10000 ? 100 : 250;
}

void RenderSphere(benchmark::State& state, int quality, bool textured, const char* label) {
    SphereScene s(Stacks(state.range(0)), Slices(state.range(0)), quality);
    if (textured) {
        s.mesh->SetTexture(CheckerTexture());
        s.mesh->SetPerspective(true);
    }
    s.Frame();  // warm: builds the mesh's render data once
    for (auto _ : state) {
        s.Frame();
        benchmark::ClobberMemory();
    }
    Report(state, s, label);
}

void BM_GouraudSphere(benchmark::State& state) {
    RenderSphere(state, kQualityGouraud, false, "gouraud");
}
void BM_FlatSphere(benchmark::State& state) {
    RenderSphere(state, kQualityFlat, false, "flat");
}
void BM_WireframeSphere(benchmark::State& state) {
    RenderSphere(state, kQualityWireframe, false, "wireframe");
}
void BM_TexturedGouraudSphere(benchmark::State& state) {
    RenderSphere(state, kQualityGouraud, true, "textured");
}

void BM_Pick(benchmark::State& state) {
    SphereScene s(Stacks(state.range(0)), Slices(state.range(0)), kQualityGouraud);
    s.Frame();
    int n = 0;
    for (auto _ : state) {
        auto hits = s.viewport->Pick(320 + (n++ % 40), 240);
        benchmark::DoNotOptimize(hits);
    }
    state.counters["picks/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_GouraudSphere)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FlatSphere)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WireframeSphere)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TexturedGouraudSphere)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Pick)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace rm::bench

BENCHMARK_MAIN();
