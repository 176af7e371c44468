// The settings dialogs' records without widgets: the checks in their order and what OK does
// to the settings and the 3D pane's scene.
#include <gtest/gtest.h>

#include "modeller/settings_ops/axis_settings.h"
#include "modeller/settings_ops/camera_settings.h"
#include "modeller/settings_ops/colour_values.h"
#include "modeller/settings_ops/display_settings.h"
#include "modeller/settings_ops/joint_settings.h"
#include "modeller/settings_ops/light_settings.h"
#include "modeller/settings_ops/option_settings.h"
#include "platform/colour_fields.h"
#include "platform/field_exchange.h"
#include "tests/modeller/ops/ops_fixture.h"

namespace {

using namespace modeller;
using namespace modeller::settings;

const std::string kRange255 = "0 から 255 までの整数を入力してください。";

TEST(ColourPicker, ChecksFieldsInOrderAndKeepsAlphaWithoutIt) {
    struct Case {
        shell::ColourFields fields;
        std::string message;
    };
    const Case cases[] = {
        {{"255", "0", "128", "255", true}, ""},
        {{"x", "300", "0", "0", true}, "整数を入力してください。"},  // R before G
        {{"0", "256", "x", "0", true}, kRange255},
        {{"0", "0", "0", "-1", true}, kRange255},
        {{"0", "0", "0", "junk", false}, ""},  // the disabled opacity is not read
    };
    for (const Case& c : cases)
        EXPECT_EQ(shell::ValidateColour(c.fields), c.message) << c.fields.red;
    EXPECT_EQ(shell::ColourOf({"255", "0", "128", "64", true}, 0), 0x40FF0080u);
    EXPECT_EQ(shell::ColourOf({"1", "2", "3", "0", false}, 0xAB000000), 0xAB010203u);
    EXPECT_EQ(shell::ColourOf(shell::ColourFieldsOf(0x80112233, true), 0), 0x80112233u);
}

TEST(ColourText, ReadsThreeNumbersAndKeepsTheOldColourOnATypo) {
    EXPECT_EQ(ParseRgbText(" 0.5 ,1, 0"), (Rgb{0.5f, 1, 0}));
    for (const char* bad : {"", "0.5, 1", "a, b, c", "1, 2, 3x", "nan, 0, 0"})
        EXPECT_FALSE(ParseRgbText(bad)) << bad;
    EXPECT_EQ(RgbOrOld("0,5", {0.2f, 0.3f, 0.4f}), (Rgb{0.2f, 0.3f, 0.4f}));
    EXPECT_EQ(RgbTextOfArgb(0xFFFF0000), "1, 0, 0");
}

TEST(CameraDialog, SpeedIsANumberFromZeroToAHundredMillion) {
    CameraFields f;
    for (const auto& [speed, message] : std::vector<std::pair<std::string, std::string>>{
             {"2.5", ""},
             {"abc", "数字を入力してください。"},
             {"-1", shell::NumberRangeText(0, kMaxCameraSpeed)},
             {"100000001000", shell::NumberRangeText(0, kMaxCameraSpeed)}}) {
        f.speed = speed;
        EXPECT_EQ(ValidateCamera(f), message) << speed;
    }
}

TEST(CameraDialog, GazeTurnsTowardThePointAndKeepsUpStraightAbove) {
    viewport::CameraPose current;  // at (1, 1, -5) looking along z, up y
    viewport::NavigationSettings nav;
    CameraFields f = CameraFieldsOf(current, nav);
    f.gaze = true;
    f.position = "0, 0, 0";
    f.point = "0, 10, 0";  // straight above: the up axis would lie on the view line
    CameraOutcome out = CameraAfterOk(f, current, nav);
    EXPECT_EQ(out.pose.zAxis, (rm::Vector3{0, 10, 0}));
    EXPECT_EQ(out.pose.yAxis, (rm::Vector3{0, 0, -1}));  // a head tilted back
    EXPECT_FLOAT_EQ(out.nav.gazeDistance, 10);
    current.yAxis = {1, 0, 0};  // an up that still works is kept as it is
    EXPECT_EQ(CameraAfterOk(f, current, nav).pose.yAxis, (rm::Vector3{1, 0, 0}));

    f.point = "3, 0, 4";  // anywhere else: upright
    out = CameraAfterOk(f, current, nav);
    EXPECT_EQ(out.pose.yAxis, (rm::Vector3{0, 1, 0}));
    EXPECT_EQ(out.nav.gazePoint, (rm::Vector3{3, 0, 4}));
    f.point = "oops";  // keeps the previous point
    EXPECT_EQ(CameraAfterOk(f, current, nav).nav.gazePoint, nav.gazePoint);
}

TEST(CameraDialog, WithoutGazeTheAxesOrientTheCamera) {
    const viewport::CameraPose current;
    viewport::NavigationSettings nav;
    CameraFields f = CameraFieldsOf(current, nav);
    f.gaze = false;
    f.zAxis = "0, 0, 2";
    f.yAxis = "not a vector";
    f.position = "1, 2";  // no vector: the position stays
    CameraOutcome out = CameraAfterOk(f, current, nav);
    EXPECT_EQ(out.pose.position, current.position);
    EXPECT_EQ(out.pose.yAxis, (rm::Vector3{0, 1, 1}));  // (dx, 1, dz) of the normalised z
    EXPECT_FALSE(out.nav.lookAtOnePoint);
}

// A scene with its lights and frames, as the device builds it.
struct Scene {
    viewport::RenderScene scene;
    viewport::SceneSettings st;
    Scene() {
        rm::FramePtr root = rm::Frame::Create();
        scene.pointMesh = rm::MeshBuilder::Create();
        scene.modelMesh = rm::MeshBuilder::Create();
        EXPECT_TRUE(scene.Build(root, rm::Frame::Create(root), st, nullptr));
    }
};

TEST(LightDialog, ColoursReachTheSceneAndTheCameraLightComesAndGoes) {
    Scene s;
    LightSettings light;
    LightFields f = LightFieldsOf(light, s.scene);
    EXPECT_EQ(f.range, "5");
    f.ambient = "0.1, 0.2, 0.3";
    f.directional = "1, 0.5";  // a typo keeps the old colour, not black
    f.direction = "0, -1, 0";
    f.cameraLight = true;
    f.cameraColour = "1, 1, 0";
    f.range = "12";
    ApplyLight(f, light, s.st, s.scene);
    EXPECT_FLOAT_EQ(s.scene.ambientLight->Color().b, 0.3f);
    EXPECT_FLOAT_EQ(s.scene.directionalLight->Color().r, 0.8f);
    EXPECT_EQ(light.direction, (Vec3{0, -1, 0}));
    rm::Vector3 d, up;
    s.scene.lightFrame->GetOrientation(s.scene.root, d, up);
    EXPECT_NEAR(d.y, -1, 1e-6);
    ASSERT_TRUE(s.scene.cameraLight);
    EXPECT_EQ(s.scene.cameraLight->Type(), rm::LightType::kPoint);
    EXPECT_FLOAT_EQ(s.scene.cameraLight->Range(), 12);
    EXPECT_FLOAT_EQ(s.scene.cameraLight->LinearAttenuation(), 1);
    EXPECT_FLOAT_EQ(s.scene.cameraLight->ConstantAttenuation(), 0);
    EXPECT_EQ(s.scene.camera->Lights().size(), 1u);
    EXPECT_EQ(LightFieldsOf(light, s.scene).range, "12");

    f.cameraLight = false;
    ApplyLight(f, light, s.st, s.scene);
    EXPECT_FALSE(s.scene.cameraLight);
    EXPECT_TRUE(s.scene.camera->Lights().empty());
}

TEST(DisplayDialog, ModePointsBackgroundAndTheTextureFlag) {
    Scene s;
    ops_test::Doc doc({"0, 0, 0", "1, 0, 0", "0, 1, 0"}, {"0, 1, 2"});
    doc.m.textures.push_back({"/nowhere/sky.bmp", "sky", 0, 0});
    doc.objects.textures.push_back(rm::Texture::Create(1, 1, {0xFF0000FF}));
    DisplayFields f = DisplayFieldsOf(doc.m, doc.objects, s.st, s.scene);
    EXPECT_EQ(f.background, kNoBackground);
    f.mode = 3;
    f.showPoints = false;
    f.background = "sky";
    EXPECT_FALSE(ApplyDisplay(f, doc.m, doc.objects, s.st, s.scene, doc.host));
    EXPECT_EQ(doc.m.deviceType, 3);
    EXPECT_FALSE(s.st.showPoints);
    EXPECT_EQ(s.scene.root->SceneBackgroundImage(), doc.objects.textures[0]);
    EXPECT_EQ(DisplayFieldsOf(doc.m, doc.objects, s.st, s.scene).background, "sky");
    EXPECT_EQ(doc.host.rebuilds, 0);

    f.showTextures = false;
    f.background = "gone";  // no longer loaded: no image
    EXPECT_TRUE(ApplyDisplay(f, doc.m, doc.objects, s.st, s.scene, doc.host));
    EXPECT_EQ(doc.host.rebuilds, 1);
    EXPECT_FALSE(s.scene.root->SceneBackgroundImage());

    ModellerSettings settings;
    ApplyBackgroundColour(0xFF102030, settings, s.st, s.scene);
    EXPECT_EQ(s.scene.root->SceneBackground(), 0xFF102030u);
    EXPECT_EQ(settings.backgroundColor, 0xFF102030u);
}

TEST(OptionDialog, ChecksInOrderRaisesSmallSizesAndResets) {
    struct Case {
        OptionFields f;
        std::string message;
    };
    const std::string range = "1 から 100 までの整数を入力してください。";
    const Case cases[] = {
        {{"640", "480", 1, "75"}, ""},
        {{"-5", "x", 1, "0"}, "正の整数を入力してください。"},
        {{"640", "4.5", 1, "75"}, "正の整数を入力してください。"},
        {{"640", "480", 1, "0"}, range},
        {{"640", "480", 1, "101"}, range},
        {{"640", "480", 1, "100"}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ValidateOption(c.f), c.message) << c.f.width << " " << c.f.jpegQuality;

    ModellerSettings s;
    OptionFields f{"100", "100", 2, "90", 1, true, false, true, false};
    ApplyOption(f, s);
    EXPECT_EQ(s.device.width, 200);
    EXPECT_EQ(s.device.height, 200);
    EXPECT_EQ(s.device.type, 2);
    EXPECT_EQ(s.jpegQuality, 90);
    EXPECT_EQ(s.xFormat, 1);
    EXPECT_TRUE(s.saveCamera && s.saveAxis && !s.saveLight && !s.saveColor);
    f.width = "4294967295";  // beyond what the settings keep
    ApplyOption(f, s);
    EXPECT_EQ(s.device.width, 2147483647);

    const OptionFields initial = InitialOptionFields();
    EXPECT_EQ(initial.width, "640");
    EXPECT_EQ(initial.device, 1);
    EXPECT_EQ(initial.jpegQuality, "75");
    EXPECT_FALSE(initial.saveCamera || initial.saveLight || initial.saveAxis || initial.saveColor);
}

TEST(AxisDialog, SizeScalesTheGizmoAndPlacesTheLetters) {
    Scene s;
    ModellerSettings settings;
    EXPECT_EQ(ValidateAxis({true, true, "big"}), "数字を入力してください。");
    ApplyAxis({true, false, "4"}, settings, s.st, s.scene);
    EXPECT_EQ(settings.axisSize, 4);
    EXPECT_EQ(s.st.letterSize, 0.5f);
    EXPECT_NEAR(s.scene.gizmo.letterX->Position(s.scene.root).x, 5, 1e-5);  // 1.25 x size
    EXPECT_EQ(s.scene.gizmo.letterY->TraversalOptions(), 0u);
}

TEST(JointDialog, KeepsOnlyTheLinesThatAreVectors) {
    const model::JointList joints = JointsOfText("1, 2, 3\r\n\n4, 5\njunk\n-1,0,0.5");
    ASSERT_EQ(joints.size(), 2u);
    EXPECT_EQ(joints[1], (model::Vertex{-1, 0, 0.5f}));
    EXPECT_EQ(JointText(joints), "1, 2, 3\n-1, 0, 0.5\n");
}

}  // namespace
