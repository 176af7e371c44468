// A keystroke on the point screen (insert, row width update, redraw of one row) on sheets of
// 1,000 and 100,000 lines, and Enter after one edit on a 100,000-line sheet, where only the
// changed line is parsed again; beside it, Enter with every line parsed again.
// With the widgets built, the same keystroke through the real view on the offscreen
// platform, key event to finished paint, with a 100,000-face model in the 3D pane.
#include <benchmark/benchmark.h>

#include <string>

#include "model/mesh_model.h"
#include "model/vector_text.h"
#include "modeller/view/edit_screens.h"
#include "viewport/model_parse.h"

#ifdef MOKKEL_BENCH_WIDGET
#include <QKeyEvent>
#include <chrono>

#include "modeller/view/model_view.h"
#include "tests/platform/qt/qt_app.h"
#include "tests/support/memory_settings.h"
#include "tests/support/scripted_prompt.h"
#endif

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

#ifdef MOKKEL_BENCH_WIDGET

struct NoChooser : shell::FileChooser {
    std::optional<std::string> Choose(const shell::FileRequest&) override { return std::nullopt; }
};

// Counts what the view does for each key.
struct PaintCounter : QObject {
    int64_t paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

constexpr int kFaces = 100000;

// `lines` point lines on a grid of about square shape, and 100,000 triangles between them
// (repeating over the grid when it has fewer cells).
void FillModel(model::MeshModel& m, int lines) {
    int columns = 1;
    while (columns * columns < lines) ++columns;
    std::vector<std::string> points, faces;
    points.reserve(static_cast<size_t>(lines));
    for (int i = 0; i < lines; ++i) {
        const float x = -1.0f + 3.0f * static_cast<float>(i % columns) / columns;
        const float y = -1.0f + 3.0f * static_cast<float>(i / columns) / columns;
        points.push_back(model::FormatVector(x, y, 0.1f * x * y));
    }
    const int rows = lines / columns;
    const int cells = (columns - 1) * (rows - 1);
    faces.reserve(kFaces);
    for (int f = 0; static_cast<int>(faces.size()) < kFaces; ++f) {
        const int cell = f % cells;
        const int a = (cell / (columns - 1)) * columns + cell % (columns - 1), b = a + columns;
        faces.push_back(std::to_string(a) + ", " + std::to_string(b) + ", " +
                        std::to_string(a + 1));
        if (static_cast<int>(faces.size()) < kFaces)
            faces.push_back(std::to_string(a + 1) + ", " + std::to_string(b) + ", " +
                            std::to_string(b + 1));
    }
    m.points.ReplaceLines(std::move(points));
    m.faces.ReplaceLines(std::move(faces));
}

// One key per iteration: '5' and Backspace in turn, so the line keeps its length. Each is
// sent as the window system sends it and the paint it asks for is done before the next.
void BM_WidgetKeystroke(benchmark::State& state) {
    qtshell::testing::App();
    testing_support::MemorySettings store;
    testing_support::ScriptedPrompt prompt;
    NoChooser chooser;
    modeller::CModelDoc doc(prompt, chooser);
    modeller::ModellerSettings settings;
    modeller::CModelView view(doc, settings, store, prompt, chooser, nullptr);
    view.resize(1280, 1024);
    view.show();
    if (!view.EnsureDevice()) {
        state.SkipWithError("no device");
        return;
    }
    const int lines = static_cast<int>(state.range(0));
    FillModel(doc.model, lines);
    view.RefreshViews();
    auto settle = [] {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    };
    settle();
    if (doc.objects.modelMesh->FaceCount() != kFaces) {
        state.SkipWithError("model not loaded");
        return;
    }
    // The caret at the end of the middle line, scrolled into view.
    view.setFocus();
    PointScreen& screen = view.Screens().Points();
    const int32_t line = lines / 2;
    screen.SetCaret(line, static_cast<int32_t>(doc.model.points.LineLength(line)));
    screen.PlaceCaret();
    settle();

    // What one 3D frame of this model costs: the price every keystroke used to pay.
    const auto t0 = std::chrono::steady_clock::now();
    view.Pane().RequestFrame();
    const double frameMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    settle();

    PaintCounter counter;
    view.installEventFilter(&counter);
    const uint64_t frames = view.Pane().device.framesRendered;
    bool type = true;
    for (auto _ : state) {
        const int key = type ? Qt::Key_5 : Qt::Key_Backspace;
        const QString text = type ? QStringLiteral("5") : QString(QChar(8));
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(&view, &press);
        QCoreApplication::sendEvent(&view, &release);
        QCoreApplication::processEvents();
        type = !type;
    }
    const double keys = static_cast<double>(state.iterations());
    state.counters["paintsPerKey"] = static_cast<double>(counter.paints) / keys;
    state.counters["framesPerKey"] =
        static_cast<double>(view.Pane().device.framesRendered - frames) / keys;
    state.counters["oneFrameMs"] = frameMs;
    view.removeEventFilter(&counter);
    view.Shutdown();
}
BENCHMARK(BM_WidgetKeystroke)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

#endif

}  // namespace

BENCHMARK_MAIN();
