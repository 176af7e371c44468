#include "viewport/point_mover.h"

#include <algorithm>

#include "model/vector_text.h"
#include "viewport/model_mesh.h"

namespace viewport {

bool PointMover::Begin(const rm::FramePtr& root, model::PointSheet& points,
                       const std::vector<int32_t>& picked, SceneSettings& display,
                       std::vector<int32_t>& changed) {
    if (Active() || !root) return false;
    std::vector<int32_t> lines;
    std::vector<rm::Vector3> vertices;
    for (int32_t p : picked) {
        // A repeated entry would read its own emptied line and write the origin back.
        if (p < 0 || p > points.maxLine || std::find(lines.begin(), lines.end(), p) != lines.end())
            continue;
        std::vector<float> n = model::ParseNumberList(points.GetLine(p), 3);
        n.resize(3, 0.0f);
        lines.push_back(p);
        vertices.push_back({n[0], n[1], n[2]});
    }
    if (lines.empty()) return false;

    std::vector<uint32_t> faceData;
    faceData.reserve(vertices.size() * 4 + 1);
    for (uint32_t j = 0; j < static_cast<uint32_t>(vertices.size()); ++j)
        faceData.insert(faceData.end(), {3, j, j, j});
    faceData.push_back(0);
    rm::MeshBuilderPtr mesh = rm::MeshBuilder::Create();
    rm::FramePtr frame = rm::Frame::Create(root);
    if (!mesh || !frame || !mesh->AddFaces(vertices, {}, faceData)) {
        if (frame) root->RemoveChild(frame);
        return false;
    }
    // Every triangle is a single point; drawn filled it would not show at all.
    mesh->SetQuality(rm::kQualityPoints);
    mesh->SetColorRgb(1, 0, 0);
    frame->AddVisual(mesh);

    for (int32_t p : lines) {
        points.SetLine(p, "");
        changed.push_back(p);
    }
    frame_ = std::move(frame);
    mesh_ = std::move(mesh);
    lines_ = std::move(lines);
    savedDisplayMode_ = display.displayMode;
    savedShowPoints_ = display.showPoints;
    display.displayMode = kDisplayHidden;
    display.showPoints = true;
    return true;
}

void PointMover::Drag(const rm::Frame& camera, const PaneRect& pane, int dx, int dy, bool alongView,
                      float speed) {
    if (!frame_) return;
    rm::Vector3 direction, up;
    camera.GetOrientation({}, direction, up);
    rm::Vector3 t;
    if (alongView) {
        t = direction * (static_cast<float>(dy) / 20.0f * speed);
    } else {
        if (pane.width <= 0 || pane.height <= 0) return;
        const rm::Vector3 right = rm::Normalize(rm::Cross(up, direction));
        // One pixel covers more of the scene the farther the points are.
        const float z = camera.InverseTransform(frame_->Position()).z;
        t = up * (z * static_cast<float>(dy) / static_cast<float>(pane.height)) +
            right * (z * static_cast<float>(dx) / static_cast<float>(pane.width));
    }
    frame_->AddTranslation(rm::Combine::kAfter, t);
}

bool PointMover::Finish(model::PointSheet& points, SceneSettings& display,
                        std::vector<int32_t>& changed) {
    if (!frame_) return false;
    for (size_t j = 0; j < lines_.size(); ++j) {
        rm::Vector3 corner;
        if (!mesh_->GetFaceVertex(j, 0, corner)) continue;
        const rm::Vector3 moved = frame_->Transform(corner);
        points.SetLine(lines_[j], model::FormatVector(moved.x, moved.y, moved.z));
        changed.push_back(lines_[j]);
    }
    frame_->RemoveVisual(mesh_);
    if (rm::FramePtr parent = frame_->Parent()) parent->RemoveChild(frame_);
    frame_.reset();
    mesh_.reset();
    lines_.clear();
    display.displayMode = savedDisplayMode_;
    display.showPoints = savedShowPoints_;
    return true;
}

}  // namespace viewport
