// Three-component vectors in 32-bit floats, and the vector helpers the callers use.
#pragma once

#include <cmath>

namespace rm {

struct Vector3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

inline Vector3 operator+(Vector3 a, Vector3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vector3 operator-(Vector3 a, Vector3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vector3 operator-(Vector3 a) {
    return {-a.x, -a.y, -a.z};
}
inline Vector3 operator*(Vector3 a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline Vector3 operator*(float s, Vector3 a) {
    return a * s;
}
inline Vector3& operator+=(Vector3& a, Vector3 b) {
    return a = a + b;
}
inline Vector3& operator-=(Vector3& a, Vector3 b) {
    return a = a - b;
}
inline bool operator==(Vector3 a, Vector3 b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

inline Vector3 Add(Vector3 a, Vector3 b) {
    return a + b;
}
inline Vector3 Subtract(Vector3 a, Vector3 b) {
    return a - b;
}
inline Vector3 Scale(Vector3 a, float s) {
    return a * s;
}
inline float Dot(Vector3 a, Vector3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
// Standard component formula; with x right, y up, z forward (left-handed) Cross(y, z) = x.
inline Vector3 Cross(Vector3 a, Vector3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(Vector3 a) {
    return std::sqrt(Dot(a, a));
}

// A zero vector stays zero rather than turning into NaNs.
inline Vector3 Normalize(Vector3 a) {
    float len = Length(a);
    return len > 0.0f ? a * (1.0f / len) : Vector3{};
}

// Rotation by `angle` radians about `axis`. A positive angle turns (1, 0, 0) about (0, 1, 0)
// into (0, 0, -1); frames use the same sign.
inline Vector3 Rotate(Vector3 v, Vector3 axis, float angle) {
    Vector3 k = Normalize(axis);
    float c = std::cos(angle), s = std::sin(angle);
    return v * c + Cross(k, v) * s + k * (Dot(k, v) * (1.0f - c));
}

}  // namespace rm
