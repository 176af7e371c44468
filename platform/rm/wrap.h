// Texture wraps: texture coordinates computed from vertex positions (or normals, for chrome)
// by a flat, cylindrical or spherical projection.
#pragma once

#include <memory>

#include "platform/rm/frame.h"
#include "platform/rm/mesh_builder.h"
#include "platform/rm/vector.h"

namespace rm {

// The retained-mode wrap type values.
enum class WrapType : int { kFlat = 0, kCylinder = 1, kSphere = 2, kChrome = 3 };

class Wrap;
using WrapPtr = std::shared_ptr<Wrap>;

class Wrap {
public:
    // `reference` gives the space of origin, direction (the wrap's z) and up (its y); empty means
    // the scene root. (u, v) = (su * a - ou, sv * b - ov), where a and b are the projected
    // coordinates: flat x and y; cylinder the angle about y as a fraction of a turn and y;
    // sphere that angle and the angle from -y as a fraction of a half turn; chrome the normal's
    // x and y mapped to 0..1.
    static WrapPtr Create(WrapType type, const FramePtr& reference, Vector3 origin,
                          Vector3 direction, Vector3 up, float ou, float ov, float su, float sv);

    // Treats the mesh's coordinates as coordinates of the reference frame.
    bool Apply(MeshBuilder& mesh) const;
    // The mesh lives in `frame`: its vertices are taken into the reference frame first.
    bool ApplyRelative(const Frame& frame, MeshBuilder& mesh) const;

    WrapType Type() const { return type_; }

private:
    bool ApplyWith(const Matrix4& toReference, MeshBuilder& mesh) const;

    WrapType type_ = WrapType::kFlat;
    std::weak_ptr<Frame> reference_;
    bool hasReference_ = false;
    Vector3 origin_, x_, y_, z_;
    float ou_ = 0, ov_ = 0, su_ = 1, sv_ = 1;
};

}  // namespace rm
