// A small scene for the engine's tests: a 64x64 device, a camera at (0, 0, -5) looking along
// +z, and helpers to build quads, probe pixels and dump the picture for viewing.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/rm/rm.h"
#include "tests/support/ppm_dump.h"

namespace rm::test {

struct Scene {
    static constexpr int kSize = 64;
    DevicePtr device = Device::Create(DeviceKind::kRgb, kSize, kSize);
    FramePtr root = Frame::Create();
    FramePtr camera = Frame::Create(root);
    ViewportPtr viewport;

    Scene() {
        camera->SetPosition({}, 0, 0, -5);
        viewport = Viewport::Create(device, camera, 0, 0, kSize, kSize);
        viewport->SetFront(1.0f);
        viewport->SetBack(100.0f);
        viewport->SetField(0.5f);  // 64 pixels per unit at distance 1
    }

    void Draw() {
        viewport->Clear();
        viewport->Render(*root);
    }

    uint32_t Pixel(int x, int y) const {
        PixelView p = device->Pixels();
        return p.pixels[y * p.stride + x] & 0x00FFFFFF;
    }

    // Binary PPM under /tmp, to look at while writing a test.
    void Dump(const std::string& name) const {
        testing_support::DumpPpm(device->Pixels(), "/tmp/rm_" + name + ".ppm");
    }
};

// A square in the plane z, centred on (cx, cy), its corners clockwise as seen from -z.
inline MeshBuilderPtr Quad(float cx, float cy, float z, float half, uint32_t color) {
    MeshBuilderPtr m = MeshBuilder::Create();
    std::vector<Vector3> v = {{cx - half, cy + half, z},
                              {cx + half, cy + half, z},
                              {cx + half, cy - half, z},
                              {cx - half, cy - half, z}};
    std::vector<uint32_t> faces = {4, 0, 1, 2, 3, 0};
    m->AddFaces(v, {}, faces);
    m->SetColor(color);
    m->SetQuality(kQualityUnlitFlat);
    return m;
}

inline FramePtr AddToScene(Scene& s, const VisualPtr& v) {
    FramePtr f = Frame::Create(s.root);
    f->AddVisual(v);
    return f;
}

}  // namespace rm::test
