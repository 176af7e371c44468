// 4x4 transforms for row vectors (p' = p * M), affine in practice.
#pragma once

#include "platform/rm/vector.h"

namespace rm {

struct Matrix4 {
    float m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

    static Matrix4 Identity() { return {}; }
    static Matrix4 Translation(Vector3 t);
    static Matrix4 Scaling(float sx, float sy, float sz);
    static Matrix4 Rotation(Vector3 axis, float angle);
    // Rows x, y, z of the rotation part and the translation row.
    static Matrix4 FromAxes(Vector3 x, Vector3 y, Vector3 z, Vector3 t);

    Vector3 Row(int i) const { return {m[i][0], m[i][1], m[i][2]}; }
    void SetRow(int i, Vector3 v) {
        m[i][0] = v.x;
        m[i][1] = v.y;
        m[i][2] = v.z;
    }

    Vector3 TransformPoint(Vector3 p) const {
        return {p.x * m[0][0] + p.y * m[1][0] + p.z * m[2][0] + m[3][0],
                p.x * m[0][1] + p.y * m[1][1] + p.z * m[2][1] + m[3][1],
                p.x * m[0][2] + p.y * m[1][2] + p.z * m[2][2] + m[3][2]};
    }
    Vector3 TransformDirection(Vector3 d) const {
        return {d.x * m[0][0] + d.y * m[1][0] + d.z * m[2][0],
                d.x * m[0][1] + d.y * m[1][1] + d.z * m[2][1],
                d.x * m[0][2] + d.y * m[1][2] + d.z * m[2][2]};
    }

    // Inverse of an affine matrix; a singular one gives the identity and ok = false.
    Matrix4 InverseAffine(bool* ok = nullptr) const;
    // Matrix for transforming normals (inverse transpose of the 3x3 part), without translation.
    Matrix4 NormalMatrix() const;
};

// a first, then b: p * (a * b) = (p * a) * b.
Matrix4 operator*(const Matrix4& a, const Matrix4& b);

}  // namespace rm
