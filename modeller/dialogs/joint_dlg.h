// The joint dialog (ジョイント): one joint position per line.
#pragma once

#include "modeller/dialogs/ops_dialog.h"
#include "modeller/settings_ops/joint_settings.h"

class QPlainTextEdit;

namespace modeller {

class CJointDlg : public COpsDialog {
public:
    CJointDlg(const model::JointList& joints, shell::Prompt& prompt, HelpFunction help,
              QWidget* parent = nullptr);
    // The lines that read as a vector.
    model::JointList Joints() const;

private:
    QPlainTextEdit* text_;
};

}  // namespace modeller
