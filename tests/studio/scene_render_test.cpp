// The studio's picture: its size, the background image's three modes, a frame of a scene with
// its own light, fog and camera, picking items and the joint circles over the frame.
#include <gtest/gtest.h>

#include "platform/image/bmp_reader.h"
#include "platform/image/file_io.h"
#include "studio/render/joint_circles.h"
#include "studio/render/studio_render.h"
#include "studio/scene/joint_marker.h"
#include "studio/scene/object_mesh.h"
#include "studio/scene/scene_file.h"
#include "tests/studio/scene_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace studio;
using namespace studio_test;
using testing_support::TempDir;

TEST(StudioRender, PictureSize) {
    struct Case {
        int width, height, fit, client, target;
        PictureSize expected;
    };
    const Case cases[] = {
        {400, 400, 0, 900, 640, {400, 400}},
        {800, 300, 0, 900, 640, {640, 300}},  // never beyond the target
        {400, 400, 1, 500, 640, {500, 480}},  // fitted to the view
        {400, 400, 1, 900, 640, {640, 480}},
    };
    for (const Case& c : cases) {
        SceneEnvironment env;
        env.screenWidth = c.width;
        env.screenHeight = c.height;
        env.fitToView = c.fit;
        EXPECT_EQ(StudioPictureSize(env, c.client, c.client, c.target, 480), c.expected)
            << c.width << " " << c.fit << " " << c.client;
    }
}

TEST(StudioRender, BackgroundPlacement) {
    struct Case {
        int mode, keep, left, top, right, bottom;
        BackgroundBlit expected;
    };
    // A 200 x 100 image on a 400 x 400 picture.
    const Case cases[] = {
        {1, 0, 0, 0, 0, 0, {0, 0, 400, 400, 0, 0, 200, 100}},
        {1, 1, 0, 0, 0, 0, {0, 100, 400, 200, 0, 0, 200, 100}},
        {2, 1, 0, 0, 0, 0, {100, 150, 200, 100, 0, 0, 200, 100}},
        // A region starting left of and above the picture: the image is cropped in proportion.
        {0, 1, -100, -50, 300, 150, {0, 0, 300, 150, 50, 25, 150, 75}},
        {0, 1, 500, 0, 600, 100, {}},  // wholly outside: nothing
    };
    for (const Case& c : cases) {
        SceneEnvironment env;
        env.imageMode = c.mode;
        env.keepAspect = c.keep;
        env.regionLeft = c.left;
        env.regionTop = c.top;
        env.regionRight = c.right;
        env.regionBottom = c.bottom;
        const auto b = PlaceBackground(env, 200, 100, {400, 400});
        if (c.expected.width == 0) {
            EXPECT_FALSE(b) << c.mode;
            continue;
        }
        ASSERT_TRUE(b) << c.mode;
        EXPECT_EQ(
            std::vector<double>({double(b->x), double(b->y), double(b->width), double(b->height),
                                 b->sourceX, b->sourceY, b->sourceWidth, b->sourceHeight}),
            std::vector<double>({double(c.expected.x), double(c.expected.y),
                                 double(c.expected.width), double(c.expected.height),
                                 c.expected.sourceX, c.expected.sourceY, c.expected.sourceWidth,
                                 c.expected.sourceHeight}))
            << c.mode << " " << c.left;
    }
}

// A white cube before the camera, lit by a point light, on a blue background.
struct LitCube {
    TempDir dir;
    CSceneDoc doc;
    LitCube() {
        WriteCubeModel(dir.File("cube.mkl"));
        doc.AppendItems({Object("cube.mkl", 0, {0, 0, 0}), Light(kPointLight, 0, {0, 0, -3})}, {},
                        dir.path(), "");
        doc.SetCameraPlacement({{0, 0, -5}, {0, 0, 1}, {0, 1, 0}});
        doc.environment.screenWidth = doc.environment.screenHeight = 64;
        doc.environment.backgroundColor = 0xFF0000FF;
        doc.ApplyEnvironment();
    }
    uint32_t Pixel(int x, int y) {
        StudioRender render;
        EXPECT_TRUE(render.CreateStudioDevice(64, 64));
        EXPECT_TRUE(render.RenderStudioFrame(doc, 64, 64));
        const image::Image picture = render.Capture();
        EXPECT_EQ(picture.width, 64);
        return picture.At(x, y) & 0xFFFFFF;
    }
};

