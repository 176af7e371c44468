#include "viewport/camera_navigation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/vector_text.h"

namespace {

using namespace viewport;

class RecordingHost : public NavigationHost {
public:
    std::vector<int32_t> cursors, pickedPoints, selectedFaces, changedLines;
    std::vector<int32_t>* pickList = nullptr;
    bool captured = false, confined = false, planePaint = false, vertexDialogChanges = false;
    int makeFaceRuns = 0, planeEvents = 0, repaints = 0;
    std::vector<std::string> messages;

    void SetModeCursor(int32_t mode) override { cursors.push_back(mode); }
    void CaptureMouse(bool on) override { captured = on; }
    void ConfinePointer(bool on) override { confined = on; }
    void PickPointFromPane(int32_t point) override { pickedPoints.push_back(point); }
    bool OpenVertexDialog(int32_t) override { return vertexDialogChanges; }
    void SelectFaceLine(int32_t face) override { selectedFaces.push_back(face); }
    void RunMakeFace() override { ++makeFaceRuns; }
    void ClearPickList() override { pickList->clear(); }
    bool PlanePaintActive() override { return planePaint; }
    void PlanePaintMouse(PaneMouse, int, int, Modifiers) override { ++planeEvents; }
    void PointLinesChanged(const std::vector<int32_t>& lines) override {
        changedLines.insert(changedLines.end(), lines.begin(), lines.end());
    }
    void RepaintView() override { ++repaints; }
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
};

void ExpectNear(rm::Vector3 a, rm::Vector3 b, float tolerance = 1e-4f) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

// The live pane on the software device, 320 x 200, with the navigator updating the camera
// before every frame; `frames` counts the frames shown.
struct Pane : testing::Test {
    model::MeshModel model;
    ModelRenderObjects objects;
    ModelPane pane{model, objects};
    RecordingHost host;
    CameraNavigator nav{pane, model.points, host};
    std::vector<int32_t> picks;
    int frames = 0;

