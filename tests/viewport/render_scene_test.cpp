#include "viewport/render_scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>

#include "platform/image/image_loader.h"
#include "tests/support/scripted_prompt.h"
#include "tests/support/temp_dir.h"
#include "viewport/model_pane.h"

namespace {

using namespace viewport;
using testing_support::ScriptedPrompt;
using testing_support::TempDir;
using V = rm::Vector3;

constexpr uint32_t kGreen = 0xFF00FF00, kYellow = 0xFFFFFF00, kBlue = 0xFF0000FF;
constexpr uint32_t kWhite = 0xFFFFFFFF, kCyan = 0xFF00FFFF, kMagenta = 0xFFFF00FF;

void ExpectNear(V a, V b, float tolerance = 1e-4f) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

// A picture as rows of ARGB, from the pane or from a file read back.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> argb;

    static Picture Of(const rm::PixelView& view) {
        Picture p{view.width, view.height, {}};
        for (int y = 0; y < view.height; ++y)
            for (int x = 0; x < view.width; ++x)
                p.argb.push_back(view.pixels[static_cast<size_t>(y) * view.stride + x]);
        return p;
    }
    static Picture Of(const image::Image& image) { return {image.width, image.height, image.argb}; }

    uint32_t At(int x, int y) const {
        return argb[static_cast<size_t>(y) * width + x] | 0xFF000000;
    }
    // Pixels of exactly this colour inside [x0, x1] x [y0, y1].
    int Count(uint32_t color, int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = std::max(y0, 0); y <= std::min(y1, height - 1); ++y)
            for (int x = std::max(x0, 0); x <= std::min(x1, width - 1); ++x) n += At(x, y) == color;
        return n;
    }
    int Count(uint32_t color) const { return Count(color, 0, 0, width - 1, height - 1); }
    // Near a colour within a JPEG's error.
    int CountNear(uint32_t color, int tolerance) const {
        int n = 0;
        for (uint32_t c : argb)
            n += std::abs(int(rm::RedOf(c)) - int(rm::RedOf(color))) <= tolerance &&
                 std::abs(int(rm::GreenOf(c)) - int(rm::GreenOf(color))) <= tolerance &&
                 std::abs(int(rm::BlueOf(c)) - int(rm::BlueOf(color))) <= tolerance;
        return n;
    }
};

// Where the default camera at (1, 1, -5) looking along +z draws the gizmo in a 320 x 200
// pane: the origin lands at about (96, 164), one unit at distance 5 is 64 pixels.
struct GizmoRegions {
    // Counts of the axis colours along the middle of each line.
    static int XLine(const Picture& p) { return p.Count(kGreen, 108, 161, 150, 167); }
    static int YLine(const Picture& p) { return p.Count(kYellow, 93, 110, 99, 152); }
    static int ZLine(const Picture& p) { return p.Count(kBlue, 97, 154, 106, 162); }
};

// The live pane headless on the software device, 320 x 200 on a 1024 x 768 display.
struct ScenePane : testing::Test {
    model::MeshModel model;
    ModelRenderObjects objects;
    ModelPane pane{model, objects};
    ScriptedPrompt prompt;
    int frames = 0;

    void SetUp() override {
        pane.device.pane = {0, 0, 320, 200};
        DeviceRequest request;
        ASSERT_TRUE(pane.Create(request, 1024, 768, 800, 600, &prompt));
        pane.device.present = [this] { ++frames; };
    }

    // A square of own colour `color` at z = 3 around the camera's line of sight, well away
    // from the gizmo, and one lone point up and to the right at (2, 2, 0).
    void SquareModel(uint32_t color) {
        model.points.ReplaceLines(
            {"0.5, 0.5, 3", "0.5, 1.5, 3", "1.5, 1.5, 3", "1.5, 0.5, 3", "2, 2, 0", ""});
        model.faces.ReplaceLines({"0, 1, 2, 3", ""});
        model.faces.ResizeFaceArrays();
        model.faces.FaceStatus[0] = model::FaceSheet::kStatusOwnColor;
        model.faces.FaceColor[0] = static_cast<int32_t>(color);
        pane.RebuildPointMarkers(kReparseAll);
    }
    Picture Shown() const { return Picture::Of(pane.device.Picture()); }
    // The lone point's marker (screen about (224, 36)).
    static int LonePoint(const Picture& p) { return p.Count(kWhite, 221, 33, 227, 39); }
};

