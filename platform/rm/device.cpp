#include "platform/rm/device.h"

#include "platform/rm/error.h"

namespace rm {

DevicePtr Device::Create(DeviceKind kind, int width, int height) {
    if (kind == DeviceKind::kHardware) {
        detail::Fail("no hardware 3D device is available");
        return {};
    }
    if (kind != DeviceKind::kMmx && kind != DeviceKind::kRgb) {
        detail::Fail("unknown device kind");
        return {};
    }
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) {
        detail::Fail("device size out of range");
        return {};
    }
    try {
        auto d = std::make_shared<Device>();
        d->kind_ = kind;
        d->width_ = width;
        d->height_ = height;
        d->color_.assign(static_cast<size_t>(width) * height, 0xFF000000u);
        d->depth_.assign(static_cast<size_t>(width) * height, 0.0f);
        return d;
    } catch (...) {
        detail::Fail("out of memory creating the device");
        return {};
    }
}

bool Device::SetQuality(int quality) {
    if (quality & ~(kShadeMask | kLightMask | kFillMask) || (quality & kFillMask) == kFillMask)
        return detail::Fail("unknown render quality");
    quality_ = quality;
    return true;
}

bool Device::SetRenderMode(uint32_t flags) {
    constexpr uint32_t known = kRenderModeBlendedTransparency | kRenderModeSortedTransparency |
                               kRenderModeLightInModelSpace | kRenderModeViewDependentSpecular |
                               kRenderModeDisableSortedAlphaZWrite;
    if (flags & ~known) return detail::Fail("unknown render mode flag");
    renderMode_ = flags;
    return true;
}

}  // namespace rm