    void SetUp() override {
        pane.device.pane = {0, 0, 320, 200};
        DeviceRequest request;
        ASSERT_TRUE(pane.Create(request, 1024, 768, 800, 600, nullptr));
        pane.pickList = &picks;
        host.pickList = &picks;
        pane.updateCamera = [this] { nav.UpdateGaze(); };
        pane.device.present = [this] { ++frames; };
        nav.ApplySettings({});
    }
    void Use(float speed, bool reverse, bool look) {
        NavigationSettings s;
        s.speed = speed;
        s.reverse = reverse;
        s.lookAtOnePoint = look;
        nav.ApplySettings(s);
    }
    void Points(std::vector<std::string> points, std::vector<std::string> faces = {""}) {
        model.points.ReplaceLines(std::move(points));
        model.faces.ReplaceLines(std::move(faces));
        pane.RebuildPointMarkers(kReparseAll);
    }
    rm::FramePtr Camera() const { return pane.scene.camera; }
    rm::Vector3 Position() const { return Camera()->Position(); }
    rm::Vector3 Direction() const {
        rm::Vector3 d, u;
        Camera()->GetOrientation({}, d, u);
        return d;
    }
    rm::Vector3 Up() const {
        rm::Vector3 d, u;
        Camera()->GetOrientation({}, d, u);
        return u;
    }
    // The pane pixel showing a point of the scene.
    std::pair<int, int> Pixel(rm::Vector3 world) const {
        const rm::Vector3 c = Camera()->InverseTransform(world);
        const float focal = 160.0f * kFrontDistance / kField;
        return {static_cast<int>(std::lround(160 + c.x / c.z * focal)),
                static_cast<int>(std::lround(100 - c.y / c.z * focal))};
    }
    void Drag(int x0, int y0, int x1, int y1, Modifiers keys = {}) {
        nav.OnPaneLeftDown(x0, y0, keys);
        nav.OnPaneMouseMove(x1, y1, keys);
        nav.OnPaneLeftUp(x1, y1, keys);
    }
    void FlyTo(int x, int y) {
        nav.OnPaneDoubleClick(x, y, {});
        for (int i = 0; i < kFlyTicks; ++i) nav.OnTimerTick();
    }
};

TEST_F(Pane, SpeedZeroStopsTranslationsButNotRotations) {
    Use(0, false, false);
    const rm::Vector3 start = Position();
    nav.MoveCamera(10, -7, false, false);
    nav.MoveCamera(3, 8, true, false);
    EXPECT_EQ(Position(), start);
    nav.MoveCamera(30, 0, false, true);  // 30 degrees about the camera's own y axis
    EXPECT_EQ(Position(), start);
    ExpectNear(Direction(), {0.5f, 0, std::sqrt(0.75f)});
}

TEST_F(Pane, DefaultsCircleTheOriginAndShiftChangesTheDistance) {
    const float distance = std::sqrt(27.0f);
    pane.RequestFrame();  // the first frame aims the camera and takes its distance
    nav.OnPaneLeftDown(100, 100, {});
    EXPECT_EQ(nav.Mode(), kModeCameraDrag);
    EXPECT_TRUE(host.captured);
    for (auto [x, y] : {std::pair{130, 100}, {130, 140}, {60, 60}, {200, 20}}) {
        nav.OnPaneMouseMove(x, y, {});
        EXPECT_NEAR(rm::Length(Position()), distance, 1e-4f);
        ExpectNear(Direction(), rm::Normalize(-Position()));
    }
    EXPECT_GT(rm::Length(Position() - rm::Vector3{1, 1, -5}), 1.0f);
    nav.OnPaneLeftUp(200, 20, {});
    EXPECT_EQ(nav.Mode(), kModeCamera);
    EXPECT_FALSE(host.captured);

    // Dragging down 40 pixels is 8 units, reversed: 0.4 towards the point.
    Drag(200, 20, 200, 60, {true, false});
    EXPECT_NEAR(rm::Length(Position()), distance - 0.4f, 1e-4f);
    EXPECT_NEAR(nav.Settings().gazeDistance, distance - 0.4f, 1e-4f);
    Drag(200, 60, 150, 90);
    EXPECT_NEAR(rm::Length(Position()), distance - 0.4f, 1e-4f);
}

TEST_F(Pane, ReverseModeTurnsTheDragAround) {
    Use(1, true, false);
    Drag(100, 100, 110, 100);  // right: the camera goes left
    ExpectNear(Position(), {0.9f, 1, -5});
    Use(1, false, false);
    Drag(100, 100, 110, 110);  // right and down
    ExpectNear(Position(), {1.0f, 0.9f, -5});
    nav.OnPaneArrowKey({true, false, true, false}, {});  // left and up held: diagonal
    ExpectNear(Position(), {0.95f, 0.95f, -5});
}

TEST_F(Pane, CtrlDragLevelsTheCameraExceptStraightUp) {
    Use(1, false, false);
    nav.MoveCamera(0, 90, false, true);
    ExpectNear(Direction(), {0, 1, 0});
    ExpectNear(Up(), {0, 0, -1});  // turned with the camera, not forced to (0, 1, 0)
    nav.MoveCamera(0, -45, false, true);
    nav.MoveCamera(20, -10, false, true);
    EXPECT_NEAR(rm::Cross(Up(), Direction()).y, 0.0f, 1e-5f);  // level again
    EXPECT_GT(Up().y, 0.0f);
    ExpectNear(Position(), {1, 1, -5});

    // Looking at one point, Ctrl-drag does nothing at all.
    Use(1, false, true);
    nav.MoveCamera(1, 1, false, false);
    const rm::Vector3 position = Position(), direction = Direction();
    const int shown = frames;
    nav.MoveCamera(25, 40, false, true);
    EXPECT_EQ(Position(), position);
    EXPECT_EQ(Direction(), direction);
    EXPECT_EQ(frames, shown);
}

TEST_F(Pane, ToolModeCycle) {
    nav.OnPaneRightClick();
    EXPECT_EQ(nav.Mode(), kModeGaze);
    nav.OnPaneRightClick();
    EXPECT_EQ(nav.Mode(), kModeVertex);
    picks = {3};
    nav.OnPaneRightClick();  // points picked: the make-face flow instead
    EXPECT_EQ(host.makeFaceRuns, 1);
    EXPECT_EQ(nav.Mode(), kModeVertex);
    picks.clear();
    nav.OnPaneRightClick();
    EXPECT_EQ(nav.Mode(), kModeFace);
    nav.OnPaneRightClick();
    EXPECT_EQ(nav.Mode(), kModeCamera);
    EXPECT_EQ(host.cursors, (std::vector<int32_t>{2, 6, 7, 0}));

    host.planePaint = true;
    nav.OnPaneRightClick();
    EXPECT_EQ(nav.Mode(), kModePlanePaint);
    nav.OnPaneLeftDown(5, 5, {});
    nav.OnPaneMouseMove(6, 6, {});
    EXPECT_EQ(host.planeEvents, 2);
    nav.SetMode(kModePlanePaintDrag);
    nav.OnPaneRightClick();
    EXPECT_EQ(nav.Mode(), kModePlanePaint);
    nav.OnPaneRightClick();
    EXPECT_EQ(nav.Mode(), kModeVertex);

    nav.SetMode(kModeCamera);
    nav.OnPaneLeftDown(5, 5, {});
    nav.OnPaneRightClick();  // a drag keeps its mode
    EXPECT_EQ(nav.Mode(), kModeCameraDrag);
}

TEST_F(Pane, GazeFlyToMovesAndLeaving) {
    Points({"1, 2, 3", "", "4, 5, 6"});
    pane.RequestFrame();  // aimed at the gaze point
    const rm::Vector3 start = Position(), startDirection = Direction();
    const RenderScene& scene = pane.scene;

    nav.OnPaneRightClick();
    const rm::Vector3 ray = nav.PickRay(200, 80);
    nav.OnPaneDoubleClick(200, 80, {});
    EXPECT_EQ(nav.Mode(), kModeFlying);
    ExpectNear(nav.GazeAxis(), ray, 1e-6f);
    EXPECT_EQ(scene.guideFrame1->Visuals().size(), 1u);
    // The guide line grows with the speed, also after it was turned along the ray.
    EXPECT_NEAR(rm::Length(scene.guideFrame1->Transform({0, 0, 1}) - start), 10.0f, 1e-4f);
    for (int i = 0; i < kFlyTicks - 1; ++i) nav.OnTimerTick();
    EXPECT_EQ(nav.Mode(), kModeFlying);
    nav.OnTimerTick();
    EXPECT_EQ(nav.Mode(), kModeGazing);
    ExpectNear(nav.GazePoint(), start + ray);
    EXPECT_NEAR(rm::Length(Position() - nav.GazePoint()), 1.0f, 1e-4f);
    ExpectNear(Direction(), rm::Normalize(nav.GazePoint() - Position()));
    EXPECT_NEAR(rm::Dot(Direction(), ray), 0.0f, 1e-4f);  // seen from the side
    EXPECT_EQ(scene.guideFrame2->Visuals().size(), 1u);

    // Ctrl orbits about the gaze axis, Shift changes the distance, a plain drag slides the
    // point along the axis.
    nav.MoveCamera(0, 30, false, true);
    EXPECT_NEAR(nav.GazeDistance(), 1.0f, 1e-4f);
    EXPECT_NEAR(rm::Length(Position() - nav.GazePoint()), 1.0f, 1e-4f);
    nav.MoveCamera(0, 4, true, false);
    EXPECT_NEAR(nav.GazeDistance(), 1.2f, 1e-3f);
    nav.MoveCamera(8, 3, false, false);
    const rm::Vector3 along = nav.GazePoint() - start;
    EXPECT_NEAR(rm::Length(rm::Cross(along, ray)), 0.0f, 1e-4f);
    EXPECT_NEAR(rm::Length(Position() - nav.GazePoint()), nav.GazeDistance(), 1e-4f);

    // Enter adds the point in the first empty line and flies back.
    const rm::Vector3 p = nav.GazePoint();
    nav.OnPaneEnter();
    EXPECT_EQ(model.points.lines[1], model::FormatVector(p.x, p.y, p.z));
    EXPECT_EQ(host.changedLines, (std::vector<int32_t>{1}));
    EXPECT_EQ(objects.pointMesh->VertexCount(), 3u);
    EXPECT_EQ(nav.Mode(), kModeGaze);
    ExpectNear(Position(), start);
    ExpectNear(Direction(), startDirection);
    EXPECT_TRUE(scene.guideFrame1->Visuals().empty());
    EXPECT_TRUE(scene.guideFrame2->Visuals().empty());

    // Escape leaves the camera where the flight took it (and, looking at one point, where
    // the next frame aims it).
    Use(1, true, false);
    FlyTo(100, 100);
    const rm::Vector3 there = Position();
    nav.OnPaneEscape();
    EXPECT_EQ(nav.Mode(), kModeGaze);
    EXPECT_EQ(Position(), there);
    EXPECT_TRUE(scene.guideFrame1->Visuals().empty());

    // With no empty line the sheet grows by one.
    FlyTo(100, 100);
    nav.OnPaneEnter();
    EXPECT_EQ(model.points.maxLine, 3);
    EXPECT_FALSE(model.points.lines[3].empty());
}

TEST_F(Pane, PickingPointsAndFaces) {
    Points({"bad", "1, 0, 0", "0, 1, 0", "", "1, 1, 0", "2, 0, 0", "2, 1, 0"},
           {"1, 4, 2", "1, 5, 6, 4"});
    pane.RequestFrame();
    nav.SetMode(kModeVertex);
    auto [x4, y4] = Pixel({1, 1, 0});
    nav.OnPaneLeftDown(x4, y4, {});
    auto [x0, y0] = Pixel({0, 0, 0});
    nav.OnPaneLeftDown(x0, y0, {});  // the marker of the line that is no point
    EXPECT_EQ(host.pickedPoints, (std::vector<int32_t>{4}));

    auto [x1, y1] = Pixel({1, 0, 0});
    int shown = frames;
    nav.OnPaneDoubleClick(x1, y1, {});
    EXPECT_EQ(frames, shown);  // the dialog changed nothing
    host.vertexDialogChanges = true;
    nav.OnPaneDoubleClick(x1, y1, {});
    EXPECT_EQ(frames, shown + 1);  // the model mesh was rebuilt

    // A pickable mesh in front of the model, on the gizmo's frame, is never hit.
    rm::MeshBuilderPtr cover = rm::MeshBuilder::Create();
    cover->AddFaces(std::vector<rm::Vector3>{{-9, -9, -1}, {-9, 9, -1}, {9, 9, -1}, {9, -9, -1}},
                    {}, std::vector<uint32_t>{4, 0, 1, 2, 3, 0});
    pane.scene.gizmo.axis->AddVisual(cover);
    pane.scene.gizmo.axis->SetTraversalOptions(rm::kRenderEnable | rm::kPickEnable);
    nav.SetMode(kModeFace);
    auto [xf, yf] = Pixel({1.5f, 0.5f, 0});
    nav.OnPaneLeftDown(xf, yf, {});
    EXPECT_EQ(host.selectedFaces, (std::vector<int32_t>{1}));
    EXPECT_EQ(objects.modelMesh->FaceColor(1), 0xFFFF0000u);
    nav.OnPaneLeftDown(2, 2, {});  // nothing there
    EXPECT_EQ(host.selectedFaces.size(), 1u);
}

TEST_F(Pane, MovingPickedPointsWritesThemBack) {
    Points({"0, 0, 0", "1, 0, 0", "0, 1, 0"});
    pane.RequestFrame();
    picks = {2, 1, 2};  // a repeated entry must not write the origin back
    pane.settings.displayMode = kDisplayWireframe;
    pane.settings.showPoints = false;
    nav.SetMode(kModeVertex);
    ASSERT_TRUE(nav.BeginMovePoints());
    EXPECT_EQ(nav.Mode(), kModeMovePoints);
    EXPECT_TRUE(model.points.lines[1].empty());
    EXPECT_TRUE(model.points.lines[2].empty());
    EXPECT_EQ(pane.settings.displayMode, kDisplayHidden);
    EXPECT_TRUE(pane.settings.showPoints);
    EXPECT_EQ(nav.Mover().Mesh()->FaceCount(), 2u);
    EXPECT_FALSE(nav.BeginMovePoints());

    const rm::FramePtr frame = nav.Mover().Frame();
    nav.OnPaneLeftDown(100, 100, {});
    EXPECT_EQ(nav.Mode(), kModeMovePointsDrag);
    EXPECT_TRUE(host.confined);
    nav.OnPaneMouseMove(100, 80, {true, false});  // 20 pixels up: one unit along the view
    ExpectNear(frame->Position(), Direction());
    const float depth = Camera()->InverseTransform(frame->Position()).z;
    nav.OnPaneMouseMove(132, 60, {});  // in the view plane
    EXPECT_NEAR(Camera()->InverseTransform(frame->Position()).z, depth, 1e-4f);
    ExpectNear(frame->Position() - Direction(),
               Up() * (depth * 0.1f) + rm::Cross(Up(), Direction()) * (depth * 0.1f));
    nav.OnPaneLeftUp(132, 60, {});
    EXPECT_FALSE(host.confined);

    const rm::Vector3 t = frame->Position();
    nav.OnPaneRightClick();
    EXPECT_EQ(nav.Mode(), kModeVertex);
    EXPECT_TRUE(picks.empty());
    EXPECT_EQ(pane.settings.displayMode, kDisplayWireframe);
    EXPECT_FALSE(pane.settings.showPoints);
    EXPECT_EQ(frame->Parent(), nullptr);
    for (auto [line, original] : {std::pair{1, rm::Vector3{1, 0, 0}}, {2, {0, 1, 0}}}) {
        std::optional<model::Vertex> v = model::ParseVector(model.points.lines[line]);
        ASSERT_TRUE(v);
        ExpectNear({v->x, v->y, v->z}, original + t);
    }
    EXPECT_EQ(model.points.lines[0], "0, 0, 0");
    EXPECT_EQ(objects.pointMesh->VertexCount(), 3u);
}

TEST_F(Pane, HostileSettingsAndNoDevice) {
    NavigationSettings bad;
    bad.speed = std::nanf("");
    bad.gazePoint = {std::numeric_limits<float>::infinity(), 0, 0};
    nav.ApplySettings(bad);
    EXPECT_EQ(nav.Settings().speed, 1.0f);
    EXPECT_EQ(nav.Settings().gazePoint, (rm::Vector3{0, 0, 0}));

    // After shutdown every gesture is a no-op.
    pane.Shutdown();
    nav.MoveCamera(3, 3, false, false);
    nav.UpdateGaze();
    nav.SetMode(kModeGaze);
    nav.OnPaneDoubleClick(10, 10, {});
    nav.OnTimerTick();
    EXPECT_EQ(nav.Mode(), kModeGaze);
    EXPECT_EQ(nav.PickVertex(10, 10), -1);
    EXPECT_EQ(nav.PickFace(10, 10), -1);
    picks = {0};
    EXPECT_FALSE(nav.BeginMovePoints());
}

}  // namespace
