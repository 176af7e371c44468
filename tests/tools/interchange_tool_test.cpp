// mokkel-tool convert with glTF and OBJ, both ways, as a user runs it.
#include <gtest/gtest.h>

#include "tests/tools/tool_run.h"

namespace {

using namespace tool_run;

TEST(MokkelTool, ConvertsModelsThroughGltfAndObjAndBack) {
    DottedDir dir;
    const auto house = ValidFaces(kSample);
    ASSERT_FALSE(house.empty());
    std::vector<std::vector<int32_t>> fans;  // glTF holds triangles: each face as a fan
    for (const auto& f : house)
        for (size_t k = 1; k + 1 < f.size(); ++k) fans.push_back({f[0], f[k], f[k + 1]});
    for (const char* ext : {"glb", "gltf", "obj"}) {
        SCOPED_TRACE(ext);
        const std::string out = dir.File(std::string("house.") + ext);
        const std::string back = dir.File(std::string("back.") + ext + ".mkl");
        ASSERT_EQ(Tool(dir, {"convert", kSample, out}).code, 0);
        const Result r = Tool(dir, {"convert", out, back});
        ASSERT_EQ(r.code, 0) << r.err;
        const auto faces = ValidFaces(back);
        const auto& want = std::string(ext) == "obj" ? house : fans;
        ASSERT_GE(faces.size(), want.size());
        EXPECT_TRUE(std::equal(want.begin(), want.end(), faces.begin()));
    }
    // A damaged file fails with its path, and the target stays unwritten.
    testing_support::WriteFile(dir.File("bad.glb"), "glTF\x02");
    const Result r = Tool(dir, {"convert", dir.File("bad.glb"), dir.File("bad.mkl")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find(dir.File("bad.glb")), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("bad.mkl")));
}

}  // namespace