// --- the static meshes

struct MeshTable {
    std::vector<V> vertices;
    std::vector<std::vector<int>> faces;
    uint32_t color;
};

void ExpectMesh(const rm::MeshBuilderPtr& mesh, const MeshTable& table, const char* name) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(mesh);
    ASSERT_EQ(mesh->VertexCount(), table.vertices.size());
    for (size_t i = 0; i < table.vertices.size(); ++i) {
        V v;
        ASSERT_TRUE(mesh->GetVertex(i, v));
        EXPECT_EQ(v, table.vertices[i]) << "vertex " << i;
    }
    ASSERT_EQ(mesh->FaceCount(), table.faces.size());
    for (size_t f = 0; f < table.faces.size(); ++f) {
        ASSERT_EQ(mesh->FaceVertexCount(f), 3) << "face " << f;
        for (size_t j = 0; j < 3; ++j)
            EXPECT_EQ(mesh->FaceVertexIndex(f, j), table.faces[f][j]) << "face " << f;
        EXPECT_EQ(mesh->FaceColor(f), table.color) << "face " << f;
    }
    // Faces come in pairs that are the same triangle wound the other way, so the line-like
    // glyphs show from both sides.
    for (size_t f = 0; f + 1 < table.faces.size(); f += 2) {
        V a, b;
        ASSERT_TRUE(mesh->GetFaceFrontNormal(f, a));
        ASSERT_TRUE(mesh->GetFaceFrontNormal(f + 1, b));
        EXPECT_NEAR(a.x + b.x, 0, 1e-5f);
        EXPECT_NEAR(a.y + b.y, 0, 1e-5f);
        EXPECT_NEAR(a.z + b.z, 0, 1e-5f);
        EXPECT_GT(rm::Length(a), 0.5f) << "face " << f << " is degenerate";
    }
    EXPECT_EQ(mesh->Quality(), rm::kQualityWireframe);
}

TEST_F(ScenePane, StaticMeshesHoldTheirTables) {
    const RenderScene& s = pane.scene;
    const std::vector<V> line{{0, 0, 0}, {1, 0, 0.0001f}, {0.5f, 0.0001f, 0}};
    const std::vector<std::vector<int>> lineFaces{{1, 2, 0}, {0, 2, 1}};
    ExpectMesh(s.gizmo.axisMeshX, {line, lineFaces, kGreen}, "axis X");
    ExpectMesh(s.gizmo.axisMeshY, {line, lineFaces, kYellow}, "axis Y");
    ExpectMesh(s.gizmo.axisMeshZ, {line, lineFaces, kBlue}, "axis Z");
    ExpectMesh(s.gizmo.letterMeshX,
               {{{0.0001f, 0.0001f, -0.0001f},
                 {0.5f, 0.5f, 0},
                 {0.5f, -0.5f, 0},
                 {-0.5f, -0.5f, 0},
                 {-0.5f, 0.5f, 0}},
                {{0, 1, 3}, {3, 1, 0}, {4, 2, 0}, {0, 2, 4}},
                kGreen},
               "letter X");
    ExpectMesh(s.gizmo.letterMeshY,
               {{{0.0001f, 0.0001f, -0.0001f},
                 {0.5f, 0.5f, 0},
                 {0, -0.5f, 0},
                 {-0.5f, 0.5f, 0},
                 {0.25f, 0.25f, 0},
                 {0, -0.25f, 0},
                 {-0.25f, 0.25f, 0}},
                {{0, 1, 4}, {4, 1, 0}, {0, 5, 2}, {2, 5, 0}, {0, 3, 6}, {6, 3, 0}},
                kYellow},
               "letter Y");
    ExpectMesh(s.gizmo.letterMeshZ,
               {{{0.0001f, 0.0001f, -0.0001f},
                 {-0.5f, 0.5001f, -0.0001f},
                 {0, 0.5f, 0},
                 {0.5f, 0.5f, 0},
                 {-0.5f, -0.5f, 0},
                 {0, -0.5001f, 0.0001f},
                 {0.5f, -0.5f, 0}},
                {{1, 2, 3}, {3, 2, 1}, {3, 0, 4}, {4, 0, 3}, {4, 5, 6}, {6, 5, 4}},
                kBlue},
               "letter Z");
    ExpectMesh(s.guideMesh1,
               {{{0, 0, 0}, {0.0001f, 0.0001f, -10}, {0, 0, 10}}, {{0, 1, 2}, {0, 2, 1}}, kWhite},
               "guide 1");
    ExpectMesh(s.guideMesh2,
               {{{0, 0, 0}, {0, 10, 0}, {0.0001f, -10, 0.0001f}}, {{0, 1, 2}, {0, 2, 1}}, kCyan},
               "guide 2");
}

