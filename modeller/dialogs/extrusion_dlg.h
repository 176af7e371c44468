// The extrusion dialog (立体化).
#pragma once

#include "modeller/dialogs/ops_dialog.h"
#include "modeller/ops/extrusion.h"

class QCheckBox;

namespace modeller {

inline constexpr const char* kExtrusionHelpPage = "dlg_rittaika.htm";

class CExtrusionDlg : public COpsDialog {
public:
    // Opens with the remembered record, which every OK that passes the checks rewrites.
    CExtrusionDlg(ops::ExtrusionSettings& remembered, shell::Prompt& prompt, HelpFunction help,
                  QWidget* parent = nullptr);

    const ops::ExtrusionSettings& Settings() const { return remembered_; }
    void accept() override;

private:
    ops::ExtrusionSettings& remembered_;
    QLineEdit *faces_, *vector_, *length_, *divisions_;
    QCheckBox *useLength_, *flipSource_, *quads_, *cone_, *noJoin_;
};

}  // namespace modeller
