#include "platform/rm/frame.h"

#include <algorithm>
#include <cmath>

#include "platform/rm/error.h"

namespace rm {
namespace {

bool Finite(Vector3 v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// Orthonormal axes from a direction and an up hint; false when they are degenerate.
bool MakeAxes(Vector3 direction, Vector3 up, Vector3& x, Vector3& y, Vector3& z) {
    z = Normalize(direction);
    if (Length(z) == 0.0f) return false;
    y = Normalize(up - z * Dot(up, z));
    if (Length(y) == 0.0f) return false;
    x = Cross(y, z);
    return true;
}

template <class T>
bool AddOnce(std::vector<T>& list, const T& item) {
    if (!item) return detail::Fail("empty handle");
    if (std::find(list.begin(), list.end(), item) == list.end()) list.push_back(item);
    return true;
}

template <class T>
bool RemoveFrom(std::vector<T>& list, const T& item) {
    auto it = std::find(list.begin(), list.end(), item);
    if (!item || it == list.end()) return detail::Fail("not attached to this frame");
    list.erase(it);
    return true;
}

}  // namespace

FramePtr Frame::Create(const FramePtr& parent) {
    try {
        auto f = std::make_shared<Frame>();
        if (parent) parent->AddChild(f);
        return f;
    } catch (...) {
        detail::Fail("out of memory creating a frame");
        return {};
    }
}

bool Frame::AddChild(const FramePtr& child) {
    if (!child) return detail::Fail("empty frame");
    for (const Frame* f = this; f; f = f->parent_.lock().get())
        if (f == child.get()) return detail::Fail("a frame cannot become its own descendant");
    try {
        if (auto old = child->Parent()) {
            if (old.get() == this) return true;
            old->RemoveChild(child);
        }
        children_.push_back(child);
        child->parent_ = weak_from_this();
        return true;
    } catch (...) {
        return detail::Fail("out of memory adding a child frame");
    }
}

bool Frame::RemoveChild(const FramePtr& child) {
    if (!RemoveFrom(children_, child)) return false;
    child->parent_.reset();
    return true;
}

const Frame& Frame::Root() const {
    const Frame* f = this;
    while (auto p = f->parent_.lock()) f = p.get();
    return *f;
}

Matrix4 Frame::WorldTransform() const {
    Matrix4 m = local_;
    for (auto p = parent_.lock(); p; p = p->parent_.lock()) m = m * p->local_;
    return m;
}

Vector3 Frame::Transform(Vector3 local) const {
    return WorldTransform().TransformPoint(local);
}

Vector3 Frame::InverseTransform(Vector3 world) const {
    return WorldTransform().InverseAffine().TransformPoint(world);
}

bool Frame::SetPosition(const FramePtr& reference, Vector3 p) {
    if (!Finite(p)) return detail::Fail("position must be finite");
    Vector3 world = reference ? reference->Transform(p) : p;
    auto parent = Parent();
    local_.SetRow(3, parent ? parent->InverseTransform(world) : world);
    return true;
}

Vector3 Frame::Position(const FramePtr& reference) const {
    Vector3 world = WorldTransform().Row(3);
    return reference ? reference->InverseTransform(world) : world;
}

bool Frame::SetOrientation(const FramePtr& reference, Vector3 direction, Vector3 up) {
    if (!Finite(direction) || !Finite(up)) return detail::Fail("orientation must be finite");
    Vector3 x, y, z;
    if (!MakeAxes(direction, up, x, y, z)) return detail::Fail("direction and up are degenerate");
    // Into the parent's space, through the root.
    if (reference) {
        Matrix4 r = reference->WorldTransform();
        z = r.TransformDirection(z);
        y = r.TransformDirection(y);
    }
    if (auto parent = Parent()) {
        Matrix4 inv = parent->WorldTransform().InverseAffine();
        z = inv.TransformDirection(z);
        y = inv.TransformDirection(y);
    }
    if (!MakeAxes(z, y, x, y, z)) return detail::Fail("direction and up are degenerate");
    local_ = Matrix4::FromAxes(x, y, z, local_.Row(3));
    return true;
}

void Frame::GetOrientation(const FramePtr& reference, Vector3& direction, Vector3& up) const {
    Matrix4 w = WorldTransform();
    Vector3 z = w.Row(2), y = w.Row(1);
    if (reference) {
        Matrix4 inv = reference->WorldTransform().InverseAffine();
        z = inv.TransformDirection(z);
        y = inv.TransformDirection(y);
    }
    direction = Normalize(z);
    up = Normalize(y);
}

bool Frame::LookAt(const FramePtr& target, const FramePtr& reference, Constraint constraint) {
    if (!target) return detail::Fail("no target to look at");
    Vector3 dir = target->Position() - Position();
    if (Length(dir) == 0.0f) return detail::Fail("the target is at the frame's position");
    Vector3 refUp{0, 1, 0}, refX{1, 0, 0}, refZ{0, 0, 1};
    if (reference) {
        Matrix4 r = reference->WorldTransform();
        refUp = r.TransformDirection(refUp);
        refX = r.TransformDirection(refX);
        refZ = r.TransformDirection(refZ);
    }
    Vector3 curDir, curUp;
    GetOrientation({}, curDir, curUp);
    Vector3 up = curUp;
    switch (constraint) {
        case Constraint::kZ:
            up = refUp;
            break;  // no roll: stay level with the reference
        case Constraint::kY:
            up = Cross(dir, Cross(curUp, dir));
            break;
        case Constraint::kX:
            up = Cross(refX, dir);
            break;
    }
    Vector3 x, y, z;
    if (!MakeAxes(dir, up, x, y, z) && !MakeAxes(dir, curUp, x, y, z) &&
        !MakeAxes(dir, refZ, x, y, z))
        return detail::Fail("cannot orient towards the target");
    return SetOrientation({}, z, y);
}

bool Frame::Combined(Combine combine, const Matrix4& m) {
    switch (combine) {
        case Combine::kReplace:
            local_ = m;
            return true;
        case Combine::kBefore:
            local_ = m * local_;
            return true;
        case Combine::kAfter:
            local_ = local_ * m;
            return true;
    }
    return detail::Fail("unknown combine type");
}

bool Frame::AddScale(Combine combine, float sx, float sy, float sz) {
    if (!Finite(Vector3{sx, sy, sz})) return detail::Fail("scale must be finite");
    return Combined(combine, Matrix4::Scaling(sx, sy, sz));
}

bool Frame::AddRotation(Combine combine, Vector3 axis, float angle) {
    if (!Finite(axis) || !std::isfinite(angle)) return detail::Fail("rotation must be finite");
    if (Length(axis) == 0.0f) return detail::Fail("rotation axis is zero");
    return Combined(combine, Matrix4::Rotation(axis, angle));
}

bool Frame::AddTranslation(Combine combine, Vector3 t) {
    if (!Finite(t)) return detail::Fail("translation must be finite");
    return Combined(combine, Matrix4::Translation(t));
}

bool Frame::AddTransform(Combine combine, const Matrix4& m) {
    return Combined(combine, m);
}

bool Frame::AddVisual(const VisualPtr& visual) {
    try {
        return AddOnce(visuals_, visual);
    } catch (...) {
        return detail::Fail("out of memory adding a visual");
    }
}
bool Frame::RemoveVisual(const VisualPtr& visual) {
    return RemoveFrom(visuals_, visual);
}
bool Frame::AddLight(const LightPtr& light) {
    try {
        return AddOnce(lights_, light);
    } catch (...) {
        return detail::Fail("out of memory adding a light");
    }
}
bool Frame::RemoveLight(const LightPtr& light) {
    return RemoveFrom(lights_, light);
}

bool Frame::SetTraversalOptions(uint32_t flags) {
    if (flags & ~(kRenderEnable | kPickEnable)) return detail::Fail("unknown traversal flag");
    traversal_ = flags;
    return true;
}

bool Frame::SetSceneBackground(uint32_t argb) {
    background_ = argb;
    return true;
}
bool Frame::SetSceneBackgroundRgb(float r, float g, float b) {
    background_ = ColorFromRgba(r, g, b);
    return true;
}
bool Frame::SetSceneBackgroundImage(const TexturePtr& image) {
    backgroundImage_ = image;
    return true;
}
bool Frame::SetSceneFogEnable(bool on) {
    fog_.enabled = on;
    return true;
}
bool Frame::SetSceneFogColor(uint32_t argb) {
    fog_.color = argb;
    return true;
}
bool Frame::SetSceneFogMode(FogMode mode) {
    int m = static_cast<int>(mode);
    if (m < 0 || m > 2) return detail::Fail("unknown fog mode");
    fog_.mode = mode;
    return true;
}
bool Frame::SetSceneFogParams(float start, float end, float density) {
    if (!std::isfinite(start) || !std::isfinite(end) || !std::isfinite(density))
        return detail::Fail("fog parameters must be finite");
    fog_.start = start;
    fog_.end = end;
    fog_.density = density;
    return true;
}

}  // namespace rm
