// A keystroke on the point screen (insert, row width update, redraw of one row) on sheets of
// 1,000 and 100,000 lines, and Enter after one edit on a 100,000-line sheet, where only the
// changed line is parsed again; beside it, Enter with every line parsed again.
#include <benchmark/benchmark.h>

#include <string>

#include "model/mesh_model.h"
#include "model/vector_text.h"
#include "modeller/view/edit_screens.h"
#include "viewport/model_parse.h"

namespace {

using namespace modeller;

class CountingHost : public ScreenHost {
public:
    explicit CountingHost(model::MeshModel& m) : model(m) {}
    model::MeshModel& model;
    bool reparseAll = false;
    int64_t rows = 0, screens = 0, parses = 0;

    void RedrawRow(ScreenId, int32_t) override { ++rows; }
    void RedrawScreen(ScreenId) override { ++screens; }
    void RepaintView() override { ++screens; }
    void ShowCaret(int32_t, int32_t) override {}
    void HideCaret() override {}
    void UpdateScrollBar(int32_t, const ScrollBarState&) override {}
    void SetCursor(CursorShape) override {}
    void CaptureMouse(bool) override {}
    void ShowContextMenu(int32_t, int32_t) override {}
    void MarkModified() override {}
    void RebuildPointMarkers(int32_t flags) override {
        ++parses;
        benchmark::DoNotOptimize(
            viewport::ParsePointLines(model.points, reparseAll || (flags & 1)));
    }
    void RebuildModelMesh(int32_t) override {}
    void RequestFrame() override {}
    void MarkPoint(int32_t, bool) override {}
    int32_t ModelMeshFaceCount() override { return 0; }
    void HighlightFace(int32_t) override {}
    bool OpenVertexDialog(int32_t) override { return false; }
    bool OpenFaceDialog(int32_t) override { return false; }
    void RunMakeFace() override {}
};

struct Bench {
    explicit Bench(int32_t lines) : host(model), view(model, host, measurer, nullptr) {
        model.points.SetMaxLine(lines - 1);
        for (int32_t i = 0; i < lines; ++i)
            model.points.lines[static_cast<size_t>(i)] =
                model::FormatVector(0.25f * static_cast<float>(i), 1.5f, -2.0f);
        viewport::ParsePointLines(model.points, true);
        view.FirstPaint(1280, 1024, 640, 480);
        line = lines / 2;
    }
    model::MeshModel model;
    FixedPitchMeasurer measurer{8};
    CountingHost host;
    EditScreens view;
    int32_t line = 0;
};

// One insert and one Backspace per iteration, so the line keeps its length.
void BM_Keystroke(benchmark::State& state) {
    Bench b(static_cast<int32_t>(state.range(0)));
    b.view.Points().SetCaret(b.line, static_cast<int32_t>(b.model.points.LineLength(b.line)));
    b.view.Points().PlaceCaret();
    for (auto _ : state) {
        b.view.TypeText("5");
        b.view.KeyDown(Key::Backspace);
    }
    state.SetItemsProcessed(state.iterations() * 2);
    state.counters["rowRedrawsPerKey"] =
        static_cast<double>(b.host.rows) / static_cast<double>(state.iterations() * 2);
    state.counters["screenRedraws"] = static_cast<double>(b.host.screens);
}
BENCHMARK(BM_Keystroke)->Arg(1000)->Arg(100000);

// An edit on one line, then Enter; the caret goes back to the edited line each time.
void EnterAfterEdit(benchmark::State& state, bool reparseAll) {
    Bench b(static_cast<int32_t>(state.range(0)));
    b.host.reparseAll = reparseAll;
    bool grow = true;
    for (auto _ : state) {
        b.view.Points().SetCaret(b.line, static_cast<int32_t>(b.model.points.LineLength(b.line)));
        if (grow)
            b.view.TypeText("5");
        else
            b.view.KeyDown(Key::Backspace);
        grow = !grow;
        b.view.KeyDown(Key::Enter);
    }
    state.counters["parses"] = static_cast<double>(b.host.parses);
}
void BM_EnterAfterOneEdit(benchmark::State& state) {
    EnterAfterEdit(state, false);
}
void BM_EnterReparsingEveryLine(benchmark::State& state) {
    EnterAfterEdit(state, true);
}
BENCHMARK(BM_EnterAfterOneEdit)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EnterReparsingEveryLine)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