// --- frames, lights and the per-frame steps

TEST_F(ScenePane, FramesHangAsDesignedAndTheGizmoIsNeverPicked) {
    const RenderScene& s = pane.scene;
    EXPECT_EQ(s.root, pane.device.root);
    EXPECT_EQ(s.root->Parent(), nullptr);
    for (const rm::FramePtr& f :
         {s.camera, s.gizmo.axis, s.gizmo.letterX, s.gizmo.letterY, s.gizmo.letterZ, s.lightFrame,
          s.pointFrame, s.modelFrame, s.lookAtTarget, s.guideFrame1, s.guideFrame2})
        EXPECT_EQ(f->Parent(), s.root);
    for (const rm::FramePtr& f : {s.gizmo.axisX, s.gizmo.axisY, s.gizmo.axisZ})
        EXPECT_EQ(f->Parent(), s.gizmo.axis);

    // Each mesh on its own frame, the guides not yet shown.
    const std::pair<rm::FramePtr, rm::MeshBuilderPtr> visuals[] = {
        {s.gizmo.axisX, s.gizmo.axisMeshX},     {s.gizmo.axisY, s.gizmo.axisMeshY},
        {s.gizmo.axisZ, s.gizmo.axisMeshZ},     {s.gizmo.letterX, s.gizmo.letterMeshX},
        {s.gizmo.letterY, s.gizmo.letterMeshY}, {s.gizmo.letterZ, s.gizmo.letterMeshZ}};
    for (const auto& [frame, mesh] : visuals) {
        ASSERT_EQ(frame->Visuals().size(), 1u);
        EXPECT_EQ(frame->Visuals()[0], mesh);
    }
    EXPECT_TRUE(s.guideFrame1->Visuals().empty());
    EXPECT_TRUE(s.guideFrame2->Visuals().empty());
    EXPECT_EQ(s.pointMesh, objects.pointMesh);
    EXPECT_EQ(s.modelMesh, objects.modelMesh);

    // Rendered but never hit by a pick; the model is pickable.
    for (const rm::FramePtr& f : {s.gizmo.axis, s.gizmo.letterX, s.gizmo.letterY, s.gizmo.letterZ})
        EXPECT_EQ(f->TraversalOptions(), rm::kRenderEnable);
    EXPECT_TRUE(s.modelFrame->TraversalOptions() & rm::kPickEnable);

    // The three lines run one unit along their own axes.
    ExpectNear(s.gizmo.axisX->Transform({1, 0, 0}), {1, 0, 0});
    ExpectNear(s.gizmo.axisY->Transform({1, 0, 0}), {0, 1, 0});
    ExpectNear(s.gizmo.axisZ->Transform({1, 0, 0}), {0, 0, 1});
    ExpectNear(s.gizmo.letterX->Position(), {1.25f, 0, 0});
    ExpectNear(s.gizmo.letterY->Position(), {0, 1.25f, 0});
    ExpectNear(s.gizmo.letterZ->Position(), {0, 0, 1.25f});

    // Lights from the settings' defaults.
    ASSERT_EQ(s.root->Lights().size(), 1u);
    EXPECT_EQ(s.root->Lights()[0], s.ambientLight);
    EXPECT_EQ(s.ambientLight->Type(), rm::LightType::kAmbient);
    EXPECT_NEAR(s.ambientLight->Color().g, 0.2f, 1e-6f);
    ASSERT_EQ(s.lightFrame->Lights().size(), 1u);
    EXPECT_EQ(s.directionalLight->Type(), rm::LightType::kDirectional);
    EXPECT_NEAR(s.directionalLight->Color().r, 0.8f, 1e-6f);
    V direction, up;
    s.lightFrame->GetOrientation(s.root, direction, up);
    const float k = 1 / std::sqrt(3.0f);
    ExpectNear(direction, {-k, -k, k});
    EXPECT_EQ(s.pointMesh->Quality(), rm::kQualityFlat);

    // Picking where the X letter is drawn finds nothing: the markers, model and guides are
    // empty, and the gizmo must not answer.
    pane.RequestFrame();
    for (int x = 170; x <= 182; ++x)
        for (int y = 158; y <= 170; ++y) EXPECT_TRUE(pane.device.viewport->Pick(x, y).empty());
    EXPECT_GT(Shown().Count(kGreen, 170, 158, 182, 170), 0);  // the letter is there
}

