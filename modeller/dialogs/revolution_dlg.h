// The solid of revolution dialog (回転体).
#pragma once

#include "model/mesh_model.h"
#include "modeller/dialogs/ops_dialog.h"
#include "modeller/ops/revolution.h"

namespace modeller {

inline constexpr const char* kRevolutionHelpPage = "dlg_kaitentai.htm";

class CRevolutionDlg : public COpsDialog {
public:
    // Opens with the remembered record, the new-group option off and a fresh group name.
    // The caller remembers Settings() once the run has completed.
    CRevolutionDlg(const ops::RevolutionSettings& remembered, const model::MeshModel& model,
                   shell::Prompt& prompt, HelpFunction help, QWidget* parent = nullptr);

    const ops::RevolutionSettings& Settings() const { return settings_; }
    void accept() override;

private:
    const model::MeshModel& model_;
    ops::RevolutionSettings settings_;
    QLineEdit *faces_, *axis_, *angle_, *divisions_, *groupName_;
    QRadioButton* direction_[2];
    QCheckBox *caps_, *flipSource_, *deleteSource_, *newGroup_, *noJoin_;
};

}  // namespace modeller
