// mokkel-tool on large files, run as a user runs it: a separate process per iteration, its
// wall time and its peak resident memory (the kernel's count for the child).
//   convert: a text X file of 1,000,000 vertices and 1,996,002 triangles to .mkl
//   render:  that X file, and a model file of 1,000,000 points and 1,000,000 faces
//   convert: that model file (1,000,000 triangles) to .glb and to .obj
// Set MOKKEL_ASSIMP_LOAD to the peer program's path (see the peers' README) to load the same
// X file with assimp beside it.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "model/model_file.h"
#include "model/vector_text.h"
#include "tests/support/temp_dir.h"

extern char** environ;

namespace {

constexpr int kRows = 1000, kColumns = 1000;  // 1,000,000 vertices

struct Files {
    testing_support::TempDir dir;
    std::string x = dir.File("grid.x"), mkl = dir.File("grid.mkl");

    Files() {
        WriteX();
        WriteModel();
    }

    // A rippled sheet, two triangles per grid cell, written as text like any exporter would.
    void WriteX() const {
        std::FILE* f = std::fopen(x.c_str(), "wb");
        if (!f) std::abort();
        std::fprintf(f, "xof 0303txt 0032\n\nMesh grid {\n %d;\n", kRows * kColumns);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kColumns; ++c) {
                const float u = -1 + 2.0f * c / kColumns, v = -1 + 2.0f * r / kRows;
                const bool last = r == kRows - 1 && c == kColumns - 1;
                std::fprintf(f, " %.6f;%.6f;%.6f;%s\n", u, v,
                             0.1f * std::sin(5 * u) * std::cos(5 * v), last ? ";" : ",");
            }
        const int triangles = 2 * (kRows - 1) * (kColumns - 1);
        std::fprintf(f, " %d;\n", triangles);
        int written = 0;
        for (int r = 0; r + 1 < kRows; ++r)
            for (int c = 0; c + 1 < kColumns; ++c) {
                const int a = r * kColumns + c, b = a + kColumns;
                written += 2;
                std::fprintf(f, " 3;%d,%d,%d;,\n 3;%d,%d,%d;%s\n", a, b, a + 1, a + 1, b, b + 1,
                             written == triangles ? ";" : ",");
            }
        std::fprintf(f, "}\n");
        if (std::fclose(f) != 0) std::abort();
    }

    void WriteModel() const {
        model::MeshModel m;
        std::vector<std::string> points, faces;
        points.reserve(kRows * kColumns + 1);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kColumns; ++c) {
                const float u = -1 + 2.0f * c / kColumns, v = -1 + 2.0f * r / kRows;
                points.push_back(
                    model::FormatVector(u, v, 0.1f * std::sin(5 * u) * std::cos(5 * v)));
            }
        points.emplace_back();
        faces.reserve(kRows * kColumns + 1);
        for (int i = 0; static_cast<int>(faces.size()) < kRows * kColumns; ++i) {
            const int c = i % (kColumns - 1), r = i / (kColumns - 1);
            const int a = r * kColumns + c, b = a + kColumns;
            faces.push_back(model::JoinCorners({a, b, a + 1}));
            if (static_cast<int>(faces.size()) < kRows * kColumns)
                faces.push_back(model::JoinCorners({a + 1, b, b + 1}));
        }
        faces.emplace_back();
        m.points.ReplaceLines(std::move(points));
        m.faces.ReplaceLines(std::move(faces));
        m.faces.ResizeFaceArrays();
        if (!model::SaveModelFile(m, mkl)) std::abort();
    }
};

const Files& TheFiles() {
    static const Files files;
    return files;
}

// Runs a program to its end; its peak resident set in MiB, or a negative value on failure.
double RunPeakMiB(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void RunTool(benchmark::State& state, const std::vector<std::string>& args) {
    double peak = 0;
    for (auto _ : state) {
        const double mib = RunPeakMiB(args);
        if (mib < 0) {
            state.SkipWithError("the program failed");
            return;
        }
        peak = std::max(peak, mib);
    }
    state.counters["peak_MiB"] = peak;
}

void BM_ConvertXToModel(benchmark::State& state) {
    const Files& f = TheFiles();
    RunTool(state, {MOKKEL_TOOL, "convert", f.x, f.dir.File("out.mkl")});
}

void BM_RenderX(benchmark::State& state) {
    const Files& f = TheFiles();
    RunTool(state, {MOKKEL_TOOL, "render", f.x, f.dir.File("x.png"), "--fit"});
}

void BM_RenderModel(benchmark::State& state) {
    const Files& f = TheFiles();
    RunTool(state, {MOKKEL_TOOL, "render", f.mkl, f.dir.File("mkl.png"), "--fit"});
}

void BM_ConvertModelToGlb(benchmark::State& state) {
    const Files& f = TheFiles();
    RunTool(state, {MOKKEL_TOOL, "convert", f.mkl, f.dir.File("out.glb")});
}

void BM_ConvertModelToObj(benchmark::State& state) {
    const Files& f = TheFiles();
    RunTool(state, {MOKKEL_TOOL, "convert", f.mkl, f.dir.File("out.obj")});
}

void BM_PeerAssimpLoadX(benchmark::State& state) {
    const char* peer = std::getenv("MOKKEL_ASSIMP_LOAD");
    if (!peer) {
        state.SkipWithError("MOKKEL_ASSIMP_LOAD is not set");
        return;
    }
    RunTool(state, {peer, TheFiles().x});
}

BENCHMARK(BM_ConvertXToModel)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ConvertModelToGlb)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ConvertModelToObj)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_PeerAssimpLoadX)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_RenderX)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_RenderModel)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