TEST_F(ScenePane, LettersTurnWithTheCameraAndKeepTheirSize) {
    const RenderScene& s = pane.scene;
    s.camera->SetPosition(s.root, 4, 3, -2);
    s.camera->SetOrientation(s.root, {-1, -0.5f, 1}, {0, 1, 0});
    for (int i = 0; i < 3; ++i) pane.RequestFrame();  // a scale added each frame must not pile up
    V cd, cu;
    s.camera->GetOrientation(s.root, cd, cu);
    for (const rm::FramePtr& letter : {s.gizmo.letterX, s.gizmo.letterY, s.gizmo.letterZ}) {
        V d, u;
        letter->GetOrientation(s.root, d, u);
        ExpectNear(d, cd);
        ExpectNear(u, cu);
        const V origin = letter->Transform({0, 0, 0});
        EXPECT_NEAR(rm::Length(letter->Transform({0.5f, 0, 0}) - origin), 0.0625f, 1e-5f);
        EXPECT_NEAR(rm::Length(letter->Transform({0, 0, 0.5f}) - origin), 0.0625f, 1e-5f);
    }
    ExpectNear(s.gizmo.letterY->Position(), {0, 1.25f, 0});
}

TEST_F(ScenePane, AxisSettingsScaleOnceMoveTheLettersAndSwitchVisibility) {
    const RenderScene& s = pane.scene;
    pane.settings.axisSize = 2;
    pane.settings.letterSize = 0.25f;
    pane.scene.ApplyAxisSettings(pane.settings);
    pane.scene.ApplyAxisSettings(pane.settings);  // replaces, never compounds
    ExpectNear(s.gizmo.axisX->Transform({1, 0, 0}), {2, 0, 0});
    ExpectNear(s.gizmo.axisY->Transform({1, 0, 0}), {0, 2, 0});
    ExpectNear(s.gizmo.letterZ->Position(), {0, 0, 2.5f});
    pane.RequestFrame();
    EXPECT_NEAR(rm::Length(s.gizmo.letterX->Transform({1, 0, 0}) - s.gizmo.letterX->Position()),
                0.25f, 1e-5f);

    pane.settings.showAxis = false;
    pane.scene.ApplyAxisSettings(pane.settings);
    EXPECT_EQ(s.gizmo.axis->TraversalOptions(), 0u);
    EXPECT_EQ(s.gizmo.letterX->TraversalOptions(), rm::kRenderEnable);
    pane.settings.showLetters = false;
    pane.settings.showAxis = true;
    pane.scene.ApplyAxisSettings(pane.settings);
    EXPECT_EQ(s.gizmo.axis->TraversalOptions(), rm::kRenderEnable);
    for (const rm::FramePtr& f : {s.gizmo.letterX, s.gizmo.letterY, s.gizmo.letterZ})
        EXPECT_EQ(f->TraversalOptions(), 0u);
}

