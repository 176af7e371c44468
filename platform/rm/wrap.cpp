#include "platform/rm/wrap.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/rm/error.h"

namespace rm {
namespace {

constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;
constexpr float kPi = std::numbers::pi_v<float>;

// Coordinates far outside any sensible range (a scale of 0 makes the factors infinite) are
// pinned to 0, so that nothing downstream sees infinities or NaNs.
float Sane(float v) {
    return std::isfinite(v) && std::fabs(v) < 1.0e7f ? v : 0.0f;
}

}  // namespace

WrapPtr Wrap::Create(WrapType type, const FramePtr& reference, Vector3 origin, Vector3 direction,
                     Vector3 up, float ou, float ov, float su, float sv) {
    int t = static_cast<int>(type);
    if (t < 0 || t > 3) {
        detail::Fail("unknown wrap type");
        return {};
    }
    Vector3 z = Normalize(direction);
    Vector3 y = Normalize(up - z * Dot(up, z));
    if (Length(z) == 0.0f || Length(y) == 0.0f) {
        detail::Fail("wrap direction and up are degenerate");
        return {};
    }
    try {
        auto w = std::make_shared<Wrap>();
        w->type_ = type;
        w->reference_ = reference;
        w->hasReference_ = static_cast<bool>(reference);
        w->origin_ = origin;
        w->z_ = z;
        w->y_ = y;
        w->x_ = Cross(y, z);
        w->ou_ = ou;
        w->ov_ = ov;
        w->su_ = su;
        w->sv_ = sv;
        return w;
    } catch (...) {
        detail::Fail("out of memory creating a wrap");
        return {};
    }
}

bool Wrap::Apply(MeshBuilder& mesh) const {
    return ApplyWith(Matrix4::Identity(), mesh);
}

bool Wrap::ApplyRelative(const Frame& frame, MeshBuilder& mesh) const {
    Matrix4 toReference = frame.WorldTransform();
    if (hasReference_) {
        FramePtr ref = reference_.lock();
        if (!ref) return detail::Fail("the wrap's reference frame is gone");
        toReference = toReference * ref->WorldTransform().InverseAffine();
    }
    return ApplyWith(toReference, mesh);
}

bool Wrap::ApplyWith(const Matrix4& toReference, MeshBuilder& mesh) const {
    const auto& vertices = mesh.Vertices();
    std::vector<Vector3> vertexNormal;
    if (type_ == WrapType::kChrome) {
        // Chrome reflects along the normals: average the corner normals per vertex.
        try {
            vertexNormal.assign(vertices.size(), {});
        } catch (...) {
            return detail::Fail("out of memory applying a wrap");
        }
        const auto& normals = mesh.Normals();
        Matrix4 nm = toReference.NormalMatrix();
        for (size_t f = 0; f < mesh.FaceCount(); ++f) {
            Vector3 front;
            mesh.GetFaceFrontNormal(f, front);
            const auto& face = mesh.Faces()[f];
            for (uint32_t j = 0; j < face.count; ++j) {
                const auto& c = mesh.Corners()[face.first + j];
                Vector3 n = c.normal == MeshBuilder::kNoNormal ? front : normals[c.normal];
                vertexNormal[c.vertex] += nm.TransformDirection(n);
            }
        }
    }
    for (size_t i = 0; i < vertices.size(); ++i) {
        Vector3 p = toReference.TransformPoint(vertices[i]) - origin_;
        float px = Dot(p, x_), py = Dot(p, y_), pz = Dot(p, z_);
        float a = 0, b = 0;
        switch (type_) {
            case WrapType::kFlat:
                a = px;
                b = py;
                break;
            case WrapType::kCylinder: {
                float theta = std::atan2(px, pz);
                if (theta < 0) theta += kTwoPi;
                a = theta / kTwoPi;
                b = py;
                break;
            }
            case WrapType::kSphere: {
                float theta = std::atan2(px, pz);
                if (theta < 0) theta += kTwoPi;
                float r = std::sqrt(px * px + py * py + pz * pz);
                float phi = r > 0 ? std::acos(std::clamp(-py / r, -1.0f, 1.0f)) : 0.0f;
                a = theta / kTwoPi;
                b = phi / kPi;
                break;
            }
            case WrapType::kChrome: {
                Vector3 n = Normalize(vertexNormal[i]);
                a = 0.5f + 0.5f * Dot(n, x_);
                b = 0.5f + 0.5f * Dot(n, y_);
                break;
            }
        }
        mesh.SetTextureCoordinates(i, Sane(su_ * a - ou_), Sane(sv_ * b - ov_));
    }
    return true;
}

}  // namespace rm
