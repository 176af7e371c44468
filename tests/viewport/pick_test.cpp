#include "viewport/pick.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "viewport/camera_pose.h"

namespace {

using namespace viewport;

// A camera at the origin looking along +z through a 320 x 200 pane.
struct PickScene : testing::Test {
    rm::FramePtr root = rm::Frame::Create();
    rm::FramePtr camera = rm::Frame::Create(root);
    rm::DevicePtr device = rm::Device::Create(rm::DeviceKind::kRgb, 320, 200);
    rm::ViewportPtr view = rm::Viewport::Create(device, camera, 0, 0, 320, 200);
    PaneRect pane{0, 0, 320, 200};

    void SetUp() override {
        view->SetFront(kFrontDistance);
        view->SetField(kField);
        view->SetBack(kBackDistance);
    }
    static rm::MeshBuilderPtr Mesh(std::vector<rm::Vector3> v, std::vector<uint32_t> faces) {
        rm::MeshBuilderPtr m = rm::MeshBuilder::Create();
        m->AddFaces(v, {}, faces);
        return m;
    }
};

TEST_F(PickScene, RayFollowsTheProjection) {
    // Field over front is 1/2: the pane's right edge is at x / z = 1/2, after the pane's
    // own offset in the view is taken off.
    const rm::Vector3 ray = PickRay(*camera, *view, PaneRect{400, 30, 320, 200}, 720, 130);
    EXPECT_NEAR(ray.x / ray.z, 0.5f, 1e-5f);
    EXPECT_NEAR(ray.y, 0.0f, 1e-6f);
}

TEST_F(PickScene, VertexNearestOnTheRayLowerNumberOnTies) {
    // Points 1 and 3 lie on the centre ray at the same distance, 0 farther on it, 2 behind
    // the camera.
    rm::FramePtr markers = rm::Frame::Create(root);
    rm::MeshBuilderPtr mesh = Mesh({{0, 0, 9}, {0, 0, 4}, {0, 0, -2}, {0, 0, 4}}, {3, 0, 1, 2, 0});
    EXPECT_EQ(PickVertex(*camera, *view, pane, *markers, *mesh, 160, 100), 1);
    // Markers are where their frame puts them: x / z = 1 / 4 is 80 pixels right.
    markers->SetPosition({}, {1, 0, 0});
    EXPECT_EQ(PickVertex(*camera, *view, pane, *markers, *mesh, 160, 100), -1);
    EXPECT_EQ(PickVertex(*camera, *view, pane, *markers, *mesh, 240, 100), 1);
    markers->SetPosition({}, {0, 0, 0});

    // The radius is 5 pixels: at depth 10 one pixel is 10 / 320.
    const float px = 10.0f / 320.0f;
    mesh = Mesh({{0, 0, 19}, {0, 0, -2}, {6 * px, 0, 10}}, {3, 0, 1, 2, 0});
    EXPECT_EQ(PickVertex(*camera, *view, pane, *markers, *mesh, 160, 100), 0);
    mesh = Mesh({{0, 0, 19}, {4 * px, 0, 10}, {0, 0, -2}}, {3, 0, 1, 2, 0});
    EXPECT_EQ(PickVertex(*camera, *view, pane, *markers, *mesh, 160, 100), 1);
    EXPECT_EQ(PickVertex(*camera, *view, pane, *markers, *mesh, 40, 100), -1);
    EXPECT_EQ(PickVertex(*camera, *view, pane, *markers, *rm::MeshBuilder::Create(), 160, 100), -1);
}

TEST_F(PickScene, PoseRoundTripAndUnusablePoses) {
    RenderScene scene;
    EXPECT_FALSE(ApplyCameraPose(scene, CameraPose{}));
    CameraPose untouched;
    EXPECT_FALSE(StoreCameraPose(scene, untouched));

    scene.camera = camera;
    scene.lookAtTarget = rm::Frame::Create(root);
    CameraPose pose{{2, 3, -4}, {1, 0, 1}, {0, 0, 2}, {0, 3, 0}};
    ASSERT_TRUE(ApplyCameraPose(scene, pose));
    CameraPose read;
    ASSERT_TRUE(StoreCameraPose(scene, read));
    EXPECT_EQ(read.position, pose.position);
    EXPECT_EQ(read.lookAt, pose.lookAt);
    EXPECT_EQ(read.zAxis, (rm::Vector3{0, 0, 1}));
    EXPECT_EQ(read.yAxis, (rm::Vector3{0, 1, 0}));

    // Values no settings file should hold leave the camera where it is.
    const float nan = std::nanf("");
    for (CameraPose bad : {CameraPose{{nan, 0, 0}}, CameraPose{{}, {}, {0, 0, 0}},
                           CameraPose{{}, {}, {0, 2, 0}, {0, 1, 0}},
                           CameraPose{{}, {0, std::numeric_limits<float>::infinity(), 0}}}) {
        EXPECT_FALSE(ApplyCameraPose(scene, bad));
        ASSERT_TRUE(StoreCameraPose(scene, read));
        EXPECT_EQ(read.position, pose.position);
        EXPECT_EQ(read.lookAt, pose.lookAt);
    }
}

}  // namespace
