#include "platform/rm/viewport.h"

#include <algorithm>
#include <cmath>

#include "platform/rm/error.h"
#include "platform/rm/renderer.h"

namespace rm {

Viewport::Viewport() = default;
Viewport::~Viewport() = default;

ViewportPtr Viewport::Create(const DevicePtr& device, const FramePtr& camera, int x, int y,
                             int width, int height) {
    if (!device) {
        detail::Fail("no device for the viewport");
        return {};
    }
    try {
        ViewportPtr v(new Viewport);
        v->device_ = device;
        v->camera_ = camera;
        v->scratch_ = std::make_unique<detail::RenderScratch>();
        if (!v->Configure(x, y, width, height)) return {};
        return v;
    } catch (...) {
        detail::Fail("out of memory creating the viewport");
        return {};
    }
}

bool Viewport::Configure(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0 || x < 0 || y < 0 || x > device_->Width() - width ||
        y > device_->Height() - height)
        return detail::Fail("viewport rectangle outside the device");
    x_ = x;
    y_ = y;
    width_ = width;
    height_ = height;
    return true;
}

bool Viewport::SetCamera(const FramePtr& camera) {
    camera_ = camera;
    return true;
}

bool Viewport::SetFront(float front) {
    if (!(front > 0.0f) || !std::isfinite(front)) return detail::Fail("front distance must be > 0");
    front_ = front;
    return true;
}

bool Viewport::SetBack(float back) {
    if (!(back > 0.0f) || std::isnan(back)) return detail::Fail("back distance must be > 0");
    back_ = back;
    return true;
}

bool Viewport::SetField(float field) {
    if (!(field > 0.0f) || !std::isfinite(field)) return detail::Fail("field must be > 0");
    field_ = field;
    return true;
}

bool Viewport::MakeCamera(detail::CameraSetup& cam) const {
    if (!camera_) return detail::Fail("the viewport has no camera");
    if (!(back_ > front_)) return detail::Fail("back distance must exceed the front distance");
    bool ok = false;
    cam.view = camera_->WorldTransform().InverseAffine(&ok);
    if (!ok) return detail::Fail("the camera frame's transform is singular");
    cam.focal = 0.5f * static_cast<float>(std::max(width_, height_)) * front_ / field_;
    cam.cx = static_cast<float>(x_) + 0.5f * static_cast<float>(width_);
    cam.cy = static_cast<float>(y_) + 0.5f * static_cast<float>(height_);
    cam.front = front_;
    cam.back = back_;
    cam.x0 = x_;
    cam.y0 = y_;
    cam.x1 = x_ + width_;
    cam.y1 = y_ + height_;
    return true;
}

bool Viewport::Clear(uint32_t flags) {
    detail::CameraSetup cam;
    cam.x0 = x_;
    cam.y0 = y_;
    cam.x1 = x_ + width_;
    cam.y1 = y_ + height_;
    if (camera_) {
        detail::ClearRect(*device_, cam, camera_->Root(), flags);
    } else {
        FramePtr none = Frame::Create();
        if (!none) return false;
        detail::ClearRect(*device_, cam, *none, flags);
    }
    return true;
}

bool Viewport::Render(const Frame& frame) {
    detail::CameraSetup cam;
    if (!MakeCamera(cam)) return false;
    lastRendered_ = frame.weak_from_this();
    return detail::RenderTree(*device_, *scratch_, cam, frame);
}

std::vector<PickHit> Viewport::Pick(int x, int y) const {
    auto frame = lastRendered_.lock();
    if (!frame) {
        detail::Fail("nothing has been rendered to pick from");
        return {};
    }
    return Pick(*frame, x, y);
}

std::vector<PickHit> Viewport::Pick(const Frame& frame, int x, int y) const {
    detail::CameraSetup cam;
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        detail::Fail("pick point outside the viewport");
        return {};
    }
    if (!MakeCamera(cam)) return {};
    return detail::PickTree(frame, cam, static_cast<float>(x_ + x) + 0.5f,
                            static_cast<float>(y_ + y) + 0.5f);
}

}  // namespace rm
