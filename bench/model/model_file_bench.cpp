// Loading and saving a model of a million point lines and a million face lines, beside a
// baseline that only reads the same file's lines with std::getline.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "model/model_file.h"
#include "model/vector_text.h"

namespace {

constexpr int32_t kLines = 1000000;

std::string BenchPath() {
    return "/tmp/mokkel-bench-" + std::to_string(getpid()) + ".mkl";
}

model::MeshModel MakeBigModel() {
    model::MeshModel m;
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> coord(-100, 100);
    std::uniform_int_distribution<int32_t> point(0, kLines - 1);
    m.points.SetMaxLine(kLines - 1);
    for (auto& line : m.points.lines)
        line = model::FormatVector(coord(rng), coord(rng), coord(rng));
    m.faces.SetMaxLine(kLines - 1);
    m.faces.ResizeFaceArrays();
    for (auto& line : m.faces.lines)
        line = model::JoinCorners({point(rng), point(rng), point(rng)});
    return m;
}

struct BigFile {
    std::string path = BenchPath();
    size_t bytes = 0;
    BigFile() {
        model::MeshModel m = MakeBigModel();
        model::SaveModelFile(m, path);
        std::ifstream in(path, std::ios::binary | std::ios::ate);
        bytes = static_cast<size_t>(in.tellg());
    }
    ~BigFile() { std::remove(path.c_str()); }
};

BigFile& File() {
    static BigFile file;
    return file;
}

void BM_GetlineBaseline(benchmark::State& state) {
    for (auto _ : state) {
        std::ifstream in(File().path, std::ios::binary);
        std::vector<std::string> lines;
        std::string line;
        while (std::getline(in, line)) lines.push_back(line);
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * File().bytes));
}

void BM_LoadModelFile(benchmark::State& state) {
    for (auto _ : state) {
        model::MeshModel m;
        bool ok = model::LoadModelFile(m, File().path, nullptr);
        benchmark::DoNotOptimize(ok);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * File().bytes));
}

void BM_SaveModelFile(benchmark::State& state) {
    model::MeshModel m;
    model::LoadModelFile(m, File().path, nullptr);
    const std::string out = BenchPath() + ".out";
    for (auto _ : state) {
        bool ok = model::SaveModelFile(m, out);
        benchmark::DoNotOptimize(ok);
    }
    std::remove(out.c_str());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * File().bytes));
}

BENCHMARK(BM_GetlineBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadModelFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveModelFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    File();  // write the file before any timing starts
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
