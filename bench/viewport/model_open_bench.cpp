// A 100,000-point, 100,000-face model: building its model mesh, and opening its model file
// through the document's open command until the 3D pane has rendered its first frame, with
// each step of the way measured on its own.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "model/model_file.h"
#include "model/vector_text.h"
#include "modeller/document/model_doc.h"
#include "tests/support/scripted_prompt.h"
#include "tests/support/temp_dir.h"
#include "viewport/model_mesh.h"
#include "viewport/model_pane.h"
#include "viewport/model_parse.h"

namespace {

using namespace viewport;
using Clock = std::chrono::steady_clock;

constexpr int kColumns = 400, kRows = 250;  // 100,000 points
constexpr int kFaces = 100000;

// A rippled sheet in front of the default camera: points on a 400 x 250 grid, faces its
// triangles row by row, every tenth face in its own colour, the rest in group 0.
model::MeshModel GeneratedModel() {
    model::MeshModel m;
    std::vector<std::string> points, faces;
    points.reserve(kColumns * kRows + 1);
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kColumns; ++x) {
            const float fx = -1.0f + 4.0f * x / kColumns, fy = -0.5f + 3.0f * y / kRows;
            points.push_back(
                model::FormatVector(fx, fy, 0.2f * std::sin(3 * fx) * std::cos(2 * fy)));
        }
    points.emplace_back();
    faces.reserve(kFaces + 1);
    for (int i = 0; static_cast<int>(faces.size()) < kFaces; ++i) {
        const int x = i % (kColumns - 1), y = i / (kColumns - 1);
        const int a = y * kColumns + x, b = a + kColumns;
        faces.push_back(std::to_string(a) + ", " + std::to_string(b) + ", " +
                        std::to_string(a + 1));
        if (static_cast<int>(faces.size()) < kFaces)
            faces.push_back(std::to_string(a + 1) + ", " + std::to_string(b) + ", " +
                            std::to_string(b + 1));
    }
    faces.emplace_back();
    m.points.ReplaceLines(std::move(points));
    m.faces.ReplaceLines(std::move(faces));
    m.faces.ResizeFaceArrays();
    for (size_t i = 0; i < m.faces.FaceStatus.size(); i += 10) {
        m.faces.FaceStatus[i] = model::FaceSheet::kStatusOwnColor;
        m.faces.FaceColor[i] = static_cast<int32_t>(0xFFC08040);
    }
    return m;
}

// The model file, written once per run.
struct ModelFile {
    testing_support::TempDir dir;
    std::string path = dir.File("big.mkl");
    ModelFile() {
        model::MeshModel m = GeneratedModel();
        if (!model::SaveModelFile(m, path)) std::abort();
    }
};
const ModelFile& File() {
    static const ModelFile file;
    return file;
}

class ChoosePath : public shell::FileChooser {
public:
    std::string path;
    std::optional<std::string> Choose(const shell::FileRequest&) override { return path; }
};

