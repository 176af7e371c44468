// The render device behind the 3D pane: the engine device and viewport, the scene root and
// camera, the pane rectangle and the busy count. Created at the view's first paint; frames
// are rendered synchronously on request.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/rm/rm.h"

namespace shell {
class Prompt;
}

namespace viewport {

struct PaneRect {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const PaneRect&, const PaneRect&) = default;
};

// The device settings as stored; the kind obtained is written back.
struct DeviceRequest {
    int32_t kind = 1;  // 0 hardware, 1 MMX, 2 RGB
    int32_t width = 640;
    int32_t height = 480;
};

inline constexpr int kMinRenderSize = 200;
inline constexpr float kFrontDistance = 0.0625f;
inline constexpr float kBackDistance = 1.0e30f;
inline constexpr float kField = 0.03125f;
inline constexpr uint32_t kRenderMode =
    rm::kRenderModeBlendedTransparency | rm::kRenderModeSortedTransparency |
    rm::kRenderModeViewDependentSpecular | rm::kRenderModeDisableSortedAlphaZWrite;

// Each size at most the display's and at least 200.
int ClampRenderSize(int requested, int display);

class RenderDevice {
public:
    PaneRect pane;
    rm::DevicePtr device;
    rm::ViewportPtr viewport;
    rm::FramePtr root, camera;
    int renderWidth = 0, renderHeight = 0;
    bool initialised = false, closing = false;
    int busy = 0;
    // The scene changed since the picture was rendered; a paint renders before it shows
    // the picture then, and otherwise shows the last picture as it is.
    bool stale = true;
    uint64_t framesRendered = 0;

    // Run inside every frame before rendering (camera update, letters, display mode).
    std::function<void()> beforeFrame;
    // Run after a frame is in the target, to show it.
    std::function<void()> present;

    // Creates device, frames and viewport. `clientWidth/Height` is the view's client area,
    // `display*` the screen size. Messages (caption "TL") go through prompt. The scene is
    // built by the caller afterwards.
    bool Create(DeviceRequest& request, int displayWidth, int displayHeight, int clientWidth,
                int clientHeight, shell::Prompt* prompt);
    // Renders now unless render or release operations are nested three deep.
    void RequestFrame();
    void RenderFrame();
    // Releases every handle in order; each release skips an empty one.
    void ReleaseRenderObjects();

    // The rendered picture of the pane's size.
    rm::PixelView Picture() const;
};

// Keeps the busy count raised for a scope.
class BusyScope {
public:
    explicit BusyScope(int& count) : count_(count) { ++count_; }
    ~BusyScope() { --count_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    int& count_;
};

}  // namespace viewport
