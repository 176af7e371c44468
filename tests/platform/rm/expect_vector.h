// Comparing engine vectors in tests.
#pragma once

#include <gtest/gtest.h>

#include <numbers>

#include "platform/rm/vector.h"

namespace rm {

inline constexpr float kPi = std::numbers::pi_v<float>;

inline void ExpectNear(Vector3 a, Vector3 b, float eps = 1e-5f) {
    EXPECT_NEAR(a.x, b.x, eps);
    EXPECT_NEAR(a.y, b.y, eps);
    EXPECT_NEAR(a.z, b.z, eps);
}

}  // namespace rm
