#include "platform/rm/matrix.h"

#include <cmath>

namespace rm {

Matrix4 Matrix4::Translation(Vector3 t) {
    Matrix4 r;
    r.SetRow(3, t);
    return r;
}

Matrix4 Matrix4::Scaling(float sx, float sy, float sz) {
    Matrix4 r;
    r.m[0][0] = sx;
    r.m[1][1] = sy;
    r.m[2][2] = sz;
    return r;
}

Matrix4 Matrix4::Rotation(Vector3 axis, float angle) {
    // Rows are the rotated basis vectors, so the matrix agrees with Rotate() exactly.
    Matrix4 r;
    r.SetRow(0, Rotate({1, 0, 0}, axis, angle));
    r.SetRow(1, Rotate({0, 1, 0}, axis, angle));
    r.SetRow(2, Rotate({0, 0, 1}, axis, angle));
    return r;
}

Matrix4 Matrix4::FromAxes(Vector3 x, Vector3 y, Vector3 z, Vector3 t) {
    Matrix4 r;
    r.SetRow(0, x);
    r.SetRow(1, y);
    r.SetRow(2, z);
    r.SetRow(3, t);
    return r;
}

Matrix4 operator*(const Matrix4& a, const Matrix4& b) {
    Matrix4 r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] +
                        a.m[i][3] * b.m[3][j];
    return r;
}

Matrix4 Matrix4::InverseAffine(bool* ok) const {
    const auto& a = m;
    float c00 = a[1][1] * a[2][2] - a[1][2] * a[2][1];
    float c01 = a[1][2] * a[2][0] - a[1][0] * a[2][2];
    float c02 = a[1][0] * a[2][1] - a[1][1] * a[2][0];
    float det = a[0][0] * c00 + a[0][1] * c01 + a[0][2] * c02;
    if (!(std::fabs(det) > 1e-30f) || !std::isfinite(det)) {
        if (ok) *ok = false;
        return {};
    }
    float id = 1.0f / det;
    Matrix4 r;
    r.m[0][0] = c00 * id;
    r.m[0][1] = (a[0][2] * a[2][1] - a[0][1] * a[2][2]) * id;
    r.m[0][2] = (a[0][1] * a[1][2] - a[0][2] * a[1][1]) * id;
    r.m[1][0] = c01 * id;
    r.m[1][1] = (a[0][0] * a[2][2] - a[0][2] * a[2][0]) * id;
    r.m[1][2] = (a[0][2] * a[1][0] - a[0][0] * a[1][2]) * id;
    r.m[2][0] = c02 * id;
    r.m[2][1] = (a[0][1] * a[2][0] - a[0][0] * a[2][1]) * id;
    r.m[2][2] = (a[0][0] * a[1][1] - a[0][1] * a[1][0]) * id;
    Vector3 t = r.TransformDirection(Row(3));
    r.SetRow(3, -t);
    if (ok) *ok = true;
    return r;
}

Matrix4 Matrix4::NormalMatrix() const {
    Matrix4 inv = InverseAffine();
    Matrix4 r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) r.m[i][j] = inv.m[j][i];
    return r;
}

}  // namespace rm
