// The render device: a colour target (ARGB32) and a depth buffer of a fixed size.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rm/mesh_builder.h"

namespace rm {

// The device kinds of the settings: 0 needs a GPU device (none exists here, so creation
// fails and the caller falls back), 1 and 2 are this software rasterizer.
enum class DeviceKind : int { kHardware = 0, kMmx = 1, kRgb = 2 };

// Render mode flags.
constexpr uint32_t kRenderModeBlendedTransparency = 1;
constexpr uint32_t kRenderModeSortedTransparency = 2;
constexpr uint32_t kRenderModeLightInModelSpace = 8;
constexpr uint32_t kRenderModeViewDependentSpecular = 16;
constexpr uint32_t kRenderModeDisableSortedAlphaZWrite = 32;

// A read-only view of the picture: rows top to bottom, `stride` pixels apart. Alpha is 255.
struct PixelView {
    const uint32_t* pixels = nullptr;
    int width = 0, height = 0, stride = 0;
};

class Device;
using DevicePtr = std::shared_ptr<Device>;

class Device {
public:
    static DevicePtr Create(DeviceKind kind, int width, int height);
    static DevicePtr Create(int kind, int width, int height) {
        return Create(static_cast<DeviceKind>(kind), width, height);
    }

    DeviceKind Kind() const { return kind_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // The highest quality any mesh is drawn with (mesh qualities above it are lowered).
    bool SetQuality(int quality);
    int Quality() const { return quality_; }
    bool SetRenderMode(uint32_t flags);
    uint32_t RenderMode() const { return renderMode_; }

    PixelView Pixels() const { return {color_.data(), width_, height_, width_}; }
    // Makes the rendered picture available; rendering already writes it, so this only succeeds.
    bool Update() { return true; }

    // For the viewport.
    uint32_t* ColorData() { return color_.data(); }
    float* DepthData() { return depth_.data(); }

private:
    DeviceKind kind_ = DeviceKind::kRgb;
    int width_ = 0, height_ = 0;
    int quality_ = kQualityGouraud;
    uint32_t renderMode_ = 0;
    std::vector<uint32_t> color_;
    std::vector<float> depth_;
};

}  // namespace rm