TEST(StudioRender, FrameShowsLightFogAndBackground) {
    LitCube scene;
    EXPECT_EQ(scene.Pixel(1, 1), 0x0000FFu);  // the background
    const uint32_t lit = scene.Pixel(32, 32);
    EXPECT_GT(lit & 0xFF, 0x40u);  // the cube's lit front face
    EXPECT_EQ((lit >> 16) & 0xFF, lit & 0xFF);

    // Fog of its own colour, closing in before the cube: the cube takes the fog's colour.
    scene.doc.environment.fogEnabled = 1;
    scene.doc.environment.fogOwnColor = 1;
    scene.doc.environment.fogColor = 0xFF00FF00;
    scene.doc.environment.fogStart = 1;
    scene.doc.environment.fogEnd = 2;
    scene.doc.ApplyEnvironment();
    EXPECT_EQ(scene.Pixel(32, 32), 0x00FF00u);

    // Hidden objects are not drawn.
    scene.doc.environment.fogEnabled = 0;
    scene.doc.ApplyEnvironment();
    scene.doc.Items()[0].displayMode = kShowHidden;
    scene.doc.ApplyObjectDisplay(0);
    EXPECT_EQ(scene.Pixel(32, 32), 0x0000FFu);
}

TEST(StudioRender, CameraLooksAtItsPointWhenAsked) {
    LitCube scene;
    scene.doc.SetCameraPlacement({{3, 0, -5}, {0, 0, 1}, {0, 1, 0}});
    EXPECT_EQ(scene.Pixel(32, 32), 0x0000FFu);  // looking past the cube
    scene.doc.environment.cameraLook = 1;
    EXPECT_NE(scene.Pixel(32, 32), 0x0000FFu);
}

// The axis shows in the view with its style; a saved picture leaves it out and the next
// frame has it again.
TEST(StudioRender, TheAxisIsInTheViewButNotInTheSavedPicture) {
    TempDir dir;
    CSceneDoc doc;
    doc.SetCameraPlacement({{0.5f, 0.5f, -4}, {0, 0, 1}, {0, 1, 0}});
    doc.environment.screenWidth = doc.environment.screenHeight = 64;
    StudioRender render;
    ASSERT_TRUE(render.CreateStudioDevice(64, 64));
    const auto drawn = [](const image::Image& picture) {
        int count = 0;
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) count += (picture.At(x, y) & 0xFFFFFF) != 0;
        return count;
    };
    ASSERT_TRUE(render.RenderStudioFrame(doc, 64, 64));
    EXPECT_EQ(drawn(render.Capture()), 0);  // no style: mokkel-tool's pictures
    render.SetAxisStyle({});
    ASSERT_TRUE(render.RenderStudioFrame(doc, 64, 64));
    EXPECT_GT(drawn(render.Capture()), 20);
    ASSERT_EQ(render.SaveViewImage(doc, dir.File("v.bmp"), 75, 64, 64), "");
    const auto bytes = image::ReadFileBytes(dir.File("v.bmp"), 1 << 20);
    ASSERT_TRUE(bytes);
    const auto saved = image::ReadBmp(*bytes);
    ASSERT_TRUE(saved);
    EXPECT_EQ(drawn(*saved), 0);
    ASSERT_TRUE(render.RenderStudioFrame(doc, 64, 64));
    EXPECT_GT(drawn(render.Capture()), 20);
}

TEST(StudioRender, PickItemNamesTheOwnerOfTheNearestMesh) {
    LitCube scene;  // the point light's marker hangs between the camera and the cube
    StudioRender render;
    EXPECT_EQ(render.PickItem(scene.doc, 32, 32), -1);  // nothing rendered yet
    ASSERT_TRUE(render.CreateStudioDevice(64, 64));
    ASSERT_TRUE(render.RenderStudioFrame(scene.doc, 64, 64));
    struct Case {
        bool lights;
        int x, y, expected;
    };
    const Case cases[] = {
        {true, 32, 32, 1},   // the light's marker is nearer
        {false, 32, 32, 0},  // hidden lights cannot be picked
        {true, 26, 32, 0},   // beside the marker, the cube
        {true, 1, 1, -1},    // the background
        {true, 64, 32, -1},  // off the picture
    };
    for (const Case& c : cases) {
        scene.doc.SetShowLights(c.lights);
        EXPECT_EQ(render.PickItem(scene.doc, c.x, c.y), c.expected) << c.x << " " << c.lights;
    }
    // A hidden object is still picked.
    scene.doc.Items()[0].displayMode = kShowHidden;
    scene.doc.ApplyObjectDisplay(0);
    EXPECT_EQ(render.PickItem(scene.doc, 26, 32), 0);
}