// --- what the pane draws

TEST_F(ScenePane, EmptyModelDrawsOnlyTheGizmoAndSaysNothing) {
    pane.settings.pointColor = 0xFFFF8000;
    pane.RebuildPointMarkers(kReparseAll);
    EXPECT_EQ(objects.pointMesh->FaceCount(), 0u);
    EXPECT_EQ(objects.modelMesh->FaceCount(), 0u);
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(frames, 1);
    const Picture p = Shown();
    EXPECT_EQ(p.Count(0xFFFF8000), 0);
    EXPECT_GT(GizmoRegions::XLine(p), 0);
    // Everything but the gizmo is background.
    const int gizmo = p.Count(kGreen) + p.Count(kYellow) + p.Count(kBlue);
    EXPECT_EQ(p.Count(0xFF000000) + gizmo, p.width * p.height);

    // An empty model with face lines draws nothing either.
    model.faces.ReplaceLines({"0, 1, 2", "1, 2", ""});
    pane.RebuildModelMesh(0);
    EXPECT_EQ(objects.modelMesh->FaceCount(), 0u);
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(Shown().argb, p.argb);
}

TEST_F(ScenePane, HiddenModeTakesOnlyTheModelAway) {
    const RenderScene& s = pane.scene;
    pane.settings.displayMode = kDisplayUnlit;  // the face shows its colour unshaded
    SquareModel(kMagenta);
    Picture p = Shown();
    EXPECT_EQ(p.At(160, 100), kMagenta);
    EXPECT_GT(LonePoint(p), 0);

    pane.settings.displayMode = kDisplayHidden;
    pane.RebuildModelMesh(0);
    EXPECT_TRUE(s.modelFrame->Visuals().empty());
    ASSERT_EQ(s.pointFrame->Visuals().size(), 1u);
    p = Shown();
    EXPECT_EQ(p.Count(kMagenta), 0);
    EXPECT_EQ(p.At(160, 100), 0xFF000000u);
    EXPECT_GT(LonePoint(p), 0);
    EXPECT_GT(p.Count(kWhite, 137, 117, 143, 123), 0);  // the square's corner markers stay
    EXPECT_GT(GizmoRegions::XLine(p), 0);
    EXPECT_GT(GizmoRegions::YLine(p), 0);
    EXPECT_GT(GizmoRegions::ZLine(p), 0);
    EXPECT_GT(p.Count(kGreen, 170, 158, 182, 170), 0);  // letter X

    // Back again, attached once however many frames pass.
    pane.settings.displayMode = kDisplayUnlit;
    pane.RequestFrame();
    pane.RequestFrame();
    EXPECT_EQ(s.modelFrame->Visuals().size(), 1u);
    EXPECT_EQ(Shown().At(160, 100), kMagenta);

    pane.settings.showPoints = false;
    pane.RequestFrame();
    EXPECT_TRUE(s.pointFrame->Visuals().empty());
    EXPECT_EQ(LonePoint(Shown()), 0);
    EXPECT_EQ(s.modelFrame->Visuals().size(), 1u);
}

// --- the saved picture

struct SavedPicture : ScenePane {
    TempDir dir;

    void SetUp() override {
        ScenePane::SetUp();
        pane.settings.displayMode = kDisplayUnlit;
        SquareModel(kMagenta);
    }
    static bool GizmoShown(const Picture& p) {
        return GizmoRegions::XLine(p) > 0 && GizmoRegions::YLine(p) > 0 &&
               GizmoRegions::ZLine(p) > 0;
    }
};

