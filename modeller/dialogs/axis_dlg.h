// The axis dialog (軸).
#pragma once

#include "modeller/dialogs/ops_dialog.h"
#include "modeller/settings_ops/axis_settings.h"

class QCheckBox;

namespace modeller {

class CAxisDlg : public COpsDialog {
public:
    CAxisDlg(const settings::AxisFields& fields, shell::Prompt& prompt, HelpFunction help,
             QWidget* parent = nullptr);
    settings::AxisFields Fields() const;
    void accept() override;

private:
    QCheckBox *showAxis_, *showLetters_;
    QLineEdit* size_;
};

}  // namespace modeller
