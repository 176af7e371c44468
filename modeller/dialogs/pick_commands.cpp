#include "modeller/dialogs/pick_commands.h"

#include "modeller/dialogs/make_face_dlg.h"
#include "modeller/dialogs/vertex_dlg.h"
#include "modeller/document/model_doc.h"
#include "modeller/ops/vertex_uv.h"
#include "modeller/view/model_view.h"
#include "viewport/model_pane.h"

namespace modeller {

namespace {

// The red face through the picked positions, shown while the dialog is up.
class PreviewFace {
public:
    PreviewFace(viewport::ModelPane& pane, const model::PointSheet& points,
                const std::vector<int32_t>& picks)
        : pane_(pane) {
        if (picks.size() < 3 || !pane.scene.root) return;
        std::vector<rm::Vector3> vertices;
        std::vector<uint32_t> faceData{static_cast<uint32_t>(picks.size())};
        for (int32_t p : picks) {
            const auto v = p >= 0 && static_cast<size_t>(p) < points.parsedVertices.size()
                               ? points.parsedVertices[static_cast<size_t>(p)]
                               : model::Vertex{};
            faceData.push_back(static_cast<uint32_t>(vertices.size()));
            vertices.push_back({v.x, v.y, v.z});
        }
        faceData.push_back(0);
        rm::MeshBuilderPtr mesh = rm::MeshBuilder::Create();
        frame_ = rm::Frame::Create(pane.scene.root);
        if (!mesh || !frame_ || !mesh->AddFaces(vertices, {}, faceData)) return;
        mesh->SetColorRgb(1, 0, 0);
        frame_->AddVisual(mesh);
        pane_.RequestFrame();
    }
    ~PreviewFace() {
        if (!frame_) return;
        pane_.scene.root->RemoveChild(frame_);
        pane_.RequestFrame();
    }

private:
    viewport::ModelPane& pane_;
    rm::FramePtr frame_;
};

}  // namespace

PickCommands::PickCommands(CModelView& view, CModelDoc& doc, shell::Prompt& prompt,
                           HelpFunction help)
    : view_(view), doc_(doc), prompt_(prompt), help_(std::move(help)), host_(view, doc) {
    view_.makeFace = [this] { RunMakeFace(); };
    view_.vertexDialog = [this](int32_t point) { return OpenVertexDialog(point); };
}

PickCommands::~PickCommands() {
    view_.makeFace = nullptr;
    view_.vertexDialog = nullptr;
}

void PickCommands::RunMakeFace() {
    PickList& picks = view_.Screens().pickList;
    model::MeshModel& m = doc_.model;
    if (picks.Empty()) return;
    ops::MakeFaceButton button;
    while (true) {
        const PreviewFace preview(view_.Pane(), m.points, picks.Points());
        CMakeFaceDlg dlg(picks.Points(), prompt_, help_, &view_);
        button = dlg.Ask();
        if (button != ops::MakeFaceButton::kReverse || picks.Count() < 3) break;
        picks.Reverse();  // shown again with the reversed preview
    }
    lastButton = button;
    switch (button) {
        case ops::MakeFaceButton::kCancel:
            return;  // the picks stay and picking goes on
        case ops::MakeFaceButton::kOk:
            ops::WritePickedFace(m, host_, picks.Points());
            break;
        case ops::MakeFaceButton::kDelete:
            ops::DeletePickedPoints(m, host_, picks.Points());
            break;
        default:
            break;  // END, and a reverse of fewer than three picks
    }
    host_.SetModified();
    for (uint8_t& flags : m.points.lineFlags) flags &= ~model::PointSheet::kFlagPicked;
    view_.Pane().MarkPoint(-1, false);
    view_.Screens().pickMode = false;
    view_.SetCursor(CursorShape::Arrow);
    if (button == ops::MakeFaceButton::kMove) {
        // The list stays: the move writes the points back and empties it.
        if (!view_.Navigator().BeginMovePoints()) picks.Clear(m.points);
    } else {
        picks.Clear(m.points);
    }
    view_.Pane().RequestFrame();
    view_.update();
}

bool PickCommands::OpenVertexDialog(int32_t point) {
    host_.RebuildPointMarkers(viewport::kReparseAll);
    model::MeshModel& m = doc_.model;
    CVertexDlg dlg(ops::VertexUvFor(m, doc_.objects.modelMesh.get(), point), prompt_, help_,
                   &view_);
    if (dlg.exec() != QDialog::Accepted || !ops::ApplyVertexUv(m, point, dlg.ToSet())) return false;
    // The coordinates are saved with the model.
    host_.SetModified();
    view_.RedrawScreen(ScreenId::Point);
    return true;
}

}  // namespace modeller
