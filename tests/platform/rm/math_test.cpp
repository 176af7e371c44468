#include <gtest/gtest.h>

#include <numbers>

#include "platform/rm/matrix.h"
#include "platform/rm/vector.h"
#include "tests/platform/rm/expect_vector.h"

namespace rm {
namespace {

TEST(RmVector, Arithmetic) {
    Vector3 a{1, 2, 3}, b{4, -5, 6};
    ExpectNear(Add(a, b), {5, -3, 9});
    ExpectNear(Subtract(a, b), {-3, 7, -3});
    ExpectNear(Scale(a, 2), {2, 4, 6});
    EXPECT_FLOAT_EQ(Dot(a, b), 4 - 10 + 18);
    EXPECT_FLOAT_EQ(Length(Vector3{3, 4, 0}), 5);
    ExpectNear(Normalize(Vector3{0, 0, 7}), {0, 0, 1});
    ExpectNear(Normalize(Vector3{}), {0, 0, 0});
    ExpectNear(Cross({0, 1, 0}, {0, 0, 1}), {1, 0, 0});  // y x z = x
}

TEST(RmVector, PositiveRotationAboutYTurnsXIntoMinusZ) {
    ExpectNear(Rotate({1, 0, 0}, {0, 1, 0}, kPi / 2), {0, 0, -1});
    ExpectNear(Rotate({0, 0, 1}, {0, 1, 0}, kPi / 2), {1, 0, 0});
    ExpectNear(Rotate({0, 1, 0}, {1, 0, 0}, kPi / 2), {0, 0, 1});
    // The axis need not be unit length.
    ExpectNear(Rotate({1, 0, 0}, {0, 5, 0}, kPi / 2), {0, 0, -1});
}

TEST(RmMatrix, RotationAgreesWithVectorRotate) {
    Vector3 axis{1, 2, -0.5f}, p{0.3f, -1.2f, 2.0f};
    Matrix4 m = Matrix4::Rotation(axis, 0.7f);
    ExpectNear(m.TransformPoint(p), Rotate(p, axis, 0.7f));
}

TEST(RmMatrix, RowVectorsApplyLeftFactorFirst) {
    Matrix4 s = Matrix4::Scaling(2, 2, 2), t = Matrix4::Translation({1, 0, 0});
    ExpectNear((s * t).TransformPoint({1, 1, 1}), {3, 2, 2});  // scale, then move
    ExpectNear((t * s).TransformPoint({1, 1, 1}), {4, 2, 2});  // move, then scale
}

TEST(RmMatrix, InverseAffine) {
    Matrix4 m = Matrix4::Rotation({0, 1, 1}, 1.1f) * Matrix4::Scaling(2, 3, 0.5f) *
                Matrix4::Translation({4, -2, 7});
    bool ok = false;
    Matrix4 inv = m.InverseAffine(&ok);
    ASSERT_TRUE(ok);
    Vector3 p{0.25f, 1.5f, -3};
    ExpectNear(inv.TransformPoint(m.TransformPoint(p)), p, 1e-4f);
    Matrix4::Scaling(0, 1, 1).InverseAffine(&ok);
    EXPECT_FALSE(ok);
}

}  // namespace
}  // namespace rm
