// Points far out, as typed or found by fuzzing the readers ("6666666666, 0, 0", 1e20): the
// model goes through a .mkl or .x file and renders in every display mode without undefined
// behaviour, and a face reaching far out covers on screen what a nearer copy of it covers.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/scripted_prompt.h"
#include "tests/support/temp_dir.h"
#include "viewport/model_files.h"
#include "viewport/model_pane.h"

namespace {

using namespace viewport;

struct FarPoints : testing::TestWithParam<const char*> {
    testing_support::TempDir dir;
    testing_support::ScriptedPrompt prompt;

    // Renders the point lines with the face "0, 2, 1" after a trip through a file; returns
    // which pixels are drawn (anything but the black background).
    std::vector<bool> Covered(const std::vector<std::string>& points, int mode) {
        const std::string ext = GetParam(), path = dir.File("far." + ext);
        {
            model::MeshModel model;
            ModelRenderObjects objects;
            std::vector<std::string> lines = points;
            lines.push_back("");
            model.points.ReplaceLines(lines);
            model.faces.ReplaceLines({"0, 2, 1", ""});
            model.faces.ResizeFaceArrays();
            EXPECT_TRUE(OpenOrSaveFile(model, objects, path, ext, FileMode::kWrite, &prompt));
        }
        model::MeshModel model;
        ModelRenderObjects objects;
        EXPECT_TRUE(OpenOrSaveFile(model, objects, path, ext, FileMode::kRead, &prompt));
        ModelPane pane(model, objects);
        pane.settings.displayMode = mode;
        pane.device.pane = {0, 0, 320, 200};
        DeviceRequest request;
        EXPECT_TRUE(pane.Create(request, 1024, 768, 800, 600, &prompt));
        pane.RebuildPointMarkers(kReparseAll);
        const rm::PixelView view = pane.device.Picture();
        std::vector<bool> covered;
        for (int y = 0; y < view.height; ++y)
            for (int x = 0; x < view.width; ++x)
                covered.push_back((view.pixels[size_t(y) * view.stride + x] & 0xFFFFFF) != 0);
        return covered;
    }
};

TEST_P(FarPoints, RenderWithoutFaultAndFarFacesCoverTheirNearPart) {
    // The face runs from (0, 0, 3) out along x and back to (0, 1, 3): on screen a strip
    // whose upper edge drops by less than a pixel between the near and the far copies.
    const std::vector<std::string> nearFace = {"0, 0, 3", "1000, 0, 3", "0, 1, 3"};
    for (int mode : {0, 1, 2, 3}) {
        SCOPED_TRACE(mode);
        const std::vector<bool> reference = Covered(nearFace, mode);
        const int drawn = int(std::count(reference.begin(), reference.end(), true));
        EXPECT_GT(drawn, mode == 3 ? 300 : 5000);
        for (const char* far : {"6666666666", "1e20", "3.4e38"}) {
            const std::vector<bool> covered =
                Covered({"0, 0, 3", std::string(far) + ", 0, 3", "0, 1, 3"}, mode);
            int differ = 0;
            for (size_t i = 0; i < covered.size(); ++i) differ += covered[i] != reference[i];
            EXPECT_LE(differ, 320) << far;  // at most one row along the far edge
        }
        // Every coordinate far out, either way, and large enough to overflow the transforms.
        Covered({"1e20, 1e20, 1e20", "-1e20, 0, 1e20", "0, -6666666666, -1e20"}, mode);
        Covered({"3.4e38, -3.4e38, 3.4e38", "-3.4e38, 3.4e38, 3.4e38", "0, 0, 3"}, mode);
    }
    EXPECT_TRUE(prompt.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(ModelAndXFiles, FarPoints, testing::Values("mkl", "x"));

}  // namespace
