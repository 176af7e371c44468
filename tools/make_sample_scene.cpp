// Writes a small sample scene beside its models: make-sample-scene DIR makes DIR/house.mkl
// (the sample house), DIR/models.v1/cube.mkl and DIR/sample.stg with both models, a point
// light, fog and a coloured background.
#include <filesystem>
#include <iostream>

#include "model/model_file.h"
#include "studio/scene/scene_file.h"
#include "tools/sample_house.h"

namespace {

model::MeshModel Cube() {
    model::MeshModel m;
    m.points.ReplaceLines({"-0.5, -0.5, -0.5", "0.5, -0.5, -0.5", "-0.5, 0.5, -0.5",
                           "0.5, 0.5, -0.5", "-0.5, -0.5, 0.5", "0.5, -0.5, 0.5", "-0.5, 0.5, 0.5",
                           "0.5, 0.5, 0.5", ""});
    m.faces.ReplaceLines(
        {"0, 2, 3, 1", "4, 5, 7, 6", "0, 1, 5, 4", "2, 6, 7, 3", "0, 4, 6, 2", "1, 3, 7, 5", ""});
    m.faces.ResizeFaceArrays();
    m.groups.EnsureDefaults();
    for (auto& g : m.groups.entries) g.color = static_cast<int32_t>(0xFF3080E0u);
    return m;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-sample-scene DIR\n";
        return 2;
    }
    const std::string dir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(dir + "/models.v1", ec);
    model::MeshModel house = tools::MakeSampleHouse();
    model::MeshModel cube = Cube();
    if (!model::SaveModelFile(house, dir + "/house.mkl") ||
        !model::SaveModelFile(cube, dir + "/models.v1/cube.mkl")) {
        std::cerr << "make-sample-scene: cannot write the models in " << dir << '\n';
        return 1;
    }
    std::vector<studio::PendingItem> items(5);
    items[0].item.kind = studio::kFolder;
    items[0].item.name = "set";
    items[1].item.kind = studio::kObject;
    items[1].item.name = "house";
    items[1].item.path = "house.mkl";
    items[1].item.depth = 1;
    items[1].placement = {{-1.2f, 0, 0}, {0.5f, 0, 0.866f}, {0, 1, 0}};
    items[2].item.kind = studio::kObject;
    items[2].item.name = "cube";
    items[2].item.path = "models.v1\\cube.mkl";
    items[2].item.depth = 1;
    items[2].item.displayMode = studio::kShowRound;
    items[2].placement = {{1.5f, 0.5f, 1.5f}, {0.6f, 0, 0.8f}, {0, 1, 0}};
    items[3].item.kind = studio::kPointLight;
    items[3].item.name = "lamp";
    items[3].item.lightValues.color = 0xFFFFF0D0;
    items[3].placement.position = {0, 3, -3};
    items[4].item.kind = studio::kAmbientLight;
    items[4].item.name = "ambient";
    items[4].item.lightValues.color = 0xFF303030;
    studio::CSceneDoc doc;
    doc.AppendItems(items, {{1, 0, 1, 2, {}}}, dir, "");
    studio::SceneEnvironment& e = doc.environment;
    e.screenWidth = 480;
    e.screenHeight = 320;
    e.backgroundColor = 0xFF6080A0;
    e.fogEnabled = 1;
    e.fogStart = 4;
    e.fogEnd = 14;
    doc.SetCameraPlacement({{0, 2.5f, -6}, {0, -0.35f, 1}, {0, 1, 0.35f}});
    const studio::SceneFileResult saved = studio::SaveSceneFile(doc, dir + "/sample.stg");
    if (!saved.ok) {
        std::cerr << "make-sample-scene: " << saved.detail << '\n';
        return 1;
    }
    std::cout << dir << "/sample.stg\n";
    return 0;
}
