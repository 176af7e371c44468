#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "tests/platform/rm/scene_fixture.h"

namespace rm::test {
namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

TEST(RmRender, QuadCentreInItsColourBackgroundElsewhere) {
    Scene s;
    s.root->SetSceneBackground(0xFF203040);
    AddToScene(s, Quad(0, 0, 0, 1, kRed));  // +-1 at distance 5: +-12.8 pixels
    s.Draw();
    s.Dump("quad");
    EXPECT_EQ(s.Pixel(32, 32), 0xFF0000u);
    EXPECT_EQ(s.Pixel(20, 20), 0xFF0000u);
    EXPECT_EQ(s.Pixel(44, 44), 0xFF0000u);
    EXPECT_EQ(s.Pixel(2, 2), 0x203040u);
    EXPECT_EQ(s.Pixel(46, 32), 0x203040u);
    EXPECT_EQ(s.Pixel(32, 18), 0x203040u);
    // Exactly the pixels whose centres lie inside x, y in [19.2, 44.8].
    int count = 0;
    for (int y = 0; y < Scene::kSize; ++y)
        for (int x = 0; x < Scene::kSize; ++x) count += s.Pixel(x, y) == 0xFF0000u;
    EXPECT_EQ(count, 26 * 26);
}

TEST(RmRender, NearerQuadHidesTheFartherInAnyOrder) {
    for (int order = 0; order < 2; ++order) {
        Scene s;
        MeshBuilderPtr nearQuad = Quad(0, 0, -1, 0.5f, kGreen);
        MeshBuilderPtr farQuad = Quad(0.5f, 0, 1, 1, kBlue);
        if (order == 0) {
            AddToScene(s, nearQuad);
            AddToScene(s, farQuad);
        } else {
            AddToScene(s, farQuad);
            AddToScene(s, nearQuad);
        }
        s.Draw();
        EXPECT_EQ(s.Pixel(32, 32), 0x00FF00u) << order;
        EXPECT_EQ(s.Pixel(45, 32), 0x0000FFu) << order;
    }
}

TEST(RmRender, BackFacesAreCulled) {
    Scene s;
    MeshBuilderPtr q = Quad(0, 0, 0, 1, kRed);
    // The same square wound the other way faces away from the camera.
    MeshBuilderPtr back = MeshBuilder::Create();
    std::vector<Vector3> v = {{-1, 1, 0}, {-1, -1, 0}, {1, -1, 0}, {1, 1, 0}};
    std::vector<uint32_t> f = {4, 0, 1, 2, 3, 0};
    back->AddFaces(v, {}, f);
    back->SetQuality(kQualityUnlitFlat);
    AddToScene(s, back);
    s.Draw();
    EXPECT_EQ(s.Pixel(32, 32), 0u);
    // Seen from behind it is drawn.
    s.camera->SetPosition({}, 0, 0, 5);
    s.camera->SetOrientation({}, {0, 0, -1}, {0, 1, 0});
    s.Draw();
    EXPECT_EQ(s.Pixel(32, 32), 0xFFFFFFu);
}

TEST(RmRender, WireframeDrawsEdgesAndLeavesTheInteriorEmpty) {
    Scene s;
    MeshBuilderPtr q = Quad(0, 0, 0, 1, kGreen);
    q->SetQuality(kQualityWireframe);
    AddToScene(s, q);
    s.Draw();
    s.Dump("wire");
    EXPECT_EQ(s.Pixel(32, 32), 0u);
    EXPECT_EQ(s.Pixel(25, 30), 0u);
    int top = 0, left = 0;
    for (int x = 0; x < Scene::kSize; ++x) top += s.Pixel(x, 19) == 0x00FF00u;
    for (int y = 0; y < Scene::kSize; ++y) left += s.Pixel(19, y) == 0x00FF00u;
    EXPECT_GE(top, 24);
    EXPECT_GE(left, 24);
}

TEST(RmRender, PointsDrawOneDotPerVertex) {
    Scene s;
    MeshBuilderPtr m = MeshBuilder::Create();
    std::vector<Vector3> v = {{0, 0, 0}, {1, 1, 0}};
    std::vector<uint32_t> f = {3, 0, 0, 0, 3, 1, 1, 1, 0};
    m->AddFaces(v, {}, f);
    m->SetQuality(kQualityPoints);
    m->SetColor(0xFFFFFFFF);
    m->SetFaceColor(1, kRed);
    AddToScene(s, m);
    s.Draw();
    int lit = 0;
    for (int y = 0; y < Scene::kSize; ++y)
        for (int x = 0; x < Scene::kSize; ++x) lit += s.Pixel(x, y) != 0;
    EXPECT_EQ(lit, 2);
    EXPECT_EQ(s.Pixel(32, 32), 0xFFFFFFu);
    EXPECT_EQ(s.Pixel(44, 19), 0xFF0000u);  // (12.8, -12.8) from the centre
}

TEST(RmRender, LinearFogBlendsAtAKnownDepth) {
    Scene s;
    s.root->SetSceneFogEnable(true);
    s.root->SetSceneFogColor(0xFF0000FF);
    s.root->SetSceneFogMode(FogMode::kLinear);
    s.root->SetSceneFogParams(3, 7, 0);  // the quad at depth 5: half fog
    AddToScene(s, Quad(0, 0, 0, 1, kRed));
    s.Draw();
    uint32_t c = s.Pixel(32, 32);
    EXPECT_NEAR(static_cast<int>(RedOf(c)), 128, 1);
    EXPECT_EQ(GreenOf(c), 0u);
    EXPECT_NEAR(static_cast<int>(BlueOf(c)), 128, 1);
}

TEST(RmRender, ColourKeyedTexelsAreTransparent) {
    Scene s;
    s.root->SetSceneBackground(0xFF000000);
    // 2x2 texture: left column magenta (the key), right column yellow.
    TexturePtr t = Texture::Create(2, 2, {0x00FF00FF, 0xFFFFFF00, 0xFFFF00FF, 0xFFFFFF00});
    t->SetDecalTransparency(true);
    t->SetDecalTransparentColor(0xFF00FF);
    MeshBuilderPtr q = Quad(0, 0, 0, 1, 0xFFFFFFFF);
    q->SetTexture(t);
    q->SetPerspective(true);
    q->SetTextureCoordinates(0, 0, 0);
    q->SetTextureCoordinates(1, 1, 0);
    q->SetTextureCoordinates(2, 1, 1);
    q->SetTextureCoordinates(3, 0, 1);
    AddToScene(s, q);
    s.Draw();
    s.Dump("colorkey");
    EXPECT_EQ(s.Pixel(22, 32), 0u);         // keyed: background shows
    EXPECT_EQ(s.Pixel(42, 32), 0xFFFF00u);  // opaque texel
    EXPECT_EQ(s.Pixel(22, 22), 0u);
}

TEST(RmRender, TexturesArePerspectiveCorrect) {
    Scene s;
    // A floor-like quad tilted away: with perspective correction the texture's middle row
    // lands nearer the far edge than the screen middle.
    std::vector<uint32_t> px(16 * 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) px[y * 16 + x] = y < 8 ? 0xFFFFFFFF : 0xFF000000;
    TexturePtr t = Texture::Create(16, 16, px);
    MeshBuilderPtr m = MeshBuilder::Create();
    std::vector<Vector3> v = {{-1, -1, 3}, {1, -1, 3}, {1, -1, -3}, {-1, -1, -3}};
    std::vector<uint32_t> f = {4, 0, 1, 2, 3, 0};
    m->AddFaces(v, {}, f);
    m->SetQuality(kQualityUnlitFlat);
    m->SetTexture(t);
    m->SetPerspective(true);
    m->SetTextureCoordinates(0, 0, 0);
    m->SetTextureCoordinates(1, 1, 0);
    m->SetTextureCoordinates(2, 1, 1);
    m->SetTextureCoordinates(3, 0, 1);
    AddToScene(s, m);
    s.Draw();
    s.Dump("perspective");
    // Find the row where the white half ends along the centre column.
    int edge = -1;
    for (int y = 0; y < Scene::kSize; ++y)
        if (s.Pixel(32, y) == 0xFFFFFFu) edge = y;
    // Far edge at depth 8 projects to y = 32 + 8 = 40, near edge at depth 2 to y = 64; the
    // middle (depth 5) to 32 + 12.8 = 44.8.
    EXPECT_NEAR(edge, 44, 1);
}

TEST(RmRender, SharedEdgesAreDrawnExactlyOnce) {
    // A jittered grid of triangles covering the whole picture, drawn half transparent without
    // depth writes: a pixel drawn twice would come out brighter, a missed one black.
    Scene s;
    s.device->SetRenderMode(kRenderModeBlendedTransparency | kRenderModeDisableSortedAlphaZWrite);
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> jitter(-0.07f, 0.07f);
    const int n = 12;
    std::vector<Vector3> v;
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i <= n; ++i) {
            float x = -3 + 6.0f * i / n, y = 3 - 6.0f * j / n;
            bool border = i == 0 || j == 0 || i == n || j == n;
            v.push_back({x + (border ? 0 : jitter(rng)), y + (border ? 0 : jitter(rng)), 0});
        }
    std::vector<uint32_t> f;
    for (uint32_t j = 0; j < n; ++j)
        for (uint32_t i = 0; i < n; ++i) {
            uint32_t a = j * (n + 1) + i, b = a + 1, c = a + n + 1, d = c + 1;
            f.insert(f.end(), {3, a, b, d, 3, a, d, c});
        }
    f.push_back(0);
    MeshBuilderPtr m = MeshBuilder::Create();
    ASSERT_TRUE(m->AddFaces(v, {}, f));
    m->SetQuality(kQualityUnlitFlat);
    m->SetColor(0x80FF0000);
    AddToScene(s, m);
    s.Draw();
    s.Dump("shared_edges");
    int wrong = 0;
    for (int y = 0; y < Scene::kSize; ++y)
        for (int x = 0; x < Scene::kSize; ++x) wrong += s.Pixel(x, y) != 0x800000u;
    EXPECT_EQ(wrong, 0);
}