TEST_F(SavedPicture, BmpHasNoGizmoWhileThePaneKeepsIt) {
    ASSERT_TRUE(GizmoShown(Shown()));
    const int before = frames;
    const std::string path = dir.File("view.bmp");
    EXPECT_EQ(pane.SaveViewImage(path, 75), "");
    EXPECT_EQ(frames, before);  // the capture is not shown in the pane

    std::optional<image::Image> saved = image::LoadBmpOrPpmFile(path);
    ASSERT_TRUE(saved);
    const Picture p = Picture::Of(*saved);
    ASSERT_EQ(p.width, 320);
    ASSERT_EQ(p.height, 200);
    EXPECT_EQ(p.Count(kGreen) + p.Count(kYellow) + p.Count(kBlue), 0);
    EXPECT_EQ(p.At(160, 100), kMagenta);
    EXPECT_GT(LonePoint(p), 0);

    // The pane shows the gizmo again, and its frames still reach the screen.
    EXPECT_TRUE(pane.settings.showAxis);
    EXPECT_TRUE(pane.settings.showLetters);
    EXPECT_EQ(pane.scene.gizmo.axis->TraversalOptions(), rm::kRenderEnable);
    pane.RequestFrame();
    EXPECT_EQ(frames, before + 1);
    EXPECT_TRUE(GizmoShown(Shown()));
}

TEST_F(SavedPicture, JpegByExtensionAndHiddenSettingsStayHidden) {
    pane.settings.showAxis = false;
    pane.scene.ApplyAxisSettings(pane.settings);
    const std::string path = dir.File("view.JPG");
    EXPECT_EQ(pane.SaveViewImage(path, 90), "");
    image::ImageLoad load = image::LoadJpegFile(path);
    ASSERT_TRUE(load.image);
    const Picture p = Picture::Of(*load.image);
    EXPECT_EQ(p.width, 320);
    EXPECT_GT(p.CountNear(kMagenta, 24), 1000);
    EXPECT_EQ(p.CountNear(kGreen, 60) + p.CountNear(kYellow, 60) + p.CountNear(kBlue, 60), 0);

    EXPECT_FALSE(pane.settings.showAxis);
    EXPECT_TRUE(pane.settings.showLetters);
    EXPECT_EQ(pane.scene.gizmo.axis->TraversalOptions(), 0u);
    EXPECT_EQ(pane.scene.gizmo.letterY->TraversalOptions(), rm::kRenderEnable);
}

TEST_F(SavedPicture, UnwritablePathIsReportedAndTheGizmoComesBack) {
    const std::string path = dir.File("missing/view.bmp");
    EXPECT_NE(pane.SaveViewImage(path, 75), "");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(pane.scene.gizmo.axis->TraversalOptions(), rm::kRenderEnable);
    pane.RequestFrame();
    EXPECT_TRUE(GizmoShown(Shown()));
}

// --- the device

TEST(RenderDeviceSize, ClampedTargetWhileTheRequestKeepsItsValues) {
    EXPECT_EQ(ClampRenderSize(100, 1024), 200);
    EXPECT_EQ(ClampRenderSize(5000, 768), 768);
    EXPECT_EQ(ClampRenderSize(640, 1024), 640);
    EXPECT_EQ(ClampRenderSize(-5, 1024), 200);

    model::MeshModel model;
    ModelRenderObjects objects;
    {
        // The first paint makes the pane min(320, Width) x min(200, Height).
        ModelPane pane(model, objects);
        pane.device.pane = {0, 0, 100, 200};
        DeviceRequest request{1, 100, 5000};
        ASSERT_TRUE(pane.Create(request, 1024, 768, 800, 600, nullptr));
        EXPECT_EQ(request.width, 100);
        EXPECT_EQ(request.height, 5000);
        EXPECT_EQ(pane.device.renderWidth, 200);
        EXPECT_EQ(pane.device.renderHeight, 768);
        EXPECT_EQ(pane.device.device->Width(), 200);
        EXPECT_EQ(pane.device.device->Height(), 768);
    }
    {
        // On a display smaller than the pane the target is smaller too; the device still
        // comes up and the pane shows the target's top-left part.
        ModelPane pane(model, objects);
        pane.device.pane = {0, 0, 320, 200};
        ScriptedPrompt prompt;
        DeviceRequest request;
        ASSERT_TRUE(pane.Create(request, 240, 180, 800, 600, &prompt));
        EXPECT_TRUE(prompt.shown.empty());
        EXPECT_EQ(pane.device.device->Width(), 240);
        EXPECT_EQ(pane.device.device->Height(), 200);
        int frames = 0;
        pane.device.present = [&] { ++frames; };
        pane.RequestFrame();
        EXPECT_EQ(frames, 1);
        EXPECT_EQ(pane.device.viewport->Width(), 240);
        EXPECT_EQ(pane.device.Picture().width, 240);
        EXPECT_EQ(pane.device.Picture().height, 200);
    }
}

