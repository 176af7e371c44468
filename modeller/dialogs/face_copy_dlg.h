// The face copy dialog (面のコピー).
#pragma once

#include "modeller/dialogs/ops_dialog.h"
#include "modeller/ops/face_copy.h"

namespace modeller {

inline constexpr const char* kFaceCopyHelpPage = "dlg_mcopy.htm";

class CFaceCopyDlg : public COpsDialog {
public:
    // Opens with the remembered record, which every OK that passes the checks rewrites.
    CFaceCopyDlg(ops::FaceCopySettings& remembered, shell::Prompt& prompt, HelpFunction help,
                 QWidget* parent = nullptr);

    const ops::FaceCopySettings& Settings() const { return remembered_; }
    void accept() override;

private:
    ops::FaceCopySettings& remembered_;
    QLineEdit *faces_, *vector_, *divisions_;
    QCheckBox *backFaces_, *noJoin_;
};

}  // namespace modeller