double Ms(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// What the modeller's view does when the document has read a file: both meshes rebuilt
// without rendering (the markers first, then the model mesh once), then its repaint renders
// the frame.
class ViewHost : public modeller::DocumentHost {
public:
    explicit ViewHost(ModelPane& pane) : pane_(pane) {}
    double refreshMs = 0;
    void RefreshViews() override {
        const Clock::time_point t0 = Clock::now();
        pane_.RebuildPointMarkers(kReparseAll | kNoRender | kNoModelRebuild);
        pane_.RebuildModelMesh(kNoRender);
        refreshMs += Ms(t0, Clock::now());
    }
    void UpdateTitle() override {}
    void ResetCarets() override {}
    void AddRecentFile(const std::string&) override {}
    void SetWaitCursor(bool) override {}
    bool ViewHasDrawn() const override { return true; }
    viewport::FileOptions FileOptions() const override {
        viewport::FileOptions o;
        o.meshOptions = pane_.MeshOptions();
        o.wrapReference = pane_.scene.modelFrame;
        return o;
    }

private:
    ModelPane& pane_;
};

// The whole command: file dialog answered, file read, model rebuilt, first frame rendered
// in a 320 x 200 pane. The counters split each open into the document's read (clear, file,
// textures), the view's refresh (points, markers, model mesh), the renderer's mesh caches
// and the frame itself.
void BM_OpenToFirstFrame(benchmark::State& state) {
    testing_support::ScriptedPrompt prompt;
    ChoosePath chooser;
    chooser.path = File().path;
    modeller::CModelDoc doc(prompt, chooser);
    ModelPane pane(doc.model, doc.objects);
    ViewHost host(pane);
    doc.SetHost(&host);
    pane.device.pane = {0, 0, 320, 200};
    DeviceRequest request;
    if (!pane.Create(request, 1024, 768, 800, 600, &prompt)) {
        state.SkipWithError("no device");
        return;
    }
    int frames = 0;
    pane.device.present = [&] { ++frames; };
    double openMs = 0, cacheMs = 0, frameMs = 0;
    for (auto _ : state) {
        const Clock::time_point t0 = Clock::now();
        doc.OnFileOpen();
        const Clock::time_point t1 = Clock::now();
        // What the renderer derives from a changed mesh, made here so it is timed apart.
        doc.objects.modelMesh->Cache();
        doc.objects.pointMesh->Cache(false);  // markers are points: no corner tables
        const Clock::time_point t2 = Clock::now();
        pane.RequestFrame();
        const Clock::time_point t3 = Clock::now();
        openMs += Ms(t0, t1);
        cacheMs += Ms(t1, t2);
        frameMs += Ms(t2, t3);
    }
    // Face line i is render face i, the sheet's closing empty line included.
    if (!prompt.shown.empty() || doc.objects.modelMesh->FaceCount() != kFaces + 1 ||
        doc.objects.pointMesh->FaceCount() != kColumns * kRows ||
        frames != static_cast<int>(state.iterations()))
        state.SkipWithError("the model did not open and render");
    const double n = static_cast<double>(state.iterations());
    state.counters["read_ms"] = (openMs - host.refreshMs) / n;
    state.counters["refresh_ms"] = host.refreshMs / n;
    state.counters["mesh_cache_ms"] = cacheMs / n;
    state.counters["frame_ms"] = frameMs / n;
}
BENCHMARK(BM_OpenToFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

// --- the steps one by one, on the same file

void BM_Step1_ReadFileBytes(benchmark::State& state) {
    const std::streamsize size =
        static_cast<std::streamsize>(std::filesystem::file_size(File().path));
    for (auto _ : state) {
        std::ifstream in(File().path, std::ios::binary);
        std::string bytes(static_cast<size_t>(size), '\0');
        in.read(bytes.data(), size);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size(File().path)));
}
BENCHMARK(BM_Step1_ReadFileBytes)->Unit(benchmark::kMillisecond);

// Reading the model file into the sheets (the bytes read included).
void BM_Step2_LoadModelFile(benchmark::State& state) {
    for (auto _ : state) {
        model::MeshModel m;
        if (!model::LoadModelFile(m, File().path, nullptr)) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(m.points.lines.data());
    }
}
BENCHMARK(BM_Step2_LoadModelFile)->Unit(benchmark::kMillisecond);

// A loaded model with its points parsed and meshes built, as the steps after it need.
struct Loaded {
    model::MeshModel model;
    ModelRenderObjects objects;
    int32_t points = 0;
    Loaded() {
        if (!model::LoadModelFile(model, File().path, nullptr)) std::abort();
        ParsePointLines(model.points, true);
        points = UsedPointCount(model.points);
        objects.SyncMaterials(model.groups);
        BuildPointMarkers(model.points, points, 0xFFFFFFFF, *objects.pointMesh);
        BuildModelMesh(model, objects, points, {}, *objects.modelMesh);
    }
};

void BM_Step3_ParsePointLines(benchmark::State& state) {
    Loaded l;
    for (auto _ : state) benchmark::DoNotOptimize(ParsePointLines(l.model.points, true));
}
BENCHMARK(BM_Step3_ParsePointLines)->Unit(benchmark::kMillisecond);

void BM_Step4_PointMarkers(benchmark::State& state) {
    Loaded l;
    for (auto _ : state)
        BuildPointMarkers(l.model.points, l.points, 0xFFFFFFFF, *l.objects.pointMesh);
}
BENCHMARK(BM_Step4_PointMarkers)->Unit(benchmark::kMillisecond);

// The face lines alone (part of every model mesh build).
void BM_Step5a_ParseFaceLines(benchmark::State& state) {
    Loaded l;
    for (auto _ : state) ParseFaceLines(l.model.faces, l.model.points, l.points);
}
BENCHMARK(BM_Step5a_ParseFaceLines)->Unit(benchmark::kMillisecond);

// The whole model mesh build (face parse, faces, colours, normals); with range 1 the
// model is mirrored on X, doubling the mesh.
void BM_Step5_BuildModelMesh(benchmark::State& state) {
    Loaded l;
    l.model.mirror.mirrorAxis = static_cast<int32_t>(state.range(0));
    for (auto _ : state) BuildModelMesh(l.model, l.objects, l.points, {}, *l.objects.modelMesh);
    state.SetItemsProcessed(state.iterations() * kFaces);
}
BENCHMARK(BM_Step5_BuildModelMesh)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A headless 320 x 200 pane, as the modeller's first paint makes it.
bool CreatePane(ModelPane& pane, benchmark::State& state) {
    pane.device.pane = {0, 0, 320, 200};
    DeviceRequest request;
    if (pane.Create(request, 1024, 768, 800, 600, nullptr)) return true;
    state.SkipWithError("no device");
    return false;
}

// The normals on their own, as the end of the build makes them.
void BM_Step6_Normals(benchmark::State& state) {
    Loaded l;
    for (auto _ : state)
        l.objects.modelMesh->GenerateNormals(6.2831855f, rm::kGenerateNormalsUseCreaseAngle);
}
BENCHMARK(BM_Step6_Normals)->Unit(benchmark::kMillisecond);

// One frame of the loaded model in the 320 x 200 pane (the mesh's caches are already made
// by the first frame; the first after a rebuild is measured by BM_Step7_FirstFrameAfterBuild).
void BM_Step7_Frame(benchmark::State& state) {
    Loaded l;
    ModelPane pane(l.model, l.objects);
    if (!CreatePane(pane, state)) return;
    pane.RequestFrame();
    for (auto _ : state) pane.RequestFrame();
}
BENCHMARK(BM_Step7_Frame)->Unit(benchmark::kMillisecond);

// The first frame after the mesh was rebuilt: the renderer's per-mesh caches are made anew.
void BM_Step7_FirstFrameAfterBuild(benchmark::State& state) {
    Loaded l;
    ModelPane pane(l.model, l.objects);
    if (!CreatePane(pane, state)) return;
    for (auto _ : state) {
        state.PauseTiming();
        BuildModelMesh(l.model, l.objects, l.points, {}, *l.objects.modelMesh);
        state.ResumeTiming();
        pane.RequestFrame();
    }
}
BENCHMARK(BM_Step7_FirstFrameAfterBuild)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
