#include "bench/platform/rm/sphere_scene.h"

#include "tests/support/ppm_dump.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace rm::bench {

SphereScene::SphereScene(int stacks, int slices, int quality) {
    device = Device::Create(DeviceKind::kRgb, 640, 480);
    device->SetRenderMode(51);
    root = rm::Frame::Create();
    root->SetSceneBackground(0xFF1A1A4D);
    camera = rm::Frame::Create(root);
    viewport = Viewport::Create(device, camera, 0, 0, 640, 480);
    viewport->SetFront(0.1f);
    viewport->SetBack(100.0f);
    viewport->SetField(0.1f * 4.0f /
                       3.0f);  // 240 pixels per unit at depth 1: 90 degrees vertically
    root->AddLight(Light::CreateRgb(LightType::kAmbient, 0.2f, 0.2f, 0.2f));
    FramePtr lightFrame = rm::Frame::Create(root);
    lightFrame->AddLight(Light::CreateRgb(LightType::kDirectional, 0.8f, 0.8f, 0.8f));
    lightFrame->SetOrientation({}, {-1, -1, 1}, {-1, 0, 1});

    const float pi = std::numbers::pi_v<float>;
    std::vector<Vector3> v;
    for (int i = 0; i <= stacks; ++i) {
        float phi = pi * static_cast<float>(i) / static_cast<float>(stacks);
        for (int j = 0; j <= slices; ++j) {
            float theta = 2 * pi * static_cast<float>(j) / static_cast<float>(slices);
            v.push_back(
                {std::sin(phi) * std::sin(theta), std::cos(phi), std::sin(phi) * std::cos(theta)});
        }
    }
    std::vector<uint32_t> f;
    for (int i = 0; i < stacks; ++i)
        for (int j = 0; j < slices; ++j) {
            uint32_t a = i * (slices + 1) + j, b = a + 1, c = a + slices + 1, d = c + 1;
            // Clockwise seen from outside (pole rows give degenerate triangles, counted anyway).
            f.insert(f.end(), {3, a, a, d, d, b, b, 3, a, a, c, c, d, d});
        }
    f.push_back(0);
    mesh = MeshBuilder::Create();
    mesh->AddFaces(v, v, f);
    mesh->SetColor(0xFFE0C080);
    mesh->SetQuality(quality);
    MaterialPtr shiny = Material::Create(16);
    shiny->SetSpecular(0.4f, 0.4f, 0.4f);
    mesh->SetMaterial(shiny);
    for (size_t i = 0; i < v.size(); ++i) {
        int row = static_cast<int>(i) / (slices + 1), col = static_cast<int>(i) % (slices + 1);
        mesh->SetTextureCoordinates(i, static_cast<float>(col) / slices * 4,
                                    static_cast<float>(row) / stacks * 2);
    }
    triangles = mesh->FaceCount();
    model = rm::Frame::Create(root);
    model->SetPosition({}, 0, 0, 1.6f);
    model->AddRotation(Combine::kBefore, {1, 0, 0}, 0.4f);
    model->AddVisual(mesh);
}

void SphereScene::Frame() {
    viewport->Clear();
    viewport->Render(*root);
    device->Update();
}

void SphereScene::Dump(const char* path) const {
    testing_support::DumpPpm(device->Pixels(), path);
}

TexturePtr CheckerTexture() {
    std::vector<uint32_t> px(256 * 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            bool on = ((x / 32) + (y / 32)) % 2 == 0;
            uint32_t r = on ? 240 : static_cast<uint32_t>(x), g = on ? 240 : 60,
                     b = on ? 240 : static_cast<uint32_t>(y);
            px[y * 256 + x] = 0xFF000000u | r << 16 | g << 8 | b;
        }
    return Texture::Create(256, 256, std::move(px));
}

}  // namespace rm::bench
