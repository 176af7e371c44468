// One mouse-move step of dragging an object in the studio's 3D view, through the real widget
// on the offscreen platform: the move event (DragObject on the linked set) to the finished
// paint of the new frame, in scenes of 100 and 1,000 cubes, the dragged one joined to ten.
#include <benchmark/benchmark.h>

#include <QMouseEvent>
#include <QTest>
#include <vector>

#include "studio/app/studio_settings.h"
#include "studio/render/studio_render.h"
#include "studio/view/scene_scroll_view.h"
#include "tests/platform/qt/qt_app.h"
#include "tests/studio/scene_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace studio;

void BM_ObjectDragStep(benchmark::State& state) {
    qtshell::testing::App();
    testing_support::TempDir dir;
    studio_test::WriteCubeModel(dir.File("cube.mkl"), 0.4f);
    // A grid of cubes behind the one in the middle of the picture, which the camera looks at.
    const int count = static_cast<int>(state.range(0));
    std::vector<PendingItem> items{studio_test::Object("cube.mkl", 0, {1, 1, 0})};
    std::vector<PendingJoint> joints;
    for (int i = 1; i < count; ++i) {
        items.push_back(studio_test::Object(
            "cube.mkl", 0, {float(i % 40) * 0.5f - 9, float(i / 40 % 25) * 0.5f - 5, 4}));
        if (i <= 10) {
            PendingJoint j;
            j.type = 1;
            j.owner = 0;
            j.partner = i;
            joints.push_back(j);
        }
    }
    CSceneDoc doc;
    doc.AppendItems(std::move(items), joints, dir.path(), "");
    StudioRender render;
    StudioSettings settings;
    CSceneScrollView view(doc, render, settings);
    view.resize(480, 480);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) {
        state.SkipWithError("the view was not shown");
        return;
    }
    QWidget* port = view.viewport();
    port->repaint();
    QTest::mouseClick(port, Qt::RightButton, {}, {10, 10});
    QTest::mousePress(port, Qt::LeftButton, {}, {200, 200});
    if (view.MouseMode() != kStudioObjectDrag) {
        state.SkipWithError("the cube was not picked");
        return;
    }
    int x = 200;
    for (auto _ : state) {
        x += x > 200 ? -1 : 1;  // to and fro, so the cube stays in view
        QMouseEvent move(QEvent::MouseMove, QPointF(x, 200), port->mapToGlobal(QPointF(x, 200)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(port, &move);
        port->repaint();
    }
    QTest::mouseRelease(port, Qt::LeftButton, {}, {x, 200});
    state.counters["items"] = static_cast<double>(doc.Items().size());
    // One frame a step, as the user sees it.
    state.counters["frames"] = static_cast<double>(view.FramesRendered());
}
BENCHMARK(BM_ObjectDragStep)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