TEST(RenderDeviceSize, EmptyPaneDrawsNothingEmptyClientFails) {
    model::MeshModel model;
    ModelRenderObjects objects;
    ScriptedPrompt prompt;
    TempDir dir;
    for (PaneRect rect : {PaneRect{0, 0, 0, 200}, PaneRect{0, 0, 320, 0}}) {
        ModelPane pane(model, objects);
        pane.device.pane = rect;
        DeviceRequest request;
        ASSERT_TRUE(pane.Create(request, 1024, 768, 800, 600, &prompt));
        int frames = 0, before = 0;
        pane.device.present = [&] { ++frames; };
        pane.device.beforeFrame = [&] { ++before; };
        pane.RebuildPointMarkers(kReparseAll);
        pane.RequestFrame();
        EXPECT_EQ(frames + before, 0);
        EXPECT_EQ(pane.device.busy, 0);
        EXPECT_NE(pane.SaveViewImage(dir.File("v.bmp"), 75), "");
        EXPECT_FALSE(std::filesystem::exists(dir.File("v.bmp")));
    }
    EXPECT_TRUE(prompt.shown.empty());

    ModelPane pane(model, objects);
    pane.device.pane = {0, 0, 320, 200};
    DeviceRequest request;
    EXPECT_FALSE(pane.Create(request, 1024, 768, 800, 0, &prompt));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "ウィンドウサイズ不適");
    EXPECT_EQ(prompt.shown[0].caption, "TL");
    EXPECT_FALSE(pane.device.root || pane.device.camera || pane.device.device ||
                 pane.device.viewport);
    EXPECT_FALSE(pane.device.initialised);
    pane.RequestFrame();  // harmless
}

TEST_F(ScenePane, BusyCountBoundsNestedFrames) {
    EXPECT_EQ(pane.device.busy, 0);
    pane.device.busy = 3;
    pane.RequestFrame();
    EXPECT_EQ(frames, 0);
    pane.device.busy = 2;
    pane.RequestFrame();
    EXPECT_EQ(frames, 1);
    pane.device.busy = 0;

    // A frame whose showing asks for frames again (a message box's nested paint) nests
    // three deep at most, then the count is back to rest.
    int depth = 0, deepest = 0;
    pane.device.present = [&] {
        ++frames;
        deepest = std::max(deepest, pane.device.busy);
        if (++depth < 10) pane.RequestFrame();
    };
    frames = 0;
    pane.RequestFrame();
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(deepest, 3);
    EXPECT_EQ(pane.device.busy, 0);
}

TEST(RenderDeviceKind, HardwareFallsBackAndTheKindObtainedIsStored) {
    for (auto [asked, obtained] : {std::pair{0, 1}, {1, 1}, {2, 2}}) {
        model::MeshModel model;
        ModelRenderObjects objects;
        ModelPane pane(model, objects);
        pane.device.pane = {0, 0, 320, 200};
        DeviceRequest request{asked, 640, 480};
        ScriptedPrompt prompt;
        ASSERT_TRUE(pane.Create(request, 1024, 768, 800, 600, &prompt));
        EXPECT_EQ(request.kind, obtained) << "asked " << asked;
        EXPECT_EQ(static_cast<int>(pane.device.device->Kind()), obtained);
        EXPECT_TRUE(prompt.shown.empty());
    }
}

