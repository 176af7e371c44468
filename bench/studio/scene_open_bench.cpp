// A scene of 1,000 objects over 10 model files of 10,000 faces each, opened from its file
// until the first frame is in the picture, as the studio and mokkel-tool render do. Peak
// memory is the process's high-water mark after the run.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "model/mesh_model.h"
#include "model/model_file.h"
#include "model/vector_text.h"
#include "studio/render/studio_render.h"
#include "studio/scene/scene_file.h"
#include "tests/support/temp_dir.h"

#ifdef MOKKEL_BENCH_WIDGET
#include <QCoreApplication>
#include <QStringList>

#include "studio/app/stagora_app.h"
#include "studio/view/scene_scroll_view.h"
#include "tests/platform/qt/qt_app.h"
#include "tests/support/memory_settings.h"
#include "tests/support/scripted_prompt.h"
#endif

namespace {

constexpr int kModels = 10, kObjects = 1000;
constexpr int kColumns = 101, kRows = 51;  // 100 x 50 quads: 10,000 triangles

// A rippled tile one unit wide, its bump set by `seed`, so each file is its own model.
void WriteTileModel(const std::string& path, int seed) {
    model::MeshModel m;
    std::vector<std::string> points, faces;
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kColumns; ++x) {
            const float fx = float(x) / (kColumns - 1) - 0.5f, fy = float(y) / (kRows - 1) - 0.5f;
            points.push_back(model::FormatVector(
                fx, 0.1f * std::sin(float(seed + 3) * fx) * std::cos(4 * fy), fy));
        }
    points.emplace_back();
    for (int y = 0; y + 1 < kRows; ++y)
        for (int x = 0; x + 1 < kColumns; ++x) {
            const int a = y * kColumns + x, b = a + kColumns;
            faces.push_back(std::to_string(a) + ", " + std::to_string(b) + ", " +
                            std::to_string(a + 1));
            faces.push_back(std::to_string(a + 1) + ", " + std::to_string(b) + ", " +
                            std::to_string(b + 1));
        }
    faces.emplace_back();
    m.points.ReplaceLines(points);
    m.faces.ReplaceLines(faces);
    m.faces.ResizeFaceArrays();
    m.groups.EnsureDefaults();
    m.groups.entries[0].color = static_cast<int32_t>(0xFF000000u | (0x204080u * (seed + 1)));
    model::SaveModelFile(m, path);
}

// 40 x 25 tiles on the ground before the camera, a point light above, fog in the distance.
std::string WriteScene(const testing_support::TempDir& dir) {
    for (int i = 0; i < kModels; ++i)
        WriteTileModel(dir.File("tile" + std::to_string(i) + ".mkl"), i);
    std::vector<studio::PendingItem> items;
    for (int i = 0; i < kObjects; ++i) {
        studio::PendingItem p;
        p.item.kind = studio::kObject;
        p.item.path = "tile" + std::to_string(i % kModels) + ".mkl";
        p.item.name = "tile";
        p.placement.position = {float(i % 40) * 1.1f - 22, 0, float(i / 40) * 1.1f};
        items.push_back(p);
    }
    studio::PendingItem light;
    light.item.kind = studio::kPointLight;
    light.placement.position = {0, 10, 10};
    items.push_back(light);
    studio::CSceneDoc doc;
    doc.AppendItems(items, {}, dir.path(), "");
    doc.environment.screenWidth = 640;
    doc.environment.screenHeight = 480;
    doc.environment.fogEnabled = 1;
    doc.environment.fogStart = 20;
    doc.environment.fogEnd = 60;
    doc.SetCameraPlacement({{0, 12, -14}, {0, -0.5f, 1}, {0, 1, 0.5f}});
    const std::string path = dir.File("tiles.stg");
    studio::SaveSceneFile(doc, path);
    return path;
}

void BM_OpenSceneToFirstFrame(benchmark::State& state) {
    testing_support::TempDir dir;
    const std::string path = WriteScene(dir);
    for (auto _ : state) {
        studio::CSceneDoc doc;
        const studio::SceneFileResult r = studio::LoadSceneFile(doc, path, true);
        if (!r.ok || doc.Items().size() != kObjects + 1) state.SkipWithError("scene did not load");
        studio::StudioRender render;
        render.CreateStudioDevice(640, 480);
        render.RenderStudioFrame(doc, 640, 480);
        benchmark::DoNotOptimize(render.Capture().argb.data());
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MiB"] = double(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_OpenSceneToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(3);

// The open alone (files read, meshes built and shared, frames placed), for the split.
void BM_OpenSceneOnly(benchmark::State& state) {
    testing_support::TempDir dir;
    const std::string path = WriteScene(dir);
    for (auto _ : state) {
        studio::CSceneDoc doc;
        const studio::SceneFileResult r = studio::LoadSceneFile(doc, path, true);
        if (!r.ok) state.SkipWithError("scene did not load");
        benchmark::DoNotOptimize(doc.Items().data());
    }
}
BENCHMARK(BM_OpenSceneOnly)->Unit(benchmark::kMillisecond)->Iterations(3);

#ifdef MOKKEL_BENCH_WIDGET

struct NoChooser : shell::FileChooser {
    std::optional<std::string> Choose(const shell::FileRequest&) override { return std::nullopt; }
};

// The path a user takes: Stagora started with the scene on its command line (the window
// shown, the device made, the file opened, the tree filled) until the view has painted the
// first frame of the scene, on the offscreen platform.
void BM_WindowOpenSceneToFirstFrame(benchmark::State& state) {
    qtshell::testing::App();
    testing_support::TempDir dir;
    const std::string path = WriteScene(dir);
    testing_support::MemorySettings settings;
    testing_support::ScriptedPrompt prompt;
    NoChooser chooser;
    for (auto _ : state) {
        auto app = std::make_unique<studio::StagoraApp>(
            studio::StagoraServices{&settings, &prompt, &chooser, nullptr, dir.path(), {}});
        app->Start({QString::fromStdString(path)});
        const int before = app->View().FramesRendered();
        app->View().viewport()->repaint();
        QCoreApplication::processEvents();
        if (app->Document().Items().size() != kObjects + 1 ||
            app->View().FramesRendered() == before)
            state.SkipWithError("the window did not show the scene");
        // Closing the window is not part of opening.
        state.PauseTiming();
        app.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MiB"] = double(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_WindowOpenSceneToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(3);

#endif

}  // namespace

BENCHMARK_MAIN();
