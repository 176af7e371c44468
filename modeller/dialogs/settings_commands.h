// The commands of the セッティング menu (but the mirror) and the face dialog of the face
// edit screen: each opens its dialog and applies what OK gives to the document, the
// settings and the 3D pane.
#pragma once

#include "modeller/app/settings.h"
#include "modeller/dialogs/ops_commands.h"
#include "modeller/dialogs/texture_properties_dlg.h"
#include "modeller/settings_ops/group_settings.h"

namespace modeller {

class SettingsCommands {
public:
    SettingsCommands(CModelView& view, CModelDoc& doc, ModellerSettings& settings,
                     shell::Prompt& prompt, shell::FileChooser& chooser, HelpFunction help);

    void OnCamera();
    void OnLight();
    void OnDisplay();
    void OnTextureManage();
    void OnTextureSet();
    void OnTextureDelete();
    void OnWrap();
    void OnGroup();
    void OnAxis();
    void OnJoint();
    void OnOption();
    // The face screen's double-click: true when OK changed the face.
    bool OpenFaceDialog(int32_t face);

    // The group dialog's choices, remembered for the run.
    settings::GroupChoice groups;

private:
    void Render();
    bool TextureSetFor(int32_t face);

    CModelView& view_;
    CModelDoc& doc_;
    ModellerSettings& settings_;
    shell::Prompt& prompt_;
    HelpFunction help_;
    WindowOpsHost host_;
    TextureContext textures_;
};

}  // namespace modeller
