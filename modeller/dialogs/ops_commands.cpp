#include "modeller/dialogs/ops_commands.h"

#include "modeller/dialogs/extrusion_dlg.h"
#include "modeller/dialogs/face_copy_dlg.h"
#include "modeller/dialogs/mirror_dlg.h"
#include "modeller/dialogs/revolution_dlg.h"
#include "modeller/dialogs/rotate_copy_dlg.h"
#include "modeller/dialogs/whole_model_dlg.h"
#include "modeller/document/model_doc.h"
#include "modeller/ops/flip_faces.h"
#include "modeller/ops/join_points.h"
#include "modeller/ops/mirror.h"
#include "modeller/ops/tidy_data.h"
#include "modeller/view/model_view.h"

namespace modeller {

void WindowOpsHost::RebuildPointMarkers(int flags) {
    view_.Pane().RebuildPointMarkers(flags);
}

void WindowOpsHost::RebuildModelMesh(int flags) {
    view_.Pane().RebuildModelMesh(flags);
}

const rm::MeshBuilder& WindowOpsHost::ModelMesh() const {
    return *doc_.objects.modelMesh;
}

void WindowOpsHost::SetModified() {
    doc_.SetModified(true);
}

void WindowOpsHost::RefreshScreens() {
    view_.Screens().ModelReplaced(false);
}

void WindowOpsHost::SetBusy(bool busy) {
    view_.SetWaitCursor(busy);
}

void OpsCommands::OnWholeModel() {
    CWholeModelDlg dlg(memory.wholeModel, prompt_, help_, &view_);
    if (dlg.exec() == QDialog::Accepted) ops::ApplyWholeModel(doc_.model, host_, dlg.Operation());
}

void OpsCommands::OnExtrude() {
    CExtrusionDlg dlg(memory.extrusion, prompt_, help_, &view_);
    if (dlg.exec() != QDialog::Accepted) return;
    const ops::OpsResult result = ops::ApplyExtrusion(doc_.model, host_, dlg.Settings());
    if (!result.ok) prompt_.Tell(result.message);
}

void OpsCommands::OnRevolve() {
    CRevolutionDlg dlg(memory.revolution, doc_.model, prompt_, help_, &view_);
    if (dlg.exec() != QDialog::Accepted) return;
    const ops::OpsResult result = ops::ApplyRevolution(doc_.model, host_, dlg.Settings());
    if (!result.ok) {
        prompt_.Tell(result.message);
        return;
    }
    memory.revolution = dlg.Settings();
}

void OpsCommands::OnRotateCopy() {
    CRotateCopyDlg dlg(memory.rotateCopy, doc_.model, prompt_, help_, &view_);
    if (dlg.exec() != QDialog::Accepted) return;
    const ops::OpsResult result = ops::ApplyRotateCopy(doc_.model, host_, dlg.Settings());
    if (!result.ok) prompt_.Tell(result.message);
}

void OpsCommands::OnFaceCopy() {
    CFaceCopyDlg dlg(memory.faceCopy, prompt_, help_, &view_);
    if (dlg.exec() != QDialog::Accepted) return;
    const ops::OpsResult result = ops::ApplyFaceCopy(doc_.model, host_, dlg.Settings());
    if (!result.ok) prompt_.Tell(result.message);
}

void OpsCommands::OnMirror() {
    CMirrorDlg dlg(doc_.model.mirror, prompt_, help_, &view_);
    const int result = dlg.exec();
    if (result == QDialog::Accepted)
        ops::ApplyMirrorSetting(doc_.model, host_, dlg.Setting());
    else if (result == CMirrorDlg::kBake)
        ops::ApplyMirrorBake(doc_.model, host_);
}

void OpsCommands::OnTidyData() {
    ops::ApplyTidyData(doc_.model, host_);
}

void OpsCommands::OnJoinPoints() {
    ops::ApplyJoinPoints(doc_.model, host_);
}

void OpsCommands::OnFlipFaces() {
    ops::ApplyFlipFaces(doc_.model, host_);
}

}  // namespace modeller
