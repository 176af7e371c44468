// Viewports: a camera frame, a rectangle on a device, clipping distances and a field.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rm/device.h"
#include "platform/rm/frame.h"

namespace rm {

constexpr uint32_t kClearTarget = 1;
constexpr uint32_t kClearZBuffer = 2;
constexpr uint32_t kClearAll = kClearTarget | kClearZBuffer;

struct PickHit {
    VisualPtr visual;  // a MeshBuilder
    FramePtr frame;    // the frame the visual hangs on
    int face = -1;     // face index in that mesh builder
    Vector3 position;  // hit point relative to the scene root
    float depth = 0;   // distance along the camera's z axis
};

namespace detail {
struct CameraSetup;
struct RenderScratch;
}  // namespace detail

class Viewport;
using ViewportPtr = std::shared_ptr<Viewport>;

class Viewport {
public:
    static ViewportPtr Create(const DevicePtr& device, const FramePtr& camera, int x, int y,
                              int width, int height);
    ~Viewport();

    bool Configure(int x, int y, int width, int height);
    int X() const { return x_; }
    int Y() const { return y_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    bool SetCamera(const FramePtr& camera);
    const FramePtr& Camera() const { return camera_; }
    // The perspective maps +-field at the front distance to +-max(width, height) / 2 pixels.
    bool SetFront(float front);
    bool SetBack(float back);
    bool SetField(float field);
    float Front() const { return front_; }
    float Back() const { return back_; }
    float Field() const { return field_; }

    // Fills the rectangle with the background (colour, then image) of the camera's scene.
    bool Clear(uint32_t flags = kClearAll);
    // Draws `frame` and its subtree; lights, background and fog come from its scene root.
    bool Render(const Frame& frame);
    // Faces under viewport pixel (x, y) in the tree rendered last, nearest first, one hit per
    // visual; frames without kPickEnable (and their subtrees) are skipped.
    std::vector<PickHit> Pick(int x, int y) const;
    std::vector<PickHit> Pick(const Frame& frame, int x, int y) const;

private:
    Viewport();
    bool MakeCamera(detail::CameraSetup& cam) const;

    DevicePtr device_;
    FramePtr camera_;
    int x_ = 0, y_ = 0, width_ = 0, height_ = 0;
    float front_ = 1.0f, back_ = 100.0f, field_ = 0.5f;
    std::weak_ptr<const Frame> lastRendered_;
    std::unique_ptr<detail::RenderScratch> scratch_;
};

}  // namespace rm
