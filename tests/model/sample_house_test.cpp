// The bundled sample is what the generator writes, and a sensible little model.
#include "tools/sample_house.h"

#include <gtest/gtest.h>

#include "model/model_file.h"
#include "model/vector_text.h"
#include "tests/support/scripted_prompt.h"

namespace {

TEST(SampleHouse, BundledFileMatchesTheGenerator) {
    model::MeshModel bundled;
    testing_support::ScriptedPrompt prompt;
    ASSERT_TRUE(
        model::LoadModelFile(bundled, MOKKEL_SOURCE_DIR "/resources/samples/house.mkl", &prompt));
    EXPECT_TRUE(prompt.shown.empty());
    const model::MeshModel fresh = tools::MakeSampleHouse();
    EXPECT_EQ(bundled.points.lines, fresh.points.lines);
    EXPECT_EQ(bundled.faces.lines, fresh.faces.lines);
    EXPECT_EQ(bundled.faces.FaceGroup, fresh.faces.FaceGroup);
    EXPECT_EQ(bundled.faces.FaceColor, fresh.faces.FaceColor);
    EXPECT_EQ(bundled.groups.entries, fresh.groups.entries);
    // Every face names valid points.
    for (const std::string& line : fresh.faces.lines) {
        if (line.empty()) continue;
        for (int32_t c : model::ParseFaceCorners(line))
            EXPECT_TRUE(model::ParseVector(fresh.points.GetLine(c))) << line;
    }
}

}  // namespace
