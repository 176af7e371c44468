// Loading a big .x mesh (1,000,000 vertices, 1,996,002 triangles), text and binary, with our
// reader and with assimp's ReadFile (no post-processing) in the same run; writing it back.
// Peak memory of each load is measured in a fresh child process of this program, so that
// neither the other loads nor the benchmark's own state count.
//
//   platform_xfile_bench [--benchmark_filter=...]   files go to $MOKKEL_BENCH_DIR or /tmp
#include <assimp/scene.h>
#include <benchmark/benchmark.h>
#include <assimp/Importer.hpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "platform/xfile/x_reader.h"
#include "platform/xfile/x_writer.h"

namespace {

constexpr int kRows = 1000, kCols = 1000;

std::string Dir() {
    const char* d = std::getenv("MOKKEL_BENCH_DIR");
    return d && *d ? d : "/tmp";
}
std::string TextPath() {
    return Dir() + "/mokkel_xfile_bench_text.x";
}
std::string BinaryPath() {
    return Dir() + "/mokkel_xfile_bench_binary.x";
}

// The grid sphere of the peers' generator, written the same way (six decimals, one vertex
// or face a line).
bool WriteTextSphere(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "w");
    if (!f) return false;
    std::fprintf(f, "xof 0303txt 0032\n\nMesh big {\n %d;\n", kRows * kCols);
    for (int i = 0; i < kRows; ++i) {
        const double th = M_PI * (i + 0.5) / kRows, st = std::sin(th), ct = std::cos(th);
        for (int j = 0; j < kCols; ++j) {
            const double ph = 2 * M_PI * j / kCols;
            std::fprintf(f, " %.6f;%.6f;%.6f;%s\n", st * std::cos(ph), ct, st * std::sin(ph),
                         i == kRows - 1 && j == kCols - 1 ? ";" : ",");
        }
    }
    const int faces = 2 * (kRows - 1) * (kCols - 1);
    std::fprintf(f, " %d;\n", faces);
    int written = 0;
    for (int i = 0; i < kRows - 1; ++i)
        for (int j = 0; j < kCols - 1; ++j) {
            const int a = i * kCols + j, b = a + kCols;
            ++written;
            std::fprintf(f, " 3;%d,%d,%d;,\n", a, b, a + 1);
            ++written;
            std::fprintf(f, " 3;%d,%d,%d;%s\n", a + 1, b, b + 1, written == faces ? ";" : ",");
        }
    std::fprintf(f, "}\n");
    return std::fclose(f) == 0;
}

bool PrepareFiles() {
    namespace fs = std::filesystem;
    if (!fs::exists(TextPath()) && !WriteTextSphere(TextPath())) return false;
    if (!fs::exists(BinaryPath())) {
        auto r = xfile::ReadXFile(TextPath());
        if (!r || r.file->meshes.empty()) return false;
        // The same content as the text file: vertices and faces only.
        if (!xfile::WriteXFile(BinaryPath(), r.file->meshes[0], xfile::XFormat::kBinary, 0))
            return false;
    }
    return true;
}

size_t LoadOurs(const std::string& path) {
    auto r = xfile::ReadXFile(path);
    return r && !r.file->meshes.empty() ? r.file->meshes[0].faceCount : 0;
}

size_t LoadAssimp(const std::string& path) {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, 0);
    size_t faces = 0;
    if (scene)
        for (unsigned i = 0; i < scene->mNumMeshes; ++i) faces += scene->mMeshes[i]->mNumFaces;
    return faces;
}

// Peak resident memory in MB of a fresh child that runs one load ("none" loads nothing). The
// child reports its own high-water mark: a spawned child's rusage would carry the parent's.
double ChildPeakMb(const std::string& who, const std::string& path) {
    static std::map<std::string, double> cache;
    const std::string key = who + ":" + path;
    if (auto it = cache.find(key); it != cache.end()) return it->second;
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string command = "'" + self + "' '--child-load=" + key + "'";
    FILE* p = popen(command.c_str(), "r");
    if (!p) return -1;
    long kb = -1;
    if (std::fscanf(p, "%ld", &kb) != 1) kb = -1;
    if (pclose(p) != 0) kb = -1;
    return cache[key] = kb < 0 ? -1 : double(kb) / 1024.0;
}

long HighWaterKb() {
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return -1;
    char line[256];
    long kb = -1;
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, "VmHWM:", 6) == 0) kb = std::atol(line + 6);
    std::fclose(f);
    return kb;
}

void Load(benchmark::State& state, bool ours, const std::string& path) {
    if (!PrepareFiles()) {
        state.SkipWithError("cannot write the benchmark files");
        return;
    }
    size_t faces = 0;
    for (auto _ : state) {
        faces = ours ? LoadOurs(path) : LoadAssimp(path);
        benchmark::DoNotOptimize(faces);
    }
    if (faces != size_t(2 * (kRows - 1) * (kCols - 1))) state.SkipWithError("load failed");
    const double bytes = double(std::filesystem::file_size(path));
    state.SetBytesProcessed(int64_t(bytes * double(state.iterations())));
    state.counters["file_MB"] = bytes / 1e6;
    state.counters["peak_rss_MB"] = ChildPeakMb(ours ? "ours" : "assimp", path);
    state.counters["idle_rss_MB"] = ChildPeakMb("none", path);
}

void BM_TextOurs(benchmark::State& s) {
    Load(s, true, TextPath());
}
void BM_TextAssimp(benchmark::State& s) {
    Load(s, false, TextPath());
}
void BM_BinaryOurs(benchmark::State& s) {
    Load(s, true, BinaryPath());
}
void BM_BinaryAssimp(benchmark::State& s) {
    Load(s, false, BinaryPath());
}
BENCHMARK(BM_TextOurs)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TextAssimp)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BinaryOurs)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BinaryAssimp)->Unit(benchmark::kMillisecond)->Iterations(3);

void Encode(benchmark::State& state, xfile::XFormat format, uint32_t flags) {
    if (!PrepareFiles()) {
        state.SkipWithError("cannot write the benchmark files");
        return;
    }
    auto r = xfile::ReadXFile(TextPath());
    if (!r) {
        state.SkipWithError("load failed");
        return;
    }
    std::string out;
    for (auto _ : state) {
        xfile::EncodeXMesh(r.file->meshes[0], format, flags, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(out.size() * state.iterations()));
}
void BM_EncodeText(benchmark::State& s) {
    Encode(s, xfile::XFormat::kText, 0);
}
void BM_EncodeBinaryAll(benchmark::State& s) {
    Encode(s, xfile::XFormat::kBinary, xfile::kSaveAll);
}
BENCHMARK(BM_EncodeText)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_EncodeBinaryAll)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strncmp(argv[1], "--child-load=", 13) == 0) {
        const std::string request = argv[1] + 13;
        const size_t colon = request.find(':');
        const std::string who = request.substr(0, colon), path = request.substr(colon + 1);
        if (who != "none" && (who == "ours" ? LoadOurs(path) : LoadAssimp(path)) == 0) return 1;
        std::printf("%ld\n", HighWaterKb());
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
