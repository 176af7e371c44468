#include "viewport/fit_camera.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace viewport {
namespace {

// Every vertex lands inside the share of the picture, and the widest one at its edge.
TEST(FitCamera, PutsEveryVertexInsideTheShareWhereverTheModelIs) {
    const struct {
        const char* name;
        rm::Vector3 offset, direction;
        int width, height;
    } cases[] = {
        {"at the origin", {0, 0, 0}, {-1, -1, 5}, 640, 480},
        {"far away, tall picture", {5000, -2500, 12000}, {-1, -1, 5}, 200, 300},
        {"looking straight down", {3, 4, 5}, {0, -1, 0}, 320, 240},
    };
    for (const auto& c : cases) {
        std::vector<rm::Vector3> box;
        for (float x : {-1.0f, 1.0f})
            for (float y : {0.0f, 2.0f})
                for (float z : {-3.0f, 0.5f}) box.push_back(rm::Vector3{x, y, z} + c.offset);
        const std::span<const rm::Vector3> lists[] = {box};
        FitView view;
        view.direction = c.direction;
        view.width = c.width;
        view.height = c.height;
        const std::optional<CameraFit> fit = FitCamera(lists, view);
        ASSERT_TRUE(fit) << c.name;
        const rm::Vector3 z = rm::Normalize(fit->lookAt - fit->position);
        const rm::Vector3 y = fit->up, x = rm::Cross(y, z);
        EXPECT_NEAR(rm::Dot(z, rm::Normalize(c.direction)), 1.0f, 1e-5f) << c.name;
        const float focal = 0.5f * std::max(c.width, c.height) * view.front / view.field;
        float widest = 0;
        for (const rm::Vector3& v : box) {
            const rm::Vector3 p = v - fit->position;
            const float depth = rm::Dot(p, z);
            ASSERT_GT(depth, view.front) << c.name;
            const float sx = std::abs(focal * rm::Dot(p, x) / depth) / (c.width / 2.0f);
            const float sy = std::abs(focal * rm::Dot(p, y) / depth) / (c.height / 2.0f);
            EXPECT_LE(std::max(sx, sy), view.fill + 1e-3f) << c.name;
            widest = std::max({widest, sx, sy});
        }
        EXPECT_GT(widest, view.fill - 0.01f) << c.name;
    }
}

TEST(FitCamera, NeedsAFiniteVertex) {
    const std::vector<rm::Vector3> none, nan = {{NAN, 0, 0}}, one = {{7, 8, 9}};
    EXPECT_FALSE(FitCamera(std::vector<std::span<const rm::Vector3>>{none, nan}, {}));
    const std::optional<CameraFit> fit =
        FitCamera(std::vector<std::span<const rm::Vector3>>{one}, {});
    ASSERT_TRUE(fit);  // a single point is looked at from one unit away
    EXPECT_NEAR(rm::Length(fit->lookAt - fit->position), 1.0f, 1e-5f);
}

}  // namespace
}  // namespace viewport
