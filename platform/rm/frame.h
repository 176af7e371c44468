// Frames: a tree of coordinate systems under one scene root, carrying visuals and lights.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rm/light.h"
#include "platform/rm/matrix.h"
#include "platform/rm/texture.h"
#include "platform/rm/vector.h"
#include "platform/rm/visual.h"

namespace rm {

class Frame;
using FramePtr = std::shared_ptr<Frame>;

// How an added transform combines with the frame's current one (row vectors: "before" is
// applied to points first).
enum class Combine : int { kReplace = 0, kBefore = 1, kAfter = 2 };

// Which rotations LookAt may use: kZ keeps the frame level (no roll about its z axis).
enum class Constraint : int { kZ = 0, kY = 1, kX = 2 };

// Traversal options; a cleared flag applies to the whole subtree.
constexpr uint32_t kRenderEnable = 1;
constexpr uint32_t kPickEnable = 2;

enum class FogMode : int { kLinear = 0, kExponential = 1, kExponentialSquared = 2 };

struct FogSettings {
    bool enabled = false;
    uint32_t color = 0xFF000000;
    FogMode mode = FogMode::kLinear;
    float start = 1.0f, end = 100.0f, density = 1.0f;
};

class Frame : public std::enable_shared_from_this<Frame> {
public:
    // A frame under `parent`, or a scene root when `parent` is empty.
    static FramePtr Create(const FramePtr& parent = {});

    // --- tree
    bool AddChild(const FramePtr& child);  // moves the child from its old parent
    bool RemoveChild(const FramePtr& child);
    FramePtr Parent() const { return parent_.lock(); }
    const std::vector<FramePtr>& Children() const { return children_; }
    // The top of the tree this frame belongs to (itself for a root).
    const Frame& Root() const;

    // --- placement; an empty reference means the scene root's space
    bool SetPosition(const FramePtr& reference, Vector3 p);
    bool SetPosition(const FramePtr& reference, float x, float y, float z) {
        return SetPosition(reference, Vector3{x, y, z});
    }
    Vector3 Position(const FramePtr& reference = {}) const;
    // Direction becomes the frame's z axis, up its y axis. Drops any scale, keeps the position.
    bool SetOrientation(const FramePtr& reference, Vector3 direction, Vector3 up);
    void GetOrientation(const FramePtr& reference, Vector3& direction, Vector3& up) const;
    // Turns the z axis towards `target`; with kZ the y axis stays in the plane of the
    // reference's y axis.
    bool LookAt(const FramePtr& target, const FramePtr& reference, Constraint constraint);

    bool AddScale(Combine combine, float sx, float sy, float sz);
    bool AddRotation(Combine combine, Vector3 axis, float angle);
    bool AddTranslation(Combine combine, Vector3 t);
    bool AddTransform(Combine combine, const Matrix4& m);
    const Matrix4& LocalTransform() const { return local_; }
    Matrix4 WorldTransform() const;  // this frame's space to the root's space

    Vector3 Transform(Vector3 local) const;         // frame space -> root space
    Vector3 InverseTransform(Vector3 world) const;  // root space -> frame space

    // --- contents; adding what is already there is harmless
    bool AddVisual(const VisualPtr& visual);
    bool RemoveVisual(const VisualPtr& visual);
    const std::vector<VisualPtr>& Visuals() const { return visuals_; }
    bool AddLight(const LightPtr& light);
    bool RemoveLight(const LightPtr& light);
    const std::vector<LightPtr>& Lights() const { return lights_; }

    bool SetTraversalOptions(uint32_t flags);
    uint32_t TraversalOptions() const { return traversal_; }

    // --- scene settings, read from the root of the rendered tree
    bool SetSceneBackground(uint32_t argb);
    bool SetSceneBackgroundRgb(float r, float g, float b);
    uint32_t SceneBackground() const { return background_; }
    bool SetSceneBackgroundImage(const TexturePtr& image);  // empty handle: none
    const TexturePtr& SceneBackgroundImage() const { return backgroundImage_; }
    bool SetSceneFogEnable(bool on);
    bool SetSceneFogColor(uint32_t argb);
    bool SetSceneFogMode(FogMode mode);
    bool SetSceneFogParams(float start, float end, float density);
    const FogSettings& SceneFog() const { return fog_; }

private:
    bool Combined(Combine combine, const Matrix4& m);

    std::weak_ptr<Frame> parent_;
    std::vector<FramePtr> children_;
    std::vector<VisualPtr> visuals_;
    std::vector<LightPtr> lights_;
    Matrix4 local_;
    uint32_t traversal_ = kRenderEnable | kPickEnable;
    uint32_t background_ = 0xFF000000;
    TexturePtr backgroundImage_;
    FogSettings fog_;
};

inline FramePtr CreateFrame(const FramePtr& parent = {}) {
    return Frame::Create(parent);
}

}  // namespace rm