TEST(RmRender, TransparentFacesBlendOverOpaqueOnes) {
    Scene s;
    s.device->SetRenderMode(51);
    AddToScene(s, Quad(0, 0, -1, 0.5f, 0x80FFFFFF));  // nearer, half transparent, added first
    AddToScene(s, Quad(0, 0, 1, 1, kBlue));
    s.Draw();
    uint32_t c = s.Pixel(32, 32);
    EXPECT_NEAR(static_cast<int>(RedOf(c)), 128, 2);
    EXPECT_NEAR(static_cast<int>(BlueOf(c)), 255, 1);
}

TEST(RmRender, DirectionalLightShadesByAngle) {
    Scene s;
    LightPtr ambient = Light::CreateRgb(LightType::kAmbient, 0.2f, 0.2f, 0.2f);
    LightPtr sun = Light::CreateRgb(LightType::kDirectional, 0.8f, 0.8f, 0.8f);
    s.root->AddLight(ambient);
    FramePtr lf = Frame::Create(s.root);
    lf->AddLight(sun);
    lf->SetOrientation({}, {0, 0, 1}, {0, 1, 0});  // shining straight at the quad's front
    MeshBuilderPtr q = Quad(0, 0, 0, 1, 0xFFFFFFFF);
    q->SetQuality(kQualityFlat);
    AddToScene(s, q);
    s.Draw();
    EXPECT_EQ(s.Pixel(32, 32), 0xFFFFFFu);
    lf->SetOrientation({}, {1, 0, 1}, {0, 1, 0});  // 45 degrees
    s.Draw();
    EXPECT_NEAR(static_cast<int>(RedOf(s.Pixel(32, 32))),
                static_cast<int>((0.2f + 0.8f * std::sqrt(0.5f)) * 255), 1);
    lf->SetOrientation({}, {0, 0, -1}, {0, 1, 0});  // from behind: ambient only
    s.Draw();
    EXPECT_NEAR(static_cast<int>(RedOf(s.Pixel(32, 32))), 51, 1);
}

