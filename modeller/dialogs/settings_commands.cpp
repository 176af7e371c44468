#include "modeller/dialogs/settings_commands.h"

#include "modeller/dialogs/axis_dlg.h"
#include "modeller/dialogs/camera_dlg.h"
#include "modeller/dialogs/display_dlg.h"
#include "modeller/dialogs/face_dlg.h"
#include "modeller/dialogs/group_dlg.h"
#include "modeller/dialogs/joint_dlg.h"
#include "modeller/dialogs/light_dlg.h"
#include "modeller/dialogs/option_dlg.h"
#include "modeller/dialogs/texture_dlg.h"
#include "modeller/dialogs/texture_set_dlg.h"
#include "modeller/dialogs/wrap_dlg.h"
#include "modeller/document/model_doc.h"
#include "modeller/settings_ops/texture_list.h"
#include "modeller/view/model_view.h"

namespace modeller {

SettingsCommands::SettingsCommands(CModelView& view, CModelDoc& doc, ModellerSettings& settings,
                                   shell::Prompt& prompt, shell::FileChooser& chooser,
                                   HelpFunction help)
    : view_(view),
      doc_(doc),
      settings_(settings),
      prompt_(prompt),
      help_(help),
      host_(view, doc),
      textures_{doc.model, doc.objects, settings, chooser, prompt, help} {}

void SettingsCommands::Render() {
    viewport::ModelPane& pane = view_.Pane();
    pane.device.stale = true;
    pane.RequestFrame();
    view_.update();
}

void SettingsCommands::OnCamera() {
    viewport::ModelPane& pane = view_.Pane();
    viewport::CameraPose pose;
    viewport::StoreCameraPose(pane.scene, pose);
    const viewport::NavigationSettings nav = view_.Navigator().Settings();
    CCameraDlg dlg(settings::CameraFieldsOf(pose, nav), prompt_, help_, &view_);
    if (dlg.exec() != QDialog::Accepted) return;
    const settings::CameraOutcome out =
        settings::ApplyCamera(dlg.Fields(), pane.scene, nav, settings_.camera);
    view_.Navigator().ApplySettings(out.nav);
    pane.scene.ApplyAxisSettings(pane.settings);
    Render();
}

void SettingsCommands::OnLight() {
    viewport::ModelPane& pane = view_.Pane();
    CLightDlg dlg(settings::LightFieldsOf(settings_.light, pane.scene), prompt_, help_, &view_);
    if (dlg.exec() != QDialog::Accepted) return;
    settings::ApplyLight(dlg.Fields(), settings_.light, pane.settings, pane.scene);
    Render();
}

void SettingsCommands::OnDisplay() {
    viewport::ModelPane& pane = view_.Pane();
    CDisplayDlg::Colours colours;
    colours.point = settings_.pointColor;
    colours.background = settings_.backgroundColor;
    colours.pointChosen = [this, &pane](uint32_t c) {
        settings::ApplyPointColour(c, settings_, pane.settings, pane.scene);
        // The picked points stay red.
        for (int32_t p : view_.Screens().pickList.Points()) pane.MarkPoint(p, true);
        Render();
    };
    colours.backgroundChosen = [this, &pane](uint32_t c) {
        settings::ApplyBackgroundColour(c, settings_, pane.settings, pane.scene);
        Render();
    };
    CDisplayDlg dlg(settings::DisplayFieldsOf(doc_.model, doc_.objects, pane.settings, pane.scene),
                    settings::BackgroundChoices(doc_.model.textures), colours, prompt_, help_,
                    &view_);
    if (dlg.exec() != QDialog::Accepted) return;
    if (!settings::ApplyDisplay(dlg.Fields(), doc_.model, doc_.objects, pane.settings, pane.scene,
                                host_))
        Render();
    view_.update();
}

void SettingsCommands::OnTextureManage() {
    CTextureDlg dlg(textures_, &view_);
    const bool ok = dlg.exec() == QDialog::Accepted;
    if (dlg.Changed()) host_.SetModified();
    if (ok)
        settings::ConfirmTextureList(doc_.model, host_);
    else if (dlg.Changed())
        host_.RebuildModelMesh(0);
    view_.update();
}

bool SettingsCommands::TextureSetFor(int32_t face) {
    const size_t before = doc_.model.textures.size();
    CTextureSetDlg dlg(textures_, face, &view_);
    const bool ok = dlg.exec() == QDialog::Accepted;
    if (doc_.model.textures.size() != before) host_.SetModified();
    if (ok) settings::ApplyTextureSet(dlg.Fields(), doc_.model, host_);
    view_.update();
    return ok;
}

void SettingsCommands::OnTextureSet() {
    TextureSetFor(view_.Screens().state.faceCaretRow);
}

void SettingsCommands::OnTextureDelete() {
    if (settings::DeleteAllTextureData(doc_.model, host_, prompt_)) Render();
}

void SettingsCommands::OnWrap() {
    viewport::ModelPane& pane = view_.Pane();
    const size_t before = doc_.model.textures.size();
    CWrapDlg dlg(
        textures_, settings::WrapFieldsOf(doc_.model.wrap, doc_.objects.wrap != nullptr),
        [this, &pane](const settings::WrapFields& f) {
            return settings::ApplyWrap(f, doc_.model, doc_.objects, pane.scene.modelFrame, host_);
        },
        &view_);
    const bool ok = dlg.exec() == QDialog::Accepted;
    if (doc_.model.textures.size() != before) host_.SetModified();
    if (ok) Render();
}

void SettingsCommands::OnGroup() {
    bool changed = false;
    CGroupDlg dlg(
        doc_.model, doc_.objects, groups, [&changed] { changed = true; }, prompt_, help_, &view_);
    if (dlg.exec() == QDialog::Accepted) groups = dlg.Choice();
    if (!changed) return;
    host_.SetModified();
    host_.RebuildModelMesh(0);
    view_.update();
}

void SettingsCommands::OnAxis() {
    viewport::ModelPane& pane = view_.Pane();
    CAxisDlg dlg(settings::AxisFieldsOf(pane.settings), prompt_, help_, &view_);
    if (dlg.exec() != QDialog::Accepted) return;
    settings::ApplyAxis(dlg.Fields(), settings_, pane.settings, pane.scene);
    Render();
}

void SettingsCommands::OnJoint() {
    CJointDlg dlg(doc_.model.joints, prompt_, help_, &view_);
    if (dlg.exec() != QDialog::Accepted) return;
    model::JointList joints = dlg.Joints();
    if (joints == doc_.model.joints) return;
    doc_.model.joints = std::move(joints);
    host_.SetModified();
}

void SettingsCommands::OnOption() {
    const viewport::RenderDevice& device = view_.Pane().device;
    COptionDlg dlg(settings::OptionFieldsOf(settings_, device.renderWidth, device.renderHeight),
                   prompt_, help_, &view_);
    if (dlg.exec() == QDialog::Accepted) settings::ApplyOption(dlg.Fields(), settings_);
}

bool SettingsCommands::OpenFaceDialog(int32_t face) {
    bool groupsChanged = false;
    CFaceDlg dlg(
        doc_.model, doc_.objects, face, [this, face] { TextureSetFor(face); },
        [&groupsChanged] { groupsChanged = true; }, prompt_, help_, &view_);
    const bool ok = dlg.exec() == QDialog::Accepted;
    if (groupsChanged) host_.SetModified();
    if (ok && settings::ApplyFace(dlg.Fields(), doc_.model)) {
        host_.SetModified();
        return true;
    }
    if (groupsChanged) host_.RebuildModelMesh(0);
    return false;
}

}  // namespace modeller
