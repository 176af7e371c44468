#include "modeller/dialogs/plane_commands.h"

#include "modeller/dialogs/plane_dialogs.h"
#include "modeller/document/model_doc.h"
#include "modeller/view/model_view.h"

namespace modeller {

PlaneCommands::PlaneCommands(CModelView& view, CModelDoc& doc, shell::Prompt& prompt,
                             HelpFunction help)
    : view_(view),
      doc_(doc),
      prompt_(prompt),
      help_(std::move(help)),
      host_(view, doc),
      input_(state, doc.model, host_, view.Navigator(), view.Pane(), view) {
    view_.planePaint = &input_;
}

PlaneCommands::~PlaneCommands() {
    view_.planePaint = nullptr;
    delete calc_.data();
}

rm::Vector3 PlaneCommands::CameraPosition() const {
    const auto& camera = view_.Pane().scene.camera;
    return camera ? camera->Position() : rm::Vector3{1, 1, -5};
}

void PlaneCommands::OnPlanePaint() {
    if (state.modeOn) {
        input_.TurnOff();
    } else {
        CPlanePaintDlg dlg(state, prompt_, help_, &view_);
        if (dlg.exec() == QDialog::Accepted) input_.TurnOn(dlg.Plane());
    }
    if (modeChanged) modeChanged(state.modeOn);
}

void PlaneCommands::OnPlaneFigure() {
    if (!state.modeOn) return;
    CPlaneFigureDlg dlg(prompt_, help_, &view_);
    if (dlg.exec() != QDialog::Accepted) return;
    const model::Vertex a = dlg.First(), b = dlg.Second();
    const ops::OpsResult result = ops::ApplyPlaneFigure(doc_.model, host_, state, {a.x, a.y, a.z},
                                                        {b.x, b.y, b.z}, CameraPosition());
    if (!result.ok && !result.message.empty()) prompt_.Tell(result.message);
}

void PlaneCommands::OnPlaneFigureOptions() {
    CPlaneOptionsDlg dlg(state.options, prompt_, help_, &view_);
    if (dlg.exec() == QDialog::Accepted) state.options = dlg.Options();
}

void PlaneCommands::OnVectorCalc() {
    if (calc_) return;  // at most one window
    calc_ = new CVectorCalcDlg(calcMemory, prompt_, help_, &view_);
    calc_->show();
}

}  // namespace modeller
