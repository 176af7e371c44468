#include "viewport/render_device.h"

#include <algorithm>

#include "platform/shell.h"

namespace viewport {

namespace {
constexpr const char* kCaption = "TL";
}

int ClampRenderSize(int requested, int display) {
    return std::max(kMinRenderSize, std::min(requested, display));
}

bool RenderDevice::Create(DeviceRequest& request, int displayWidth, int displayHeight,
                          int clientWidth, int clientHeight, shell::Prompt* prompt) {
    BusyScope busyScope(busy);
    auto fail = [&](const char* text) {
        if (prompt) prompt->Ask(text, kCaption, shell::Buttons::Ok);
        ReleaseRenderObjects();
        return false;
    };
    renderWidth = ClampRenderSize(request.width, displayWidth);
    renderHeight = ClampRenderSize(request.height, displayHeight);

    root = rm::Frame::Create();
    if (!root) return fail("D3DRMシーンの生成に失敗");
    camera = rm::Frame::Create(root);
    if (!camera) return fail("D3DRMカメラの生成に失敗");
    if (clientWidth <= 0 || clientHeight <= 0) return fail("ウィンドウサイズ不適");

    // The kind asked for, then hardware, MMX and RGB in turn.
    const int wanted = std::clamp<int32_t>(request.kind, 0, 2);
    device = rm::Device::Create(wanted, renderWidth, renderHeight);
    for (int kind = 0; !device && kind <= 2; ++kind)
        device = rm::Device::Create(kind, renderWidth, renderHeight);
    if (!device) {
        if (prompt) prompt->Ask("駄目なものは駄目", kCaption, shell::Buttons::Ok);
        return false;
    }
    request.kind = static_cast<int32_t>(device->Kind());

    // A pane larger than the clamped target would make the viewport fail; frames show the
    // target's top-left part then.
    viewport = rm::Viewport::Create(device, camera, 0, 0, std::clamp(pane.width, 1, renderWidth),
                                    std::clamp(pane.height - 1, 1, renderHeight));
    if (!viewport) return fail("ビュー・ポートの生成に失敗");
    viewport->SetBack(kBackDistance);
    viewport->SetFront(kFrontDistance);
    viewport->SetField(kField);
    device->SetQuality(rm::kQualityGouraud);
    device->SetRenderMode(kRenderMode);
    camera->SetPosition(root, 1, 1, -5);
    camera->SetOrientation(root, {0, 0, 1}, {0, 1, 0});
    return true;
}

void RenderDevice::RequestFrame() {
    if (busy >= 3) return;
    RenderFrame();
}

void RenderDevice::RenderFrame() {
    if (!initialised || closing || pane.width <= 0 || pane.height <= 0 || !viewport) return;
    BusyScope busyScope(busy);
    if (beforeFrame) beforeFrame();
    const int w = std::min(pane.width, renderWidth), h = std::min(pane.height, renderHeight);
    viewport->Configure(0, 0, w, h);
    viewport->Clear(rm::kClearAll);
    viewport->Render(*root);
    device->Update();
    stale = false;
    ++framesRendered;
    if (present) present();
}

void RenderDevice::ReleaseRenderObjects() {
    BusyScope busyScope(busy);
    initialised = false;
    viewport.reset();
    device.reset();
    camera.reset();
    root.reset();
}

rm::PixelView RenderDevice::Picture() const {
    if (!device) return {};
    rm::PixelView view = device->Pixels();
    view.width = std::min(pane.width, view.width);
    view.height = std::min(pane.height, view.height);
    return view;
}

}  // namespace viewport