TEST_F(ScenePane, ShutdownReleasesEveryHandleAndMayRunTwice) {
    SquareModel(kMagenta);
    objects.SyncMaterials(model.groups);
    objects.textures.push_back(rm::TexturePtr{});
    const std::weak_ptr<rm::Frame> root = pane.device.root, axis = pane.scene.gizmo.axis,
                                   letter = pane.scene.gizmo.letterZ, camera = pane.device.camera;
    const std::weak_ptr<rm::Device> device = pane.device.device;
    const std::weak_ptr<rm::Viewport> view = pane.device.viewport;
    const std::weak_ptr<rm::MeshBuilder> axisMesh = pane.scene.gizmo.axisMeshX,
                                         guide = pane.scene.guideMesh2;
    const std::weak_ptr<rm::Light> light = pane.scene.directionalLight;

    pane.Shutdown();
    const RenderScene& s = pane.scene;
    for (const rm::FramePtr& f :
         {s.root, s.camera, s.gizmo.axis, s.gizmo.axisX, s.gizmo.axisY, s.gizmo.axisZ,
          s.gizmo.letterX, s.gizmo.letterY, s.gizmo.letterZ, s.lightFrame, s.pointFrame,
          s.modelFrame, s.lookAtTarget, s.guideFrame1, s.guideFrame2, pane.device.root,
          pane.device.camera})
        EXPECT_FALSE(f);
    for (const rm::MeshBuilderPtr& m :
         {s.gizmo.axisMeshX, s.gizmo.axisMeshY, s.gizmo.axisMeshZ, s.gizmo.letterMeshX,
          s.gizmo.letterMeshY, s.gizmo.letterMeshZ, s.pointMesh, s.modelMesh, s.guideMesh1,
          s.guideMesh2})
        EXPECT_FALSE(m);
    EXPECT_FALSE(s.ambientLight || s.directionalLight);
    EXPECT_FALSE(pane.device.device || pane.device.viewport);
    EXPECT_FALSE(pane.device.initialised);
    EXPECT_TRUE(objects.groupMaterials.empty());
    EXPECT_TRUE(objects.textures.empty());
    EXPECT_FALSE(objects.wrap);
    // Nothing keeps the engine objects alive behind the handles.
    EXPECT_TRUE(root.expired() && axis.expired() && letter.expired() && camera.expired());
    EXPECT_TRUE(device.expired() && view.expired());
    EXPECT_TRUE(axisMesh.expired() && guide.expired() && light.expired());

    pane.Shutdown();
    EXPECT_EQ(pane.device.busy, 0);
    const int before = frames;
    pane.RequestFrame();
    pane.RebuildPointMarkers(kReparseAll);
    EXPECT_EQ(frames, before);
    TempDir dir;
    EXPECT_NE(pane.SaveViewImage(dir.File("v.bmp"), 75), "");
    EXPECT_FALSE(std::filesystem::exists(dir.File("v.bmp")));
    EXPECT_TRUE(prompt.shown.empty());
}

}  // namespace

namespace {

// Markers are squares big enough to see and to hit: 3 pixels, a picked point 5, whole even
// where the model's faces meet at the point.
TEST_F(ScenePane, PointMarkersAreSquaresAndPickedOnesLarger) {
    pane.settings.displayMode = kDisplayUnlit;
    SquareModel(kMagenta);
    Picture p = Shown();
    EXPECT_EQ(LonePoint(p), 9);
    EXPECT_EQ(p.Count(kWhite, 218, 30, 230, 42), 9);
    // The corner (0.5, 0.5, 3) of the magenta square, over the face and the background.
    EXPECT_EQ(p.Count(kWhite, 130, 110, 150, 130), 9);

    pane.MarkPoint(4, true);
    pane.RequestFrame();
    p = Shown();
    EXPECT_EQ(p.Count(0xFFFF0000, 218, 30, 230, 42), 25);
    EXPECT_EQ(p.Count(kWhite, 218, 30, 230, 42), 0);
    pane.MarkPoint(-1, false);
    pane.RequestFrame();
    EXPECT_EQ(Shown().Count(kWhite, 218, 30, 230, 42), 9);
}

}  // namespace
