#include "tests/studio/scene_fixture.h"

#include "model/mesh_model.h"
#include "model/model_file.h"

namespace studio_test {

void WriteCubeModel(const std::string& path, float size, uint32_t color) {
    model::MeshModel m;
    const float h = size / 2;
    std::vector<std::string> points;
    for (int i = 0; i < 8; ++i) {
        auto c = [&](int bit) { return (i >> bit & 1) ? std::to_string(h) : std::to_string(-h); };
        points.push_back(c(0) + ", " + c(1) + ", " + c(2));
    }
    points.emplace_back();
    m.points.ReplaceLines(points);
    m.faces.ReplaceLines(
        {"0, 2, 3, 1", "4, 5, 7, 6", "0, 1, 5, 4", "2, 6, 7, 3", "0, 4, 6, 2", "1, 3, 7, 5", ""});
    m.faces.ResizeFaceArrays();
    m.groups.EnsureDefaults();
    for (auto& g : m.groups.entries) g.color = static_cast<int32_t>(color);
    for (auto& s : m.faces.FaceStatus) s = 1;
    model::SaveModelFile(m, path);
}

HandScene HandWrittenScene(const std::string& directory, const std::string& modelPath,
                           bool withCameraAndFog, int32_t itemCount) {
    SceneBytes b;
    b.Line("Stagora").Line(".stg").Line("1").Line("DIRECTORY").Line(directory);
    b.Line("ITEM").Put<int32_t>(itemCount);
    b.Line("FOLDER").Line("box").Put<int32_t>(0);
    b.Line("OBJECT").Put<uint8_t>(5).Line(modelPath).Line("cube");
    b.Floats({1, 2, 3, 1, 0, 0, 0, 1, 0});  // at (1, 2, 3) facing +x
    b.Floats({2, 1, 1}).Put<uint8_t>(1).Put<uint8_t>(0).Put<uint8_t>(0);
    b.Put<int32_t>(1).Put<int32_t>(1).Put<int32_t>(2).Put<int32_t>(1);
    b.Line("OBJECT_END");
    b.Line("LIGHT").Put<uint8_t>(2).Line("lamp").Put<int32_t>(1).Put<uint32_t>(0xFFFFFF80);
    b.Floats({50, 0.5f, 1.0f, 1, 0.25f, 0});
    b.Floats({0, 4, 0, 0, 0, 1, 0, 1, 0}).Put<int32_t>(1);
    b.Line("OBJECT").Put<uint8_t>(7).Line("gone\\lost.mkl").Line("lost");
    b.Floats({-2, 0, 0, 0, 0, 1, 0, 1, 0, 1, 1, 1}).Put<uint8_t>(0).Put<uint8_t>(0).Put<uint8_t>(0);
    b.Put<int32_t>(0).Put<int32_t>(0).Put<int32_t>(0).Put<int32_t>(0);
    b.Line("OBJECT_END");
    b.Line("ITEM_END");
    HandScene scene;
    scene.itemsEnd = b.Size();
    b.Line("JOINT").Line("\\n");
    b.Put<int32_t>(2).Put<int32_t>(1).Put<int32_t>(1).Put<int32_t>(3);
    b.Floats({1, 2, 3, 0, 1, 0, 0, 0, 1});
    b.Line("JOINT_END");
    b.Line("ENVIRONMENT").Put<int32_t>(320).Put<int32_t>(240).Put<int32_t>(0).Put<int32_t>(0);
    b.Put<uint32_t>(0xFF102030).Line("");
    b.Put<int32_t>(5).Put<int32_t>(6).Put<int32_t>(5).Put<int32_t>(8);
    b.Put<int32_t>(1).Put<int32_t>(1).Put<int32_t>(0);
    if (withCameraAndFog) {
        b.Line("CAMERA").Put<int32_t>(0).Floats({-1, 2});
        b.Floats({0, 1, -10, 0, 0, 1, 0, 1, 0, 0, 0, 0});
        b.Line("FOG").Put<int32_t>(1).Put<int32_t>(1).Put<uint32_t>(0xFF00FF00).Floats({2, 30});
        scene.fogEnd = b.Size();
    }
    b.Line("\\n");
    b.Line("END");
    scene.bytes = b.Bytes();
    if (!withCameraAndFog) scene.fogEnd = scene.bytes.size();
    return scene;
}

std::string WithoutDirectory(const std::string& bytes) {
    const std::string tag = "DIRECTORY\r\n";
    const size_t at = bytes.find(tag);
    if (at == std::string::npos) return bytes;
    const size_t start = at + tag.size();
    const size_t end = bytes.find("\r\n", start);
    return bytes.substr(0, start) + bytes.substr(end == std::string::npos ? bytes.size() : end);
}

studio::PendingItem Folder(const std::string& name, int32_t depth) {
    studio::PendingItem p;
    p.item.kind = studio::kFolder;
    p.item.name = name;
    p.item.depth = depth;
    return p;
}

studio::PendingItem Object(const std::string& path, int32_t depth, rm::Vector3 position) {
    studio::PendingItem p;
    p.item.kind = studio::kObject;
    p.item.name = path;
    p.item.path = path;
    p.item.depth = depth;
    p.placement.position = position;
    return p;
}

studio::PendingItem Light(uint8_t kind, int32_t depth, rm::Vector3 position) {
    studio::PendingItem p;
    p.item.kind = kind;
    p.item.name = "light";
    p.item.depth = depth;
    p.placement.position = position;
    return p;
}

}  // namespace studio_test
