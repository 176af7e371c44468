#include <gtest/gtest.h>

#include <numbers>

#include "platform/rm/frame.h"
#include "tests/platform/rm/expect_vector.h"

namespace rm {
namespace {

TEST(RmFrame, PositionRelativeToOtherFrames) {
    FramePtr root = Frame::Create();
    FramePtr a = Frame::Create(root);
    FramePtr b = Frame::Create(a);
    FramePtr other = Frame::Create(root);
    a->SetPosition({}, 1, 2, 3);
    b->SetPosition(a, 1, 0, 0);
    ExpectNear(b->Position(), {2, 2, 3});
    ExpectNear(b->Position(a), {1, 0, 0});
    other->SetPosition({}, 0, 0, 10);
    other->AddRotation(Combine::kBefore, {0, 1, 0}, kPi / 2);  // its x axis is -z
    b->SetPosition(other, 1, 0, 0);
    ExpectNear(b->Position(), {0, 0, 9});
    ExpectNear(b->Position(other), {1, 0, 0});
}

TEST(RmFrame, OrientationRelativeToAFrame) {
    FramePtr root = Frame::Create();
    FramePtr axis = Frame::Create(root);
    FramePtr y = Frame::Create(axis);
    axis->AddRotation(Combine::kReplace, {0, 1, 0}, kPi / 2);
    y->SetOrientation(axis, {0, 0, 1}, {-1, 0, 0});
    Vector3 d, u;
    y->GetOrientation(axis, d, u);
    ExpectNear(d, {0, 0, 1});
    ExpectNear(u, {-1, 0, 0});
    y->GetOrientation({}, d, u);
    ExpectNear(d, {1, 0, 0});  // axis turns +z into +x
    ExpectNear(u, {0, 0, 1});  // and -x into +z
    // The frame's local x axis (1, 0, 0) = up x direction ends at the cross product.
    ExpectNear(y->Transform({1, 0, 0}) - y->Transform({}), Cross(u, d));
}

TEST(RmFrame, RotationSignAndCombineOrder) {
    FramePtr f = Frame::Create();
    f->AddRotation(Combine::kReplace, {0, 1, 0}, kPi / 2);
    ExpectNear(f->Transform({1, 0, 0}), {0, 0, -1});

    // Before: the new transform is applied to points first.
    FramePtr g = Frame::Create();
    g->AddTranslation(Combine::kReplace, {1, 0, 0});
    g->AddRotation(Combine::kBefore, {0, 1, 0}, kPi / 2);
    ExpectNear(g->Transform({1, 0, 0}), {1, 0, -1});  // rotate, then move
    FramePtr h = Frame::Create();
    h->AddTranslation(Combine::kReplace, {1, 0, 0});
    h->AddRotation(Combine::kAfter, {0, 1, 0}, kPi / 2);
    ExpectNear(h->Transform({1, 0, 0}), {0, 0, -2});  // move, then rotate
}

TEST(RmFrame, ScaleIsLostWhenAnOrientationIsSet) {
    FramePtr root = Frame::Create();
    FramePtr f = Frame::Create(root);
    f->SetPosition({}, 5, 0, 0);
    f->AddScale(Combine::kBefore, 0.125f, 0.125f, 0.125f);
    ExpectNear(f->Transform({1, 0, 0}), {5.125f, 0, 0});
    f->SetOrientation({}, {0, 0, 1}, {0, 1, 0});
    ExpectNear(f->Transform({1, 0, 0}), {6, 0, 0});  // unit scale again, position kept
    f->AddScale(Combine::kBefore, 2, 2, 2);
    ExpectNear(f->Transform({1, 0, 0}), {7, 0, 0});
}

TEST(RmFrame, LookAt) {
    FramePtr root = Frame::Create();
    FramePtr cam = Frame::Create(root);
    FramePtr target = Frame::Create(root);
    cam->SetPosition({}, 1, 1, -5);
    target->SetPosition({}, 0, 0, 0);
    ASSERT_TRUE(cam->LookAt(target, root, Constraint::kZ));
    Vector3 d, u;
    cam->GetOrientation({}, d, u);
    ExpectNear(d, Normalize(Vector3{-1, -1, 5}));
    EXPECT_NEAR(Dot(d, u), 0.0f, 1e-5f);
    EXPECT_NEAR(Cross(u, d).y, 0.0f, 1e-5f);  // stays level: x axis horizontal
    EXPECT_GT(u.y, 0.9f);
    // The target's position seen from the camera lies on its +z axis.
    Vector3 local = cam->InverseTransform(target->Position());
    EXPECT_NEAR(local.x, 0, 1e-4f);
    EXPECT_NEAR(local.y, 0, 1e-4f);
    EXPECT_NEAR(local.z, std::sqrt(27.0f), 1e-4f);
    EXPECT_FALSE(cam->LookAt({}, root, Constraint::kZ));
}

TEST(RmFrame, TransformAndInverse) {
    FramePtr root = Frame::Create();
    FramePtr a = Frame::Create(root);
    a->AddScale(Combine::kReplace, 2, 2, 2);
    a->AddRotation(Combine::kAfter, {1, 0, 0}, 0.3f);
    a->AddTranslation(Combine::kAfter, {1, 2, 3});
    Vector3 p{0.5f, -1, 2};
    ExpectNear(a->InverseTransform(a->Transform(p)), p, 1e-5f);
}

TEST(RmFrame, ChildrenVisualsAndLights) {
    FramePtr root = Frame::Create();
    FramePtr a = Frame::Create(root);
    FramePtr b = Frame::Create(root);
    ASSERT_EQ(root->Children().size(), 2u);
    EXPECT_TRUE(b->AddChild(a));  // moves
    EXPECT_EQ(root->Children().size(), 1u);
    EXPECT_EQ(a->Parent(), b);
    EXPECT_FALSE(a->AddChild(b));  // no cycles
    EXPECT_TRUE(b->RemoveChild(a));
    EXPECT_FALSE(b->RemoveChild(a));
    EXPECT_EQ(a->Parent(), nullptr);

    VisualPtr v = std::make_shared<Visual>();
    EXPECT_TRUE(a->AddVisual(v));
    EXPECT_TRUE(a->AddVisual(v));  // twice is harmless
    EXPECT_EQ(a->Visuals().size(), 1u);
    EXPECT_TRUE(a->RemoveVisual(v));
    EXPECT_FALSE(a->RemoveVisual(v));
    EXPECT_FALSE(a->AddVisual({}));

    LightPtr l = Light::Create(LightType::kAmbient, 0xFFFFFFFF);
    EXPECT_TRUE(a->AddLight(l));
    EXPECT_TRUE(a->AddLight(l));
    EXPECT_EQ(a->Lights().size(), 1u);
    EXPECT_TRUE(a->RemoveLight(l));
}

TEST(RmFrame, SceneSettings) {
    FramePtr root = Frame::Create();
    root->SetSceneBackgroundRgb(255.0f, 0, 0.5f);  // components above 1 are clamped
    EXPECT_EQ(root->SceneBackground(), 0xFFFF0080u);
    root->SetSceneFogEnable(true);
    root->SetSceneFogParams(2, 8, 0);
    EXPECT_TRUE(root->SceneFog().enabled);
    EXPECT_FLOAT_EQ(root->SceneFog().end, 8);
    EXPECT_TRUE(root->SetTraversalOptions(kRenderEnable));
    EXPECT_FALSE(root->SetTraversalOptions(8));
}

}  // namespace
}  // namespace rm
