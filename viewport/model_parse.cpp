#include "viewport/model_parse.h"

#include "model/vector_text.h"

namespace viewport {

namespace {

// One line; true when its vertex or validity changed.
bool ParsePointLine(model::PointSheet& points, size_t i) {
    const auto vertex = model::ParseVector(points.lines[i]);
    const uint8_t oldFlags = points.lineFlags[i];
    const model::Vertex oldVertex = points.parsedVertices[i];
    if (vertex) {
        points.lineFlags[i] |= model::PointSheet::kFlagValid;
        points.parsedVertices[i] = *vertex;
    } else {
        points.lineFlags[i] &= static_cast<uint8_t>(~model::PointSheet::kFlagValid);
        points.parsedVertices[i] = model::Vertex{};
    }
    return oldFlags != points.lineFlags[i] || !(oldVertex == points.parsedVertices[i]);
}

}  // namespace

bool ParsePointLines(model::PointSheet& points, bool all) {
    const size_t count = points.lines.size();
    const size_t before = points.parsedCount < 0 ? 0 : static_cast<size_t>(points.parsedCount);
    points.lineFlags.resize(count, 0);
    points.parsedVertices.resize(count);
    bool changed = false;
    if (all || points.parsedCount < 0) {
        for (size_t i = 0; i < count; ++i) changed |= ParsePointLine(points, i);
        changed |= points.parsedCount < 0 || before != count;
    } else {
        for (const model::LineChange& c : points.changeList)
            if (c.line >= 0 && static_cast<size_t>(c.line) < count)
                changed |= ParsePointLine(points, static_cast<size_t>(c.line));
        for (size_t i = before; i < count; ++i) changed |= ParsePointLine(points, i);
        changed |= before > count;  // lines went away
    }
    points.changeList.clear();
    points.parsedCount = static_cast<int32_t>(count);
    return changed;
}

int32_t UsedPointCount(const model::PointSheet& points) {
    for (size_t i = points.lineFlags.size(); i > 0; --i)
        if (points.lineFlags[i - 1] & model::PointSheet::kFlagValid) return static_cast<int32_t>(i);
    return 0;
}

void ParseFaceLines(model::FaceSheet& faces, const model::PointSheet& points, int32_t pointCount) {
    faces.ResizeFaceArrays();
    std::vector<uint32_t>& data = faces.parsedFaces;
    data.clear();
    data.reserve(faces.lines.size() * 4 + 1);  // exact for triangles
    std::vector<int32_t> corners;
    for (size_t i = 0; i < faces.lines.size(); ++i) {
        corners.clear();
        model::ParseFaceCornersInto(faces.lines[i], corners);
        bool valid = corners.size() >= 3;
        for (int32_t c : corners) {
            if (!valid) break;
            valid = c >= 0 && c < pointCount && static_cast<size_t>(c) < points.lineFlags.size() &&
                    (points.lineFlags[static_cast<size_t>(c)] & model::PointSheet::kFlagValid);
        }
        if (valid) {
            faces.FaceStatus[i] |= model::FaceSheet::kStatusValid;
            data.push_back(static_cast<uint32_t>(corners.size()));
            data.insert(data.end(), corners.begin(), corners.end());
        } else {
            faces.FaceStatus[i] &= static_cast<uint8_t>(~model::FaceSheet::kStatusValid);
            data.insert(data.end(), {3, 0, 0, 0});
        }
    }
    data.push_back(0);
    faces.parsedFaceCount = faces.lines.size();
}

}  // namespace viewport
