// Picking in the 3D pane: a vertex pick walks every marker, a face pick casts one ray
// through the model mesh.
#include <benchmark/benchmark.h>

#include <cmath>

#include "viewport/pick.h"

namespace {

using namespace viewport;

struct Scene {
    rm::FramePtr root = rm::Frame::Create();
    rm::FramePtr camera = rm::Frame::Create(root);
    rm::FramePtr model = rm::Frame::Create(root);
    rm::MeshBuilderPtr mesh = rm::MeshBuilder::Create();
    rm::DevicePtr device = rm::Device::Create(rm::DeviceKind::kRgb, 320, 200);
    rm::ViewportPtr view = rm::Viewport::Create(device, camera, 0, 0, 320, 200);
    PaneRect pane{0, 0, 320, 200};

    // A grid of side x side points at z = 0 seen from z = -5; faces are its quads.
    explicit Scene(int side) {
        view->SetFront(kFrontDistance);
        view->SetField(kField);
        view->SetBack(kBackDistance);
        camera->SetPosition({}, {0, 0, -5});
        std::vector<rm::Vector3> vertices;
        std::vector<uint32_t> faces;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                vertices.push_back({4.0f * x / side - 2, 4.0f * y / side - 2, 0});
        const uint32_t s = static_cast<uint32_t>(side);
        for (uint32_t y = 0; y + 1 < s; ++y)
            for (uint32_t x = 0; x + 1 < s; ++x)
                faces.insert(faces.end(),
                             {4, y * s + x, (y + 1) * s + x, (y + 1) * s + x + 1, y * s + x + 1});
        faces.push_back(0);
        mesh->AddFaces(vertices, {}, faces);
        model->AddVisual(mesh);
    }
};

void BM_PickVertex(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(
            PickVertex(*scene.camera, *scene.view, scene.pane, *scene.model, *scene.mesh, 170, 90));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(scene.mesh->VertexCount()));
}
BENCHMARK(BM_PickVertex)->Arg(32)->Arg(317)->Unit(benchmark::kMicrosecond);

void BM_PickFace(benchmark::State& state) {
    Scene scene(static_cast<int>(state.range(0)));
    scene.mesh->Cache();
    for (auto _ : state)
        benchmark::DoNotOptimize(PickFace(*scene.view, scene.pane, *scene.model, 170, 90).face);
}
BENCHMARK(BM_PickFace)->Arg(32)->Arg(317)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
