// The 3D view's mouse in the whole studio on the offscreen platform: the right-button cycle,
// dragging and turning objects, turning about a joint, and the double-clicks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "studio/app/stagora_app.h"
#include "studio/render/joint_circles.h"
#include "studio/scene/scene_file.h"
#include "studio/view/scene_scroll_view.h"
#include "studio/view/scene_tree.h"
#include "tests/platform/qt/qt_app.h"
#include "tests/studio/scene_fixture.h"
#include "tests/support/memory_settings.h"
#include "tests/support/scripted_prompt.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace studio;
using testing_support::MemorySettings;
using testing_support::ScriptedPrompt;
using testing_support::TempDir;

struct NoFiles : shell::FileChooser {
    std::optional<std::string> Choose(const shell::FileRequest&) override { return std::nullopt; }
};

// The camera at its start (1, 1, -5) looks along +z: cube "a" at (1, 1, 0) is in the middle of
// the 400 x 400 picture, cube "b" at (2.5, 1, 0) to its right, and a free joint between them at
// (1.75, 1, 0) turns b.
constexpr QPoint kCubeA{200, 200}, kJoint{260, 200}, kEmpty{20, 20};

class ViewMouseTest : public ::testing::Test {
protected:
    void SetUp() override {
        qtshell::testing::App();
        studio_test::WriteCubeModel(dir.File("cube.mkl"));
        CSceneDoc doc;
        PendingJoint joint;
        joint.owner = 0;
        joint.partner = 1;
        joint.type = 1;
        joint.target = 1;
        joint.placement.position = {1.75f, 1, 0};
        doc.AppendItems({studio_test::Object("cube.mkl", 0, {1, 1, 0}),
                         studio_test::Object("cube.mkl", 0, {2.5f, 1, 0})},
                        {joint}, dir.path(), "");
        doc.Items()[0].name = "a";
        doc.Items()[1].name = "b";
        ASSERT_TRUE(SaveSceneFile(doc, dir.File("scene.stg")).ok);
        app = std::make_unique<StagoraApp>(
            StagoraServices{&settings, &prompt, &files, nullptr, dir.path(), {}});
        app->Start({QString::fromStdString(dir.File("scene.stg"))});
        port = app->View().viewport();
        port->repaint();
    }

    CSceneScrollView& View() { return app->View(); }
    CSceneDoc& Doc() { return app->Document(); }
    rm::Vector3 Position(size_t i) { return Doc().Items()[i].frame->Position(Doc().Root()); }
    rm::Vector3 Direction(size_t i) {
        rm::Vector3 d, u;
        Doc().Items()[i].frame->GetOrientation(Doc().Root(), d, u);
        return d;
    }
    void RightClicks(int count) {
        for (int i = 0; i < count; ++i) QTest::mouseClick(port, Qt::RightButton, {}, kEmpty);
    }
    void Move(QPoint to, Qt::KeyboardModifiers keys = {}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(to), port->mapToGlobal(QPointF(to)),
                         Qt::NoButton, Qt::LeftButton, keys);
        QCoreApplication::sendEvent(port, &move);
    }
    void DoubleClick(QPoint at) {
        QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(at), port->mapToGlobal(QPointF(at)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(port, &click);
    }
    // Closes the next modal dialog, noting its name.
    void CloseNextDialog() {
        QTimer::singleShot(0, [this] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                dialogShown = dialog->objectName().toStdString();
                dialog->reject();
            }
        });
    }

    TempDir dir;
    MemorySettings settings;
    ScriptedPrompt prompt;
    NoFiles files;
    std::unique_ptr<StagoraApp> app;
    QWidget* port = nullptr;
    std::string dialogShown;
};

void ExpectNear(rm::Vector3 a, rm::Vector3 b, const char* what) {
    EXPECT_NEAR(a.x, b.x, 1e-4f) << what;
    EXPECT_NEAR(a.y, b.y, 1e-4f) << what;
    EXPECT_NEAR(a.z, b.z, 1e-4f) << what;
}

