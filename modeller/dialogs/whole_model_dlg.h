// The whole-model dialog (全体演算).
#pragma once

#include "modeller/dialogs/ops_dialog.h"
#include "modeller/ops/whole_model.h"

class QRadioButton;

namespace modeller {

inline constexpr const char* kWholeModelHelpPage = "dlg_zentai.htm";

class CWholeModelDlg : public COpsDialog {
public:
    CWholeModelDlg(ops::WholeModelMemory& memory, shell::Prompt& prompt, HelpFunction help,
                   QWidget* parent = nullptr);

    // The checked operation, after the dialog closed with OK.
    const ops::WholeModelOperation& Operation() const { return operation_; }

    void accept() override;

private:
    ops::WholeModelFields Fields() const;

    ops::WholeModelMemory& memory_;
    ops::WholeModelOperation operation_;
    QRadioButton* kind_[4];
    QRadioButton* direction_[2];
    QRadioButton* plane_[3];
    QLineEdit *move_, *scale_, *axis_, *angle_;
};

}  // namespace modeller
