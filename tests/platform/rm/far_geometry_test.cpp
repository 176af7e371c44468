// Screen positions far beyond the target, as huge model coordinates produce: the rasterizer
// clips them to its guard band, draws what lies on the target exactly, and draws nothing for
// positions that are not finite.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "platform/rm/rasterizer.h"

namespace rm::detail {
namespace {

constexpr int kSize = 64;
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

struct Target {
    std::vector<uint32_t> color = std::vector<uint32_t>(kSize * kSize, 0);
    std::vector<float> depth = std::vector<float>(kSize * kSize, 0.0f);
    RasterTarget t{color.data(), depth.data(), kSize, 0, 0, kSize, kSize};

    int Count(int x0, int y0, int x1, int y1) const {  // drawn pixels in [x0, x1) x [y0, y1)
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += color[size_t(y) * kSize + x] != 0;
        return n;
    }
    int Count() const { return Count(0, 0, kSize, kSize); }
};

RasterVertex At(float x, float y) {
    return {x, y, 1.0f, 255, 255, 255, 255, 0, 0, 1};
}

TEST(RmFarGeometry, TrianglesReachingFarOutDrawTheirOnScreenPartExactly) {
    // (10, 10), (far, 10), (10, 50): on the target the triangle is the rectangle of pixel
    // centres x >= 10, 10 <= y < 50 (its long edge drops less than a millionth of a pixel).
    for (float far : {1.0e7f, 6666666666.0f, 1.0e20f, std::numeric_limits<float>::max()}) {
        Target g;
        DrawTriangle(g.t, {}, At(10, 10), At(far, 10), At(10, 50));
        EXPECT_EQ(g.Count(), 54 * 40) << far;
        EXPECT_EQ(g.Count(10, 10, kSize, 50), 54 * 40) << far;
    }
    // A vertex far out on each side, the triangle covering the whole target.
    Target g;
    DrawTriangle(g.t, {}, At(-1.0e20f, -1.0e20f), At(1.0e20f, -1.0e20f), At(0, 1.0e20f));
    EXPECT_EQ(g.Count(), kSize * kSize);
    // Wholly off the target, or the wrong way round after clipping: nothing.
    Target off;
    DrawTriangle(off.t, {}, At(1.0e20f, 1.0e20f), At(2.0e20f, 1.0e20f), At(1.0e20f, 3.0e20f));
    DrawTriangle(off.t, {}, At(10, 10), At(10, 50), At(1.0e20f, 10));
    EXPECT_EQ(off.Count(), 0);
}

TEST(RmFarGeometry, LinesReachingFarOutDrawTheirOnScreenPart) {
    Target g;
    DrawLine(g.t, {}, At(10, 20.5f), At(1.0e20f, 20.5f));
    DrawLine(g.t, {}, At(-6666666666.0f, 30.5f), At(5, 30.5f));
    EXPECT_EQ(g.Count(10, 20, kSize, 21), kSize - 10);
    EXPECT_EQ(g.Count(0, 30, 5, 31), 5);
    EXPECT_EQ(g.Count(), kSize - 10 + 5);
}

TEST(RmFarGeometry, PositionsThatAreNotFiniteDrawNothing) {
    Target g;
    const float bad[] = {kNaN, kInf, -kInf};
    for (float b : bad) {
        DrawTriangle(g.t, {}, At(b, 10), At(60, 10), At(10, 50));
        DrawTriangle(g.t, {}, At(10, 10), At(60, b), At(10, 50));
        DrawLine(g.t, {}, At(10, 10), At(b, 10));
        DrawPoint(g.t, {}, At(b, b));
    }
    EXPECT_EQ(g.Count(), 0);
    // NaN colours (lighting of degenerate geometry) still give a defined pixel.
    RasterVertex v = At(10, 10);
    v.r = kNaN;
    DrawPoint(g.t, {}, v);
    EXPECT_EQ(g.color[10 * kSize + 10], 0xFF00FFFFu);
}

}  // namespace
}  // namespace rm::detail