TEST(StudioRender, JointCirclesWhereTheMarkersAre) {
    LitCube scene;
    // Joints of the cube: one seen on the picture, one behind the camera, one off to the side.
    std::vector<PendingJoint> joints(3);
    joints[0].placement.position = {0.5f, 0.25f, 0};
    joints[1].placement.position = {0, 0, -6};
    joints[2].placement.position = {10, 0, 0};
    for (PendingJoint& j : joints) j.owner = 0;
    scene.doc.AppendItems({Object("cube.mkl", 0)}, joints, scene.dir.path(), "");
    // Depth 5, the larger side 64: 64 pixels a unit at depth 1 from the picture's centre.
    const std::vector<JointCircle> circles = JointCircles(scene.doc, {64, 64});
    ASSERT_EQ(circles, (std::vector<JointCircle>{{0, 38, 29}}));
    EXPECT_EQ(JointCircles(scene.doc, {128, 64}), (std::vector<JointCircle>{{0, 77, 26}}));
    struct Case {
        int x, y, expected;
    };
    for (const Case& c : std::initializer_list<Case>{
             {38, 29, 0}, {43, 29, 0}, {41, 33, 0}, {44, 29, -1}, {42, 33, -1}})
        EXPECT_EQ(JointCircleAt(circles, c.x, c.y), c.expected) << c.x << " " << c.y;

    // Drawn over the frame only when asked: red on the circle, the scene inside it.
    StudioRender render;
    ASSERT_TRUE(render.CreateStudioDevice(64, 64));
    for (bool drawn : {true, false}) {
        ASSERT_TRUE(render.RenderStudioFrame(scene.doc, 64, 64, drawn));
        const image::Image picture = render.Capture();
        EXPECT_EQ(picture.At(43, 29) == kJointCircleColor, drawn);
        EXPECT_EQ(picture.At(38, 24) == kJointCircleColor, drawn);
        EXPECT_NE(picture.At(38, 29), kJointCircleColor);
    }
}

TEST(StudioRender, DraggedObjectDrawnTheOtherWay) {
    for (bool frameMode : {false, true}) {
        LitCube scene;
        scene.doc.AppendItems({Object("cube.mkl", 0)}, {}, scene.dir.path(), "");
        CSceneDoc& doc = scene.doc;
        doc.SetFrameMode(frameMode);
        const int own = QualityForObjectDisplay(kShowSquare), wire = rm::kQualityWireframe;
        auto quality = [&](size_t i) { return doc.Items()[i].visual->Quality(); };
        const int usual = frameMode ? wire : own, dragged = frameMode ? own : wire;
        doc.SetDraggedItem(doc.Items()[2].id);
        EXPECT_EQ(quality(2), dragged) << frameMode;
        EXPECT_EQ(quality(0), usual) << frameMode;  // the other cube keeps its look
        doc.SetDraggedItem(kNoItem);
        EXPECT_EQ(quality(2), usual) << frameMode;
    }
}

// A joint's green point shows only while the joint markers are shown, and never in the
// saved picture.
TEST(StudioRender, JointMarkerShownInJointModesAndLeftOutOfTheSavedPicture) {
    LitCube scene;
    SceneJoint joint;
    joint.owner = scene.doc.Items()[0].id;
    joint.type = 1;
    joint.placement = JointPlacement({0, 0, -1}, {0, 1, 0});  // before the cube's front face
    scene.doc.Joints().push_back(joint);
    BuildJointMarker(scene.doc, 0);
    StudioRender render;
    ASSERT_TRUE(render.CreateStudioDevice(64, 64));
    const auto green = [&] {
        const image::Image picture = render.Capture();
        for (int y = 30; y <= 34; ++y)
            for (int x = 30; x <= 34; ++x)
                if ((picture.At(x, y) & 0xFFFFFF) == 0x00FF00u) return true;
        return false;
    };
    ASSERT_TRUE(render.RenderStudioFrame(scene.doc, 64, 64));
    EXPECT_FALSE(green());
    scene.doc.SetJointMarkersShown(true);
    ASSERT_TRUE(render.RenderStudioFrame(scene.doc, 64, 64));
    EXPECT_TRUE(green());
    EXPECT_EQ(render.SaveViewImage(scene.doc, scene.dir.File("view.bmp"), 90, 64, 64), "");
    EXPECT_FALSE(green()) << "the saved frame";
    EXPECT_TRUE(scene.doc.JointMarkersShown()) << "shown again afterwards";
}

}  // namespace
