// The rotate copy dialog (回転コピー).
#pragma once

#include "model/mesh_model.h"
#include "modeller/dialogs/ops_dialog.h"
#include "modeller/ops/rotate_copy.h"

namespace modeller {

inline constexpr const char* kRotateCopyHelpPage = "dlg_kaiten.htm";

class CRotateCopyDlg : public COpsDialog {
public:
    // Opens with the remembered axis, direction, back faces and no-join; every OK that
    // passes the checks rewrites the record.
    CRotateCopyDlg(ops::RotateCopySettings& remembered, const model::MeshModel& model,
                   shell::Prompt& prompt, HelpFunction help, QWidget* parent = nullptr);

    const ops::RotateCopySettings& Settings() const { return remembered_; }
    void accept() override;

private:
    ops::RotateCopySettings& remembered_;
    const model::MeshModel& model_;
    QLineEdit *faces_, *axis_, *angle_, *divisions_, *groupName_;
    QRadioButton* direction_[2];
    QCheckBox *backFaces_, *newGroup_, *noJoin_;
};

}  // namespace modeller
