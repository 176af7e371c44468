// The mirror dialog (ミラー): the mirror setting, and the bake (データを下ろす).
#pragma once

#include "model/side_settings.h"
#include "modeller/dialogs/ops_dialog.h"

class QRadioButton;

namespace modeller {

inline constexpr const char* kMirrorHelpPage = "dlg_mirror.htm";

class CMirrorDlg : public COpsDialog {
public:
    // exec() returns QDialog::Accepted for OK (Setting() holds the new setting), kBake for
    // データを下ろす, QDialog::Rejected for Cancel.
    static constexpr int kBake = 2;

    CMirrorDlg(const model::MirrorSettings& current, shell::Prompt& prompt, HelpFunction help,
               QWidget* parent = nullptr);

    const model::MirrorSettings& Setting() const { return setting_; }
    void accept() override;

private:
    model::MirrorSettings setting_;
    QRadioButton* axis_[4];
    QLineEdit* position_;
};

}  // namespace modeller
