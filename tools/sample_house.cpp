#include "tools/sample_house.h"

#include "model/vector_text.h"
#include "platform/text/cp932.h"

namespace tools {

namespace {

struct Face {
    std::vector<int32_t> corners;
    uint16_t group;
};

}  // namespace

model::MeshModel MakeSampleHouse() {
    model::MeshModel m;
    // Written as a person would type them.
    const char* const points[] = {
        "-1, 0, -0.8",     "1, 0, -0.8",       "1, 0, 0.8",        "-1, 0, 0.8",
        "-1, 1.2, -0.8",   "1, 1.2, -0.8",     "1, 1.2, 0.8",      "-1, 1.2, 0.8",
        "-1, 1.9, 0",      "1, 1.9, 0",  // the ridge
        "-0.2, 0, -0.801", "0.2, 0, -0.801",   "0.2, 0.7, -0.801", "-0.2, 0.7, -0.801",
        "0.4, 1.5, 0.15",  "0.65, 1.5, 0.15",  "0.65, 1.5, 0.4",   "0.4, 1.5, 0.4",
        "0.4, 2.15, 0.15", "0.65, 2.15, 0.15", "0.65, 2.15, 0.4",  "0.4, 2.15, 0.4",
    };
    enum : uint16_t { kWalls = 2, kRoof, kDoor, kChimney };
    // Corners run clockwise seen from outside.
    const Face faces[] = {
        {{0, 4, 5, 1}, kWalls},       {{2, 6, 7, 3}, kWalls},       {{3, 7, 8, 4, 0}, kWalls},
        {{1, 5, 9, 6, 2}, kWalls},    {{1, 2, 3, 0}, kWalls},       {{4, 8, 9, 5}, kRoof},
        {{6, 9, 8, 7}, kRoof},        {{10, 13, 12, 11}, kDoor},    {{14, 18, 19, 15}, kChimney},
        {{16, 20, 21, 17}, kChimney}, {{17, 21, 18, 14}, kChimney}, {{15, 19, 20, 16}, kChimney},
        {{18, 21, 20, 19}, kChimney},
    };
    constexpr int32_t kSpareLines = 4;  // room to type more
    m.points.SetMaxLine(static_cast<int32_t>(std::size(points)) + kSpareLines - 1);
    for (size_t i = 0; i < std::size(points); ++i) m.points.lines[i] = points[i];
    m.faces.SetMaxLine(static_cast<int32_t>(std::size(faces)) + kSpareLines - 1);
    m.faces.ResizeFaceArrays();
    for (size_t i = 0; i < std::size(faces); ++i) {
        m.faces.lines[i] = model::JoinCorners(faces[i].corners);
        m.faces.FaceGroup[i] = faces[i].group;
        m.faces.FaceStatus[i] = model::FaceSheet::kStatusValid;
    }
    // The chimney's top is sooty: a colour of its own.
    m.faces.FaceStatus[12] |= model::FaceSheet::kStatusOwnColor;
    m.faces.FaceColor[12] = static_cast<int32_t>(0xFF303030);

    auto group = [](const char* utf8Name, uint32_t color) {
        model::GroupEntry g;
        g.name = text::Utf8ToCp932(utf8Name);
        g.color = static_cast<int32_t>(color);
        return g;
    };
    m.groups.entries.push_back(group("壁", 0xFFF0E6D2));
    model::GroupEntry roof = group("屋根", 0xFFB03020);
    roof.hasMaterial = 1;
    roof.material = model::GroupMaterial{16, {0.6f, 0.6f, 0.6f}, {0, 0, 0}, {0.2f, 0.2f, 0.2f}};
    m.groups.entries.push_back(roof);
    m.groups.entries.push_back(group("扉", 0xFF6B4226));
    m.groups.entries.push_back(group("煙突", 0xFF808080));

    m.joints.push_back({0, 0, 0});  // where the house stands, for the studio
    return m;
}

}  // namespace tools
