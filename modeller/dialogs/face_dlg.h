// The face dialog (面) of the face edit screen.
#pragma once

#include <functional>

#include "modeller/dialogs/ops_dialog.h"
#include "modeller/dialogs/settings_widgets.h"
#include "modeller/settings_ops/face_settings.h"
#include "viewport/model_render_objects.h"

class QComboBox;
class QRadioButton;

namespace modeller {

class CFaceDlg : public COpsDialog {
public:
    // `textures` opens the texture set dialog for the face (テクスチャ); `groupsChanged` is
    // called when a group was added or edited from here.
    CFaceDlg(model::MeshModel& model, viewport::ModelRenderObjects& objects, int32_t face,
             std::function<void()> textures, std::function<void()> groupsChanged,
             shell::Prompt& prompt, HelpFunction help, QWidget* parent = nullptr);
    settings::FaceFields Fields() const;

private:
    void FillGroups(int32_t selected);
    int32_t SelectedGroup() const;
    void ShowColour();

    model::MeshModel& model_;
    viewport::ModelRenderObjects& objects_;
    settings::FaceFields start_;
    uint32_t ownColour_;
    QLineEdit *index_, *equation_;
    qtshell::CColourSwatch* swatch_;
    QRadioButton *own_, *group_;
    QComboBox* groups_;
    QCheckBox* remove_;
};

}  // namespace modeller