TEST_F(ViewMouseTest, RightButtonCyclesThroughTheModes) {
    EXPECT_EQ(View().MouseMode(), kStudioCamera);
    RightClicks(1);
    EXPECT_EQ(View().MouseMode(), kStudioObject);
    EXPECT_EQ(port->cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(Doc().JointMarkersShown());
    RightClicks(1);
    EXPECT_EQ(View().MouseMode(), kStudioJoint);
    EXPECT_TRUE(Doc().JointMarkersShown());
    port->repaint();  // the joint's circle over the picture
    EXPECT_EQ(View().Picture().pixel(kJoint + QPoint(kJointCircleRadius, 0)), kJointCircleColor);
    RightClicks(1);
    EXPECT_EQ(View().MouseMode(), kStudioCamera);
    EXPECT_FALSE(Doc().JointMarkersShown());
    port->repaint();
    EXPECT_NE(View().Picture().pixel(kJoint + QPoint(kJointCircleRadius, 0)), kJointCircleColor);
}

TEST_F(ViewMouseTest, ObjectModeDragsAndTurnsThePickedItem) {
    struct Case {
        const char* what;
        Qt::KeyboardModifiers keys;
        int32_t positionLock;
        int32_t slider;  // along the scene's y axis
        QPoint to;       // from the cube's middle
        rm::Vector3 position;
        bool turned;
    };
    // Depth 5 over 400 pixels: 40 pixels across is half a unit; Shift: 20 pixels up is one
    // unit along the view at speed 1.
    const Case cases[] = {
        {"plain", Qt::NoModifier, 0, 0, kCubeA + QPoint(40, 0), {1.5f, 1, 0}, false},
        {"slider", Qt::NoModifier, 0, 1, kCubeA + QPoint(40, -20), {1, 1.25f, 0}, false},
        {"shift", Qt::ShiftModifier, 0, 0, kCubeA + QPoint(0, -20), {1, 1, 1}, false},
        {"ctrl", Qt::ControlModifier, 0, 0, kCubeA + QPoint(10, 0), {1, 1, 0}, true},
        {"position lock", Qt::NoModifier, 1, 0, kCubeA + QPoint(40, 0), {1, 1, 0}, false},
        {"position lock, ctrl", Qt::ControlModifier, 1, 0, kCubeA + QPoint(10, 0), {1, 1, 0}, true},
    };
    RightClicks(1);
    const int64_t a = Doc().Items()[0].id;
    for (const Case& c : cases) {
        for (size_t i : {0, 1}) {
            Doc().Items()[i].frame->SetOrientation(Doc().Root(), {0, 0, 1}, {0, 1, 0});
            Doc().Items()[i].frame->SetPosition(Doc().Root(), {i ? 2.5f : 1, 1, 0});
        }
        Doc().Items()[0].positionLock = c.positionLock;
        Doc().Items()[0].sliderKind = c.slider;
        Doc().Items()[0].sliderAxes = 1;
        Doc().Items()[0].sliderVector = {0, 1, 0};
        View().Invalidate();
        QTest::mousePress(port, Qt::LeftButton, c.keys, kCubeA);
        EXPECT_EQ(View().MouseMode(), kStudioObjectDrag) << c.what;
        EXPECT_EQ(View().SelectedItem(), 0) << c.what;
        EXPECT_EQ(app->Tree().SelectedIndex(), 0) << c.what;
        EXPECT_EQ(Doc().DraggedItem(), a) << c.what;
        Move(c.to, c.keys);
        QTest::mouseRelease(port, Qt::LeftButton, c.keys, c.to);
        EXPECT_EQ(View().MouseMode(), kStudioObject) << c.what;
        EXPECT_EQ(Doc().DraggedItem(), kNoItem) << c.what;
        ExpectNear(Position(0), c.position, c.what);
        EXPECT_EQ(Direction(0).x != 0.0f, c.turned) << c.what;
        // b is joined to a and goes with it.
        EXPECT_NEAR(rm::Length(Position(1) - Position(0)), 1.5f, 1e-4f) << c.what;
        if (!c.turned) ExpectNear(Position(1) - Position(0), {1.5f, 0, 0}, c.what);
    }

    // Nothing under the pointer: no drag.
    QTest::mousePress(port, Qt::LeftButton, {}, kEmpty);
    EXPECT_EQ(View().MouseMode(), kStudioObject);
}

TEST_F(ViewMouseTest, JointModeTurnsTheJointsTargetAboutIt) {
    RightClicks(2);
    port->repaint();
    QTest::mousePress(port, Qt::LeftButton, {}, kJoint + QPoint(3, 0));
    EXPECT_EQ(View().MouseMode(), kStudioJointTurn);
    EXPECT_EQ(View().SelectedJoint(), 0);
    EXPECT_EQ(View().TurnedItem(), 1);
    EXPECT_EQ(Doc().DraggedItem(), Doc().Items()[1].id);
    Move(kJoint + QPoint(23, 0));
    QTest::mouseRelease(port, Qt::LeftButton, {}, kJoint + QPoint(23, 0));
    EXPECT_EQ(View().MouseMode(), kStudioJointSelected);
    EXPECT_EQ(Doc().DraggedItem(), kNoItem);
    // b swung about the joint, a stayed.
    ExpectNear(Position(0), {1, 1, 0}, "a");
    EXPECT_NEAR(rm::Length(Position(1) - rm::Vector3{1.75f, 1, 0}), 0.75f, 1e-4f);
    EXPECT_GT(std::fabs(Position(1).z), 0.01f);

    // A miss clears the selection; the right button goes back to the joint mode first.
    QTest::mousePress(port, Qt::LeftButton, {}, kEmpty);
    EXPECT_EQ(View().SelectedJoint(), -1);
    EXPECT_EQ(View().MouseMode(), kStudioJoint);
    RightClicks(1);
    EXPECT_EQ(View().MouseMode(), kStudioCamera);
}

// Through the window, as the desktop delivers them: a press and release in each dragging mode
// leave no grab behind that would swallow the next events.
TEST_F(ViewMouseTest, ButtonUpThroughTheWindowEndsEveryDrag) {
    QWindow* window = app->Frame().windowHandle();
    ASSERT_TRUE(window);
    auto inWindow = [&](QPoint p) { return port->mapTo(port->window(), p); };
    struct Case {
        int rightClicks;
        QPoint at;
        int during, after;
    };
    const Case cases[] = {{0, kEmpty, kStudioCameraDrag, kStudioCamera},
                          {1, kCubeA, kStudioObjectDrag, kStudioObject},
                          {1, kJoint, kStudioJointTurn, kStudioJointSelected}};
    for (const Case& c : cases) {
        RightClicks(c.rightClicks);
        port->repaint();
        QTest::mousePress(window, Qt::LeftButton, {}, inWindow(c.at));
        EXPECT_EQ(View().MouseMode(), c.during);
        QTest::mouseRelease(window, Qt::LeftButton, {}, inWindow(c.at));
        EXPECT_EQ(View().MouseMode(), c.after);
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    }
}

TEST_F(ViewMouseTest, DoubleClickOpensTheDialogOfWhatIsUnderIt) {
    RightClicks(1);
    CloseNextDialog();
    DoubleClick(kCubeA);
    EXPECT_EQ(dialogShown, "ObjectDialog");
    EXPECT_EQ(app->Tree().SelectedIndex(), 0);
    dialogShown.clear();
    DoubleClick(kEmpty);  // nothing there, nothing opens
    EXPECT_EQ(View().MouseMode(), kStudioObject);
    EXPECT_EQ(dialogShown, "");

    RightClicks(1);
    port->repaint();
    CloseNextDialog();
    DoubleClick(kJoint);
    EXPECT_EQ(dialogShown, "JointDialog");
    // Elsewhere (the camera mode) a double-click is a button down.
    RightClicks(1);
    DoubleClick(kEmpty);
    EXPECT_EQ(View().MouseMode(), kStudioCameraDrag);
    QTest::mouseRelease(port, Qt::LeftButton, {}, kEmpty);
}

}  // namespace