TEST(RmRender, RenderDisabledFrameIsSkippedWithItsChildren) {
    Scene s;
    FramePtr parent = Frame::Create(s.root);
    FramePtr child = Frame::Create(parent);
    child->AddVisual(Quad(0, 0, 0, 1, kRed));
    parent->SetTraversalOptions(0);
    s.Draw();
    EXPECT_EQ(s.Pixel(32, 32), 0u);
    parent->SetTraversalOptions(kRenderEnable);
    s.Draw();
    EXPECT_EQ(s.Pixel(32, 32), 0xFF0000u);
}

TEST(RmRender, GeometryCrossingTheNearPlaneIsClipped) {
    Scene s;
    // A long floor strip from behind the camera to far ahead.
    MeshBuilderPtr m = MeshBuilder::Create();
    std::vector<Vector3> v = {{-1, -1, 50}, {1, -1, 50}, {1, -1, -50}, {-1, -1, -50}};
    std::vector<uint32_t> f = {4, 0, 1, 2, 3, 0};
    m->AddFaces(v, {}, f);
    m->SetQuality(kQualityUnlitFlat);
    AddToScene(s, m);
    s.Draw();
    EXPECT_EQ(s.Pixel(32, 63), 0xFFFFFFu);
    EXPECT_EQ(s.Pixel(32, 30), 0u);
}

TEST(RmDevice, KindsAndHandles) {
    EXPECT_EQ(Device::Create(0, 640, 480), nullptr);
    EXPECT_NE(Device::Create(1, 640, 480), nullptr);
    EXPECT_NE(Device::Create(2, 640, 480), nullptr);
    EXPECT_EQ(Device::Create(2, 0, 480), nullptr);
    DevicePtr d = Device::Create(DeviceKind::kRgb, 320, 200);
    EXPECT_EQ(Viewport::Create(d, {}, 0, 0, 321, 200), nullptr);
    ViewportPtr v = Viewport::Create(d, {}, 0, 0, 320, 199);
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->Clear());
    FramePtr root = Frame::Create();
    EXPECT_FALSE(v->Render(*root));  // no camera
    EXPECT_TRUE(v->SetBack(1.0e30f));
    EXPECT_FALSE(v->SetFront(0));
    EXPECT_TRUE(d->SetRenderMode(51));
    EXPECT_EQ(d->Pixels().width, 320);
    ViewportPtr empty;
    empty.reset();  // releasing an empty handle is harmless
}

}  // namespace
}  // namespace rm::test
