// One mouse-move step of a drag on a large linked scene: the linked set is found again and
// moved (MoveItemSet) or turned about a joint (TurnAboutJoint) on every step. The scene has
// folders of ten objects each, and a chain of joints, listed from its far end, through all
// of them, so every step links the whole chain one joint per pass.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "studio/joints/joints.h"

namespace {

void BuildScene(studio::CSceneDoc& doc, int folders) {
    std::vector<studio::PendingItem> items;
    std::vector<studio::PendingJoint> joints;
    for (int f = 0; f < folders; ++f) {
        studio::PendingItem folder;
        folder.item.kind = studio::kFolder;
        folder.item.name = "folder";
        items.push_back(folder);
        for (int k = 0; k < 10; ++k) {
            studio::PendingItem object;
            object.item.kind = studio::kObject;
            object.item.name = "part";
            object.item.path = "part.mkl";  // not there: an empty frame, moved all the same
            object.item.depth = 1;
            object.placement.position = {float(f), float(k), 0};
            items.push_back(object);
        }
    }
    // In each folder its first object is joined to its last, and the last to the first of
    // the next folder.
    const auto link = [&](int owner, int partner) {
        studio::PendingJoint j;
        j.type = 1;
        j.owner = owner;
        j.partner = partner;
        joints.push_back(j);
    };
    for (int f = folders - 1; f >= 0; --f) {
        link(f * 11 + 1, f * 11 + 10);
        if (f > 0) link((f - 1) * 11 + 10, f * 11 + 1);
    }
    doc.AppendItems(std::move(items), joints, "/nonexistent.d", "");
}

void BM_DragLinkedSet(benchmark::State& state) {
    studio::CSceneDoc doc;
    BuildScene(doc, static_cast<int>(state.range(0)));
    for (auto _ : state) studio::MoveItemSet(doc, {0.01f, 0, 0}, 1, studio::kAllJoints);
    state.counters["items"] = static_cast<double>(doc.Items().size());
    const std::vector<uint8_t> moved = studio::MarkLinkedItems(doc, 1, studio::kAllJoints);
    state.counters["moved"] = static_cast<double>(std::count(moved.begin(), moved.end(), 1));
}
BENCHMARK(BM_DragLinkedSet)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_TurnAboutJoint(benchmark::State& state) {
    studio::CSceneDoc doc;
    BuildScene(doc, static_cast<int>(state.range(0)));
    // The middle joint, its partner's side: half the scene turns.
    const size_t joint = doc.Joints().size() / 2;
    const studio::CameraAxes camera = studio::CameraAxesOf(doc);
    const size_t partner = static_cast<size_t>(doc.IndexOf(doc.Joints()[joint].partner));
    for (auto _ : state) studio::TurnAboutJoint(doc, camera, joint, partner, 1, 0, false);
    state.counters["items"] = static_cast<double>(doc.Items().size());
    const std::vector<uint8_t> turned =
        studio::MarkLinkedItems(doc, partner, static_cast<int>(joint));
    state.counters["turned"] = static_cast<double>(std::count(turned.begin(), turned.end(), 1));
}
BENCHMARK(BM_TurnAboutJoint)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
